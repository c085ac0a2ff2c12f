#include "foxpro/FieldEncoder.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "foxpro/Dates.h"
#include "foxpro/Error.h"
#include "foxpro/MemoFile.h"

namespace foxpro {

namespace {

constexpr int kMaxDigits = 400;

// A number as significant digits and the position of the decimal point among them:
// value = 0.d1d2...dn x 10^point.
struct Decimal {
    bool negative = false;
    char digits[kMaxDigits];
    int count = 0;
    int point = 0;
};

bool parseDecimal(std::string_view s, Decimal& d) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
    bool any = false, seenPoint = false;
    int before = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            any = true;
            if (d.count == 0 && c == '0') {
                if (seenPoint) --d.point;  // leading zeros after the point shift it
                continue;
            }
            if (d.count >= kMaxDigits) return false;
            d.digits[d.count++] = c;
            if (!seenPoint) ++before;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!any) return false;
    d.point += before;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negExp = s[i++] == '-';
        if (i >= s.size()) return false;
        long exp = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            if (exp < 100000) exp = exp * 10 + (s[i] - '0');
        if (d.count > 0) d.point += static_cast<int>(negExp ? -exp : exp);
    }
    if (i != s.size()) return false;
    if (d.count == 0) d.point = 0;
    return true;
}

bool fixedFrom(const Decimal& d, int decimals, std::string& out) {
    out.clear();
    if (d.point > kMaxDigits) return false;  // far too large for any field
    char kept[kMaxDigits + 2];
    const int keep = d.point + decimals;  // significant digits that stay
    int n = std::max(0, std::min(keep, d.count));
    int point = d.point;
    std::memcpy(kept, d.digits, n);
    if (keep >= 0 && keep < d.count && d.digits[keep] >= '5') {
        // Half away from zero, carrying through nines.
        int j = n - 1;
        while (j >= 0 && kept[j] == '9') kept[j--] = '0';
        if (j >= 0) {
            ++kept[j];
        } else {
            std::memmove(kept + 1, kept, n);
            kept[0] = '1';
            ++n;
            ++point;
        }
    }
    bool nonZero = false;
    for (int j = 0; j < n; ++j) nonZero |= kept[j] != '0';
    if (d.negative && nonZero) out += '-';
    if (point <= 0) {
        out += '0';
    } else {
        for (int j = 0; j < point; ++j) out += j < n ? kept[j] : '0';
    }
    if (decimals > 0) {
        out += '.';
        for (int j = point; j < point + decimals; ++j) out += (j >= 0 && j < n) ? kept[j] : '0';
    }
    return true;
}

const char* typeWord(char type) {
    switch (type) {
        case 'C':
            return "character";
        case 'V':
            return "varchar";
        case 'N':
            return "numeric";
        case 'F':
            return "float";
        case 'I':
            return "integer";
        case 'B':
            return "double";
        case 'Y':
            return "currency";
        case 'D':
            return "date";
        case 'T':
            return "datetime";
        case 'L':
            return "logical";
        case 'M':
            return "memo";
        case 'W':
            return "blob";
        case 'Q':
            return "varbinary";
        case 'G':
            return "general";
        default:
            return "unknown";
    }
}

std::string shown(std::string_view source) {
    if (source.size() <= 60) return std::string(source);
    return std::string(source.substr(0, 57)) + "...";
}

