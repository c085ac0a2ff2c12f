#include "foxpro/RecordReader.h"

#include <cstdio>
#include <cstring>

#include "foxpro/Dates.h"
#include "foxpro/MemoFile.h"

namespace foxpro {

namespace {
std::uint32_t le32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
std::uint64_t le64(const char* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && s[start] == ' ') ++start;
    return s.substr(start);
}
bool bitSet(const std::string& record, int offset, int bit) {
    if (bit < 0 || offset <= 0) return false;
    return (static_cast<unsigned char>(record[offset + bit / 8]) >> (bit % 8)) & 1;
}
}  // namespace

bool RecordReader::isNull(const std::string& record, int index) const {
    const FieldDef& f = structure_.fields()[index];
    return bitSet(record, structure_.nullFlagsOffset(), f.nullBit);
}

Cell RecordReader::read(const std::string& record, int index) const {
    const FieldDef& f = structure_.fields()[index];
    Cell c;
    if (isNull(record, index)) {
        c.kind = Cell::Kind::Null;
        return c;
    }
    const char* p = record.data() + f.offset;
    const std::string raw(p, f.width);
    const bool translate = !f.binary && f.type != 'Q' && f.type != 'W';
    switch (f.type) {
        case 'C':
            c.kind = Cell::Kind::Text;
            c.text = translate ? structure_.codePage()->decode(raw) : raw;
            while (!c.text.empty() && c.text.back() == ' ') c.text.pop_back();
            break;
        case 'V':
        case 'Q': {
            std::string bytes = raw;
            if (bitSet(record, structure_.nullFlagsOffset(), f.lengthBit))
                bytes.resize(static_cast<unsigned char>(raw.back()));
            c.kind = Cell::Kind::Text;
            c.text = translate ? structure_.codePage()->decode(bytes) : bytes;
            break;
        }
        case 'M':
        case 'W':
        case 'G': {
            c.kind = Cell::Kind::Text;
            const std::uint32_t block = le32(p);
            if (block && memo_) {
                const std::string bytes = memo_->read(block);
                c.text = translate && f.type == 'M' ? structure_.codePage()->decode(bytes) : bytes;
            }
            break;
        }
        case 'N':
        case 'F':
            c.text = trimmed(raw);
            c.kind = c.text.empty() ? Cell::Kind::Empty : Cell::Kind::Number;
            c.number = c.text.empty() ? 0 : std::strtod(c.text.c_str(), nullptr);
            break;
        case 'I': {
            c.kind = Cell::Kind::Number;
            c.number = static_cast<std::int32_t>(le32(p));
            c.text = std::to_string(static_cast<std::int32_t>(le32(p)));
            break;
        }
        case 'B': {
            c.kind = Cell::Kind::Number;
            const std::uint64_t bits = le64(p);
            std::memcpy(&c.number, &bits, 8);
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.17g", c.number);
            c.text = buffer;
            break;
        }
        case 'Y': {
            c.kind = Cell::Kind::Number;
            const auto v = static_cast<std::int64_t>(le64(p));
            c.number = static_cast<double>(v) / 10000.0;
            const std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : v;
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%s%llu.%04llu", v < 0 ? "-" : "",
                          static_cast<unsigned long long>(mag / 10000),
                          static_cast<unsigned long long>(mag % 10000));
            c.text = buffer;
            break;
        }
        case 'L':
            c.kind = (raw[0] == 'T' || raw[0] == 'F' || raw[0] == 'Y' || raw[0] == 'N')
                         ? Cell::Kind::Logical
                         : Cell::Kind::Empty;
            c.logical = raw[0] == 'T' || raw[0] == 'Y';
            break;
        case 'D':
            if (raw == "        ") break;
            c.kind = Cell::Kind::Date;
            std::sscanf(raw.c_str(), "%4d%2d%2d", &c.year, &c.month, &c.day);
            break;
        case 'T': {
            const auto jdn = static_cast<std::int32_t>(le32(p));
            if (jdn == 0) break;
            c.kind = Cell::Kind::DateTime;
            dates::fromJulianDay(jdn, c.year, c.month, c.day);
            c.millis = static_cast<int>(le32(p + 4));
            break;
        }
        default:
            c.kind = Cell::Kind::Text;
            c.text = raw;
            break;
    }
    return c;
}

}  // namespace foxpro
