#include "foxpro/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <vector>

namespace foxpro {

namespace {

struct Known {
    int number;
    std::uint8_t mark;
    const char* iconvName;
};

// FoxPro's code page marks (the header byte 29) and the iconv names of the same pages.
constexpr Known kKnown[] = {
    {437, 0x01, "CP437"},       {850, 0x02, "CP850"},   {1252, 0x03, "CP1252"},
    {10000, 0x04, "MACINTOSH"}, {852, 0x64, "CP852"},   {866, 0x65, "CP866"},
    {865, 0x66, "CP865"},       {861, 0x67, "CP861"},   {737, 0x6A, "CP737"},
    {857, 0x6B, "CP857"},       {936, 0x7A, "CP936"},   {932, 0x7B, "CP932"},
    {949, 0x79, "CP949"},       {950, 0x78, "CP950"},   {874, 0x7C, "CP874"},
    {1255, 0x7D, "CP1255"},     {1256, 0x7E, "CP1256"}, {1250, 0xC8, "CP1250"},
    {1251, 0xC9, "CP1251"},     {1254, 0xCA, "CP1254"}, {1253, 0xCB, "CP1253"},
};

bool isDoubleByte(int number) {
    return number == 932 || number == 936 || number == 949 || number == 950;
}

struct Registry {
    std::vector<std::unique_ptr<CodePage>> pages;
    Registry() {
        for (const Known& k : kKnown)
            pages.push_back(std::make_unique<CodePage>(k.number, k.mark, k.iconvName));
    }
};

const Registry& registry() {
    static const Registry r;
    return r;
}

// Runs iconv over the whole input; false when it stopped at a character it cannot convert.
bool convert(iconv_t cd, std::string_view in, std::string& out) {
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    return true;
}

}  // namespace

char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0 || b0 > 0xF4 || pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

void appendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

CodePage::CodePage(int number, std::uint8_t mark, const char* iconvName)
    : number_(number), mark_(mark), iconvName_(iconvName), singleByte_(!isDoubleByte(number)) {
    for (int b = 0; b < 0x80; ++b) decodeTable_[b] = static_cast<char32_t>(b);
    if (!singleByte_) return;
    iconv_t cd = iconv_open("UTF-32LE", iconvName);
    for (int b = 0x80; b < 0x100; ++b) {
        decodeTable_[b] = '?';
        if (cd == reinterpret_cast<iconv_t>(-1)) continue;
        char in = static_cast<char>(b);
        char* inPtr = &in;
        size_t inLeft = 1;
        char32_t cp = 0;
        char* outPtr = reinterpret_cast<char*>(&cp);
        size_t outLeft = sizeof cp;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) &&
            outLeft == 0) {
            decodeTable_[b] = cp;
            encodeTable_.emplace(cp, static_cast<std::uint8_t>(b));
        }
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
}

const CodePage* CodePage::forNumber(int number) {
    for (const auto& p : registry().pages)
        if (p->number() == number) return p.get();
    return nullptr;
}

const CodePage* CodePage::forMark(std::uint8_t mark) {
    for (const auto& p : registry().pages)
        if (p->mark() == mark) return p.get();
    return nullptr;
}

void CodePage::encode(std::string_view utf8, std::string& out) const {
    std::size_t pos = 0;
    const std::size_t n = utf8.size();
    if (!singleByte_) {
        // Plain ASCII needs no conversion in any of these pages.
        while (pos < n && static_cast<unsigned char>(utf8[pos]) < 0x80) ++pos;
        if (pos == n) {
            out.append(utf8);
            return;
        }
        encodeWithIconv(utf8, out);
        return;
    }
    while (pos < n) {
        // Copy runs of ASCII in one go: the common case by far.
        std::size_t run = pos;
        while (run < n && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
        out.append(utf8.data() + pos, run - pos);
        pos = run;
        if (pos >= n) break;
        const char32_t cp = nextCodePoint(utf8, pos);
        auto it = encodeTable_.find(cp);
        out += it == encodeTable_.end() ? '?' : static_cast<char>(it->second);
    }
}

void CodePage::encodeWithIconv(std::string_view utf8, std::string& out) const {
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    iconv_t cd = iconv_open(iconvName_, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (std::size_t pos = 0; pos < utf8.size();) {
            const char32_t cp = nextCodePoint(utf8, pos);
            out += cp < 0x80 ? static_cast<char>(cp) : '?';
        }
        return;
    }
    // One character at a time, so that a character the page lacks becomes '?'.
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        nextCodePoint(utf8, pos);
        std::string piece;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (convert(cd, utf8.substr(start, pos - start), piece))
            out += piece;
        else
            out += '?';
    }
    iconv_close(cd);
}

std::string CodePage::decode(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    if (singleByte_) {
        for (char c : bytes) appendUtf8(decodeTable_[static_cast<unsigned char>(c)], out);
        return out;
    }
    iconv_t cd = iconv_open("UTF-8", iconvName_);
    if (cd == reinterpret_cast<iconv_t>(-1) || !convert(cd, bytes, out)) {
        out.clear();
        for (char c : bytes) out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return out;
}

}  // namespace foxpro
