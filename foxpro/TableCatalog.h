#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "foxpro/TableStructure.h"

namespace foxpro {

// Where a session's tables live and how they are named: a folder of free tables now, a
// database container later. The session asks it for file paths and tells it about tables it
// creates and drops; the table and memo code are the same for both.
class TableCatalog {
public:
    virtual ~TableCatalog() = default;

    // The .dbf of an existing table (letter case of the name ignored), or empty.
    virtual std::string findTable(std::string_view name) = 0;
    // Paths for a new table (the name has been checked to be a safe file-name component).
    virtual std::string newTablePath(std::string_view name) = 0;
    // The memo and index files that belong to a .dbf (empty when absent, for an existing one).
    virtual std::string memoPathFor(const std::string& dbfPath, bool existing) = 0;
    virtual std::string indexPathFor(const std::string& dbfPath) = 0;
    // The backlink written into new tables: empty for free tables.
    virtual std::string backlink() const { return std::string(); }
    // Longest field name stored in the .dbf: 10 characters in a free table.
    virtual std::size_t maxFieldNameLength() const { return 10; }
    virtual void tableCreated(std::string_view /*name*/, const std::string& /*dbfPath*/,
                              const TableStructure& /*structure*/) {}
    virtual void tableDropped(std::string_view /*name*/, const std::string& /*dbfPath*/) {}
    // Every table's name, as the catalogue shows it.
    virtual std::vector<std::string> tableNames() = 0;
};

}  // namespace foxpro
