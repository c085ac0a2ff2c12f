#include "foxpro/Names.h"

#include "foxpro/CodePage.h"

namespace foxpro {
namespace names {

namespace {

char32_t lowerCp(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x137) return c | 1;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

char32_t upperCp(char32_t c) {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x137) return c & ~char32_t(1);
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
    if (c >= 0x14A && c <= 0x177) return c & ~char32_t(1);
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

template <typename Map>
std::string mapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const auto b = static_cast<unsigned char>(s[pos]);
        if (b < 0x80) {
            out += static_cast<char>(map(b));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(s, pos);
        if (cp == 0xFFFD)
            out.append(s.substr(start, pos - start));  // keep bytes we cannot read as they are
        else
            appendUtf8(map(cp), out);
    }
    return out;
}

}  // namespace

std::string lower(std::string_view s) {
    return mapCase(s, lowerCp);
}
std::string upper(std::string_view s) {
    return mapCase(s, upperCp);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() == b.size()) {
        bool same = true;
        for (std::size_t i = 0; i < a.size() && same; ++i) {
            const auto x = static_cast<unsigned char>(a[i]);
            const auto y = static_cast<unsigned char>(b[i]);
            if (x >= 0x80 || y >= 0x80) return lower(a) == lower(b);
            same = lowerCp(x) == lowerCp(y);
        }
        return same;
    }
    return lower(a) == lower(b);
}

std::string unsafeReason(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name == "." || name == "..") return "is not a file name";
    if (name.size() > kMaxTableNameBytes) return "is too long";
    for (std::size_t pos = 0; pos < name.size();) {
        const char c = name[pos];
        if (c == '/' || c == '\\') return "contains a path separator";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "contains a control character";
        if (nextCodePoint(name, pos) == 0xFFFD) return "is not valid text";
    }
    if (name.front() == ' ' || name.front() == '.' || name.back() == ' ' || name.back() == '.')
        return "starts or ends with a blank or a dot";
    return std::string();
}

}  // namespace names
}  // namespace foxpro
