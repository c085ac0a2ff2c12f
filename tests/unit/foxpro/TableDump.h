#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "foxpro/RecordReader.h"
#include "foxpro/Table.h"

// A table's rows read back with our own reader, every value as text: NULL, texts as stored
// (trailing blanks removed), numbers as stored, T/F, yyyy-mm-dd and yyyy-mm-dd hh:mm:ss.
inline std::vector<std::vector<std::string>> dumpTable(const std::string& dbfPath,
                                                       const std::string& memoPath = "") {
    auto table = foxpro::Table::open(dbfPath, memoPath, false);
    foxpro::RecordReader reader(table->structure(), table->memo());
    std::vector<std::vector<std::string>> rows;
    for (std::uint32_t i = 0; i < table->recordCount(); ++i) {
        const std::string record = table->record(i);
        std::vector<std::string> row;
        for (std::size_t f = 0; f < table->structure().fields().size(); ++f) {
            const foxpro::Cell c = reader.read(record, static_cast<int>(f));
            char buffer[64];
            switch (c.kind) {
                case foxpro::Cell::Kind::Null:
                    row.push_back("NULL");
                    break;
                case foxpro::Cell::Kind::Empty:
                    row.push_back("");
                    break;
                case foxpro::Cell::Kind::Logical:
                    row.push_back(c.logical ? "T" : "F");
                    break;
                case foxpro::Cell::Kind::Date:
                    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
                    row.push_back(buffer);
                    break;
                case foxpro::Cell::Kind::DateTime:
                    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", c.year,
                                  c.month, c.day, c.millis / 3600000, c.millis / 60000 % 60,
                                  c.millis / 1000 % 60);
                    row.push_back(buffer);
                    break;
                default:
                    row.push_back(c.text);
                    break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}
