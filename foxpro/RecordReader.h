#pragma once

#include <cstdint>
#include <string>

#include "foxpro/TableStructure.h"

namespace foxpro {

class MemoFile;

// One field's value read back from a record.
struct Cell {
    enum class Kind { Null, Text, Number, Logical, Date, DateTime, Empty };
    Kind kind = Kind::Empty;
    std::string text;   // Text (UTF-8; binary fields as stored), Number (as stored or computed)
    double number = 0;  // Number
    bool logical = false;
    int year = 0, month = 0, day = 0;
    int millis = 0;  // DateTime: time of day
};

// Reads field values out of record bytes: what tests, the table list and the sample tables
// need of a table written by us or by FoxPro.
class RecordReader {
public:
    RecordReader(const TableStructure& structure, MemoFile* memo)
        : structure_(structure), memo_(memo) {}

    bool isDeleted(const std::string& record) const { return !record.empty() && record[0] == '*'; }
    bool isNull(const std::string& record, int index) const;
    Cell read(const std::string& record, int index) const;

private:
    const TableStructure& structure_;
    MemoFile* memo_;
};

}  // namespace foxpro
