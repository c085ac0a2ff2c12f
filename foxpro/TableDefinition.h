#pragma once

#include <string>
#include <vector>

#include "foxpro/FieldDef.h"
#include "foxpro/TableStructure.h"

namespace foxpro {

class CodePage;
class SqlCursor;

// The part of CREATE TABLE after the name: FREE, CODEPAGE=n and the column list with types by
// letter or long name, widths, NULL / NOT NULL and NOCPTRANS. Checks names, widths and the
// limits of a table before any file is touched.
class TableDefinition {
public:
    TableDefinition(std::string tableName, std::size_t maxFieldName);

    void parse(SqlCursor& cursor);
    TableStructure structure() const { return TableStructure(fields_, codePage_); }

private:
    void parseColumn(SqlCursor& cursor);
    [[noreturn]] void badWidth(const FieldDef& f, const std::string& why) const;

    std::string tableName_;
    std::size_t maxFieldName_;
    const CodePage* codePage_;
    std::vector<FieldDef> fields_;
};

}  // namespace foxpro
