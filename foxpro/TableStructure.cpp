#include "foxpro/TableStructure.h"

#include <cstring>
#include <ctime>

#include "foxpro/Error.h"
#include "foxpro/Names.h"

namespace foxpro {

namespace {
void putLE32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
}
std::uint32_t getLE32(const char* p) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}
std::uint16_t getLE16(const char* p) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(p[0]) |
                                      (static_cast<unsigned char>(p[1]) << 8));
}
}  // namespace

TableStructure::TableStructure(std::vector<FieldDef> fields, const CodePage* codePage)
    : fields_(std::move(fields)), codePage_(codePage) {
    int offset = 1;
    int bits = 0;
    for (FieldDef& f : fields_) {
        f.offset = offset;
        offset += f.width;
        // A nullable V or Q field's length bit comes before its null bit.
        f.lengthBit = f.isVariable() ? bits++ : -1;
        f.nullBit = f.nullable ? bits++ : -1;
    }
    nullFlagsWidth_ = (bits + 7) / 8;
    nullFlagsOffset_ = nullFlagsWidth_ ? offset : 0;
    recordLength_ = offset + nullFlagsWidth_;
    const int subrecords = static_cast<int>(fields_.size()) + (nullFlagsWidth_ ? 1 : 0);
    headerLength_ = 32 + 32 * subrecords + 1 + kBacklinkSize;
}

std::uint8_t TableStructure::fileType() const {
    bool variable = false, autoinc = false;
    for (const FieldDef& f : fields_) {
        variable |= f.isVariable() || f.type == 'W';
        autoinc |= f.autoincStep != 0;
    }
    return variable ? 0x32 : autoinc ? 0x31 : 0x30;
}

bool TableStructure::hasMemo() const {
    for (const FieldDef& f : fields_)
        if (f.isMemo()) return true;
    return false;
}

std::uint8_t TableStructure::tableFlags() const {
    return static_cast<std::uint8_t>((structuralFlags_ & ~0x02) | (hasMemo() ? 0x02 : 0));
}

int TableStructure::find(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (names::equalIgnoringCase(fields_[i].label, name) ||
            names::equalIgnoringCase(fields_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

void TableStructure::putCount(char* at, std::uint32_t count) {
    putLE32(at, count);
}

void TableStructure::putToday(char* at) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    at[0] = static_cast<char>(tm.tm_year % 100);
    at[1] = static_cast<char>(tm.tm_mon + 1);
    at[2] = static_cast<char>(tm.tm_mday);
}

std::string TableStructure::headerBytes(std::uint32_t recordCount,
                                        const std::string& backlink) const {
    std::string h(headerLength_, '\0');
    h[0] = static_cast<char>(fileType());
    putToday(&h[1]);
    putLE32(&h[4], recordCount);
    h[8] = static_cast<char>(headerLength_ & 0xFF);
    h[9] = static_cast<char>(headerLength_ >> 8);
    h[10] = static_cast<char>(recordLength_ & 0xFF);
    h[11] = static_cast<char>(recordLength_ >> 8);
    h[28] = static_cast<char>(tableFlags());
    h[29] = static_cast<char>(codePage_ ? codePage_->mark() : 0);
    char* sub = &h[32];
    auto writeSubrecord = [&](const std::string& name, char type, int offset, int width,
                              int decimals, std::uint8_t flags, std::uint32_t next,
                              std::uint8_t step) {
        std::memcpy(sub, name.data(), std::min<std::size_t>(name.size(), 10));
        sub[11] = type;
        putLE32(sub + 12, static_cast<std::uint32_t>(offset));
        sub[16] = static_cast<char>(width);
        sub[17] = static_cast<char>(decimals);
        sub[18] = static_cast<char>(flags);
        putLE32(sub + 19, next);
        sub[23] = static_cast<char>(step);
        sub += 32;
    };
    for (const FieldDef& f : fields_)
        writeSubrecord(f.name, f.type, f.offset, f.width, f.decimals, f.flags(), f.autoincNext,
                       f.autoincStep);
    if (nullFlagsWidth_)
        writeSubrecord("_NullFlags", '0', nullFlagsOffset_, nullFlagsWidth_, 0, 0x05, 0, 0);
    *sub = 0x0D;
    std::memcpy(sub + 1, backlink.data(), std::min<std::size_t>(backlink.size(), kBacklinkSize));
    return h;
}

std::size_t TableStructure::headerLengthOf(std::string_view first32) {
    return first32.size() < 32 ? 0 : getLE16(first32.data() + 8);
}

TableStructure TableStructure::parse(std::string_view bytes, const std::string& fileName) {
    auto notATable = [&] {
        return Error(errors::kNotATable, "File " + quoted(fileName) + " is not a table.");
    };
    if (bytes.size() < 32 + 1) throw notATable();
    const char* h = bytes.data();
    const auto type = static_cast<unsigned char>(h[0]);
    if (type != 0x30 && type != 0x31 && type != 0x32) throw notATable();
    const std::size_t headerLength = getLE16(h + 8);
    if (headerLength > bytes.size() || headerLength < 32 + 1) throw notATable();

    std::vector<FieldDef> fields;
    int nullOffset = 0, nullWidth = 0;
    std::size_t pos = 32;
    while (pos + 32 <= headerLength && h[pos] != 0x0D) {
        const char* s = h + pos;
        FieldDef f;
        f.name.assign(s, strnlen(s, 11));
        f.label = f.name;
        f.type = s[11];
        f.offset = static_cast<int>(getLE32(s + 12));
        f.width = static_cast<unsigned char>(s[16]);
        f.decimals = static_cast<unsigned char>(s[17]);
        const auto flags = static_cast<unsigned char>(s[18]);
        f.autoincNext = getLE32(s + 19);
        f.autoincStep = (flags & 0x0C) == 0x0C ? static_cast<std::uint8_t>(s[23]) : 0;
        if (f.type == '0') {
            nullOffset = f.offset;
            nullWidth = f.width;
        } else {
            f.nullable = flags & 0x02;
            f.binary = (flags & 0x04) && (f.type == 'C' || f.type == 'V' || f.type == 'M');
            fields.push_back(f);
        }
        pos += 32;
    }
    if (pos >= headerLength || h[pos] != 0x0D) throw notATable();

    TableStructure t;
    t.fields_ = std::move(fields);
    t.codePage_ = CodePage::forMark(static_cast<std::uint8_t>(h[29]));
    if (!t.codePage_) t.codePage_ = CodePage::forNumber(CodePage::kDefault);
    t.recordLength_ = getLE16(h + 10);
    t.headerLength_ = static_cast<int>(headerLength);
    t.nullFlagsOffset_ = nullOffset;
    t.nullFlagsWidth_ = nullWidth;
    t.structuralFlags_ = static_cast<std::uint8_t>(h[28]);
    const std::size_t linkStart = pos + 1;
    if (linkStart < headerLength) {
        std::string_view link = bytes.substr(linkStart, headerLength - linkStart);
        t.backlink_.assign(link.data(), strnlen(link.data(), link.size()));
    }
    // Null and length bits in the order FoxPro allocates them; names shown in lower case.
    int bits = 0;
    for (FieldDef& f : t.fields_) {
        f.label = names::lower(t.codePage_->decode(f.name));
        f.lengthBit = f.isVariable() ? bits++ : -1;
        f.nullBit = f.nullable ? bits++ : -1;
    }
    return t;
}

}  // namespace foxpro
