#pragma once

#include <string>

#include "foxpro/Literal.h"
#include "foxpro/TableStructure.h"

namespace foxpro {

class MemoFile;

// Converts INSERT values into record bytes as FoxPro converts them: rounding into I, range and
// width checks for I, Y, N and F, texts cut to C and V widths and encoded in the table's code
// page, date literals into D and T, and data type mismatches for everything else.
class FieldEncoder {
public:
    FieldEncoder(const TableStructure& structure, MemoFile* memo, std::string tableName);

    // A record with every field empty and every nullable field not yet NULL.
    const std::string& blankRecord() const { return blank_; }
    // Writes `value` into field `index` of `record`; throws a refusal that names the column.
    void put(int index, const Literal& value, char* record);
    // What an omitted column gets: NULL where the column accepts it, else its empty value.
    void putOmitted(int index, char* record);
    const std::string& tableName() const { return tableName_; }

private:
    void putNull(const FieldDef& f, char* record);
    void putText(const FieldDef& f, std::string_view utf8, char* record);
    void putNumber(const FieldDef& f, const Literal& v, char* record);
    void putDate(const FieldDef& f, const Literal& v, char* record);
    [[noreturn]] void mismatch(const FieldDef& f, const Literal& v) const;
    [[noreturn]] void overflow(const FieldDef& f, const Literal& v) const;
    std::string columnText(const FieldDef& f) const;

    const TableStructure& structure_;
    MemoFile* memo_;
    std::string tableName_;
    std::string blank_;
    std::string scratch_;
};

// The value of a numeric literal in fixed notation with `decimals` places, rounded half away
// from zero; false when the text is not a number.
bool formatFixed(std::string_view number, int decimals, std::string& out);

}  // namespace foxpro
