#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace foxpro {

// A code page that table texts are stored in, with FoxPro's mark for the table header.
// Single-byte pages translate through tables built once from iconv; the double-byte Asian
// pages go through iconv for every text.
class CodePage {
public:
    static constexpr int kDefault = 1252;

    // The code page with this Windows number, or nullptr when FoxPro has no mark for it.
    static const CodePage* forNumber(int number);
    // The code page a header mark names, or nullptr for 0 and unknown marks.
    static const CodePage* forMark(std::uint8_t mark);

    int number() const { return number_; }
    std::uint8_t mark() const { return mark_; }

    // Appends `utf8` in this code page; characters it lacks (and broken UTF-8) become '?'.
    void encode(std::string_view utf8, std::string& out) const;
    std::string decode(std::string_view bytes) const;

    CodePage(int number, std::uint8_t mark, const char* iconvName);

private:
    void encodeWithIconv(std::string_view utf8, std::string& out) const;

    int number_;
    std::uint8_t mark_;
    const char* iconvName_;
    bool singleByte_ = true;
    char32_t decodeTable_[256] = {};
    std::unordered_map<char32_t, std::uint8_t> encodeTable_;
};

// Decodes one UTF-8 sequence at `pos` (advancing it); invalid bytes give U+FFFD.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(char32_t cp, std::string& out);

}  // namespace foxpro
