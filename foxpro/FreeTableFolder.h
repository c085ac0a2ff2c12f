#pragma once

#include "foxpro/TableCatalog.h"

namespace foxpro {

// Free tables in one folder: table "Orders 2021" is the file "orders 2021.dbf" with
// "orders 2021.fpt" beside it. Existing files are found whatever their letter case, so tables
// written by FoxPro in upper case resolve too.
class FreeTableFolder : public TableCatalog {
public:
    // Throws when `folder` does not exist or is not a folder.
    explicit FreeTableFolder(std::string folder);

    std::string findTable(std::string_view name) override;
    std::string newTablePath(std::string_view name) override;
    std::string memoPathFor(const std::string& dbfPath, bool existing) override;
    std::string indexPathFor(const std::string& dbfPath) override;
    std::vector<std::string> tableNames() override;

    const std::string& folder() const { return folder_; }

private:
    // The file in the folder whose name equals `fileName` without regard to case, or empty.
    std::string findFile(const std::string& fileName);

    std::string folder_;
};

}  // namespace foxpro