void putLE32(char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<char>(v >> (8 * i));
}
void putLE64(char* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

bool formatFixed(std::string_view number, int decimals, std::string& out) {
    Decimal d;
    return parseDecimal(number, d) && fixedFrom(d, decimals, out);
}

FieldEncoder::FieldEncoder(const TableStructure& structure, MemoFile* memo, std::string tableName)
    : structure_(structure), memo_(memo), tableName_(std::move(tableName)) {
    blank_.assign(structure.recordLength(), '\0');
    blank_[0] = ' ';
    for (const FieldDef& f : structure.fields()) {
        char* p = &blank_[f.offset];
        switch (f.type) {
            case 'C':
            case 'N':
            case 'F':
            case 'D':
            case 'L':
                std::memset(p, ' ', f.width);
                break;
            case 'V':
            case 'Q':
                // An empty V or Q: blanks, length 0 in the last byte, its length bit set.
                std::memset(p, ' ', f.width - 1);
                p[f.width - 1] = 0;
                blank_[structure.nullFlagsOffset() + f.lengthBit / 8] |=
                    static_cast<char>(1 << (f.lengthBit % 8));
                break;
            default:
                break;  // binary types are zero when empty
        }
    }
}

std::string FieldEncoder::columnText(const FieldDef& f) const {
    return "column " + quoted(f.label) + " of table " + quoted(tableName_);
}

void FieldEncoder::mismatch(const FieldDef& f, const Literal& v) const {
    throw Error::refused(errors::kTypeMismatch, "Data type mismatch: " + shown(v.source) +
                                                    " cannot be stored in the " + typeWord(f.type) +
                                                    " " + columnText(f) + ".");
}

void FieldEncoder::overflow(const FieldDef& f, const Literal& v) const {
    if (f.type == 'I')
        throw Error::refused(
            errors::kNumericOverflow,
            "Value " + shown(v.source) + " does not fit the integer " + columnText(f) + ".");
    std::string shape(1, f.type);
    if (f.type == 'N' || f.type == 'F')
        shape += "(" + std::to_string(f.width) + "," + std::to_string(f.decimals) + ")";
    throw Error::refused(errors::kNumericOverflow, "Numeric overflow: value " + shown(v.source) +
                                                       " does not fit the " + shape + " " +
                                                       columnText(f) + ".");
}

void FieldEncoder::put(int index, const Literal& v, char* record) {
    const FieldDef& f = structure_.fields()[index];
    switch (v.kind) {
        case Literal::Kind::Null:
            if (!f.nullable)
                throw Error::refused(errors::kNullNotAccepted,
                                     "Column " + quoted(f.label) + " of table " +
                                         quoted(tableName_) + " does not accept NULL.");
            putNull(f, record);
            return;
        case Literal::Kind::Text:
            if (f.type == 'C' || f.type == 'V' || f.type == 'M' || f.type == 'Q' || f.type == 'W') {
                putText(f, v.text, record);
                return;
            }
            break;
        case Literal::Kind::Number:
            if (f.type == 'N' || f.type == 'F' || f.type == 'I' || f.type == 'B' || f.type == 'Y') {
                putNumber(f, v, record);
                return;
            }
            break;
        case Literal::Kind::Logical:
            if (f.type == 'L') {
                record[f.offset] = v.logical ? 'T' : 'F';
                return;
            }
            break;
        case Literal::Kind::Date:
        case Literal::Kind::EmptyDate:
            if (f.type == 'D' || f.type == 'T') {
                putDate(f, v, record);
                return;
            }
            break;
    }
    mismatch(f, v);
}

void FieldEncoder::putOmitted(int index, char* record) {
    const FieldDef& f = structure_.fields()[index];
    if (f.nullable) {
        putNull(f, record);
        return;
    }
    // The empty value FoxPro gives a new record: zero for numbers, false for logicals.
    if (f.type == 'N' || f.type == 'F') {
        std::string zero;
        fixedFrom(Decimal{}, f.decimals, zero);
        std::memset(record + f.offset, ' ', f.width);
        if (static_cast<int>(zero.size()) <= f.width)
            std::memcpy(record + f.offset + f.width - zero.size(), zero.data(), zero.size());
    } else if (f.type == 'L') {
        record[f.offset] = 'F';
    }
}

void FieldEncoder::putNull(const FieldDef& f, char* record) {
    record[structure_.nullFlagsOffset() + f.nullBit / 8] |= static_cast<char>(1 << (f.nullBit % 8));
}

void FieldEncoder::putText(const FieldDef& f, std::string_view utf8, char* record) {
    const bool translate = !f.binary && f.type != 'Q' && f.type != 'W';
    std::string_view bytes = utf8;
    if (translate) {
        scratch_.clear();
        structure_.codePage()->encode(utf8, scratch_);
        bytes = scratch_;
    }
    char* p = record + f.offset;
    switch (f.type) {
        case 'C': {
            const std::size_t n = std::min<std::size_t>(bytes.size(), f.width);
            std::memcpy(p, bytes.data(), n);
            std::memset(p + n, ' ', f.width - n);
            return;
        }
        case 'V':
        case 'Q': {
            const std::size_t n = std::min<std::size_t>(bytes.size(), f.width);
            std::memcpy(p, bytes.data(), n);
            char& flags = record[structure_.nullFlagsOffset() + f.lengthBit / 8];
            const char bit = static_cast<char>(1 << (f.lengthBit % 8));
            if (static_cast<int>(n) < f.width) {
                std::memset(p + n, ' ', f.width - 1 - n);
                p[f.width - 1] = static_cast<char>(n);
                flags |= bit;
            } else {
                flags &= static_cast<char>(~bit);
            }
            return;
        }
        default: {
            const std::uint32_t block = memo_->append(MemoFile::kText, bytes);
            putLE32(p, block);
            return;
        }
    }
}

void FieldEncoder::putNumber(const FieldDef& f, const Literal& v, char* record) {
    char* p = record + f.offset;
    if (f.type == 'B') {
        std::string_view t = v.text;
        if (!t.empty() && t[0] == '+') t.remove_prefix(1);
        double d = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), d);
        if (r.ec == std::errc::result_out_of_range) overflow(f, v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) mismatch(f, v);
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        putLE64(p, bits);
        return;
    }
    if (f.type == 'I') {
        // The common case, a plain whole number, without the decimal machinery.
        std::string_view t = v.text;
        const bool negative = !t.empty() && t[0] == '-';
        if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
        if (!t.empty() && t.size() <= 10 &&
            t.find_first_not_of("0123456789") == std::string_view::npos) {
            long long whole = 0;
            for (char c : t) whole = whole * 10 + (c - '0');
            if (whole > 2147483647LL) overflow(f, v);
            putLE32(p, static_cast<std::uint32_t>(
                           static_cast<std::int32_t>(negative ? -whole : whole)));
            return;
        }
    }
    Decimal d;
    if (!parseDecimal(v.text, d)) mismatch(f, v);
    if (f.type == 'I' || f.type == 'Y') {
        const int places = f.type == 'Y' ? 4 : 0;
        if (d.point > 19 - places || !fixedFrom(d, places, scratch_)) overflow(f, v);
        long long whole = 0;
        bool negative = false;
        for (char c : scratch_) {
            if (c == '-') negative = true;
            if (c >= '0' && c <= '9') whole = whole * 10 + (c - '0');
        }
        if (negative) whole = -whole;
        if (f.type == 'I') {
            // FoxPro's integer range leaves out -2147483648.
            if (whole > 2147483647LL || whole < -2147483647LL) overflow(f, v);
            putLE32(p, static_cast<std::uint32_t>(static_cast<std::int32_t>(whole)));
        } else {
            if (scratch_.size() > 21) overflow(f, v);
            putLE64(p, static_cast<std::uint64_t>(whole));
        }
        return;
    }
    // N and F: drop decimals until the value fits; when even the whole part does not fit,
    // FoxPro's "Numeric overflow".
    for (int places = f.decimals; places >= 0; --places) {
        if (!fixedFrom(d, places, scratch_)) break;
        if (static_cast<int>(scratch_.size()) <= f.width) {
            std::memset(p, ' ', f.width - scratch_.size());
            std::memcpy(p + f.width - scratch_.size(), scratch_.data(), scratch_.size());
            return;
        }
        if (places == 0) break;
    }
    overflow(f, v);
}

void FieldEncoder::putDate(const FieldDef& f, const Literal& v, char* record) {
    char* p = record + f.offset;
    if (v.kind == Literal::Kind::EmptyDate) {
        if (f.type == 'D')
            std::memset(p, ' ', 8);
        else
            std::memset(p, 0, 8);
        return;
    }
    if (f.type == 'D') {
        char text[9];
        std::snprintf(text, sizeof text, "%04d%02d%02d", v.year, v.month, v.day);
        std::memcpy(p, text, 8);
    } else {
        putLE32(p, static_cast<std::uint32_t>(dates::julianDay(v.year, v.month, v.day)));
        putLE32(p + 4, static_cast<std::uint32_t>(v.millis));
    }
}

}  // namespace foxpro
