#pragma once

#include <string>
#include <string_view>

#include "foxpro/Literal.h"

namespace foxpro {

// Reads one statement of the FoxPro dialect from left to right without building a syntax
// tree: keywords, names (plain, [bracketed] or "quoted"), punctuation and literals. Every
// failure is a syntax error naming the text and the 1-based character position where reading
// stopped.
class SqlCursor {
public:
    explicit SqlCursor(std::string_view sql) : sql_(sql) {}

    void skipSpace() {
        while (pos_ < sql_.size() && (sql_[pos_] == ' ' || sql_[pos_] == '\t' ||
                                      sql_[pos_] == '\r' || sql_[pos_] == '\n'))
            ++pos_;
    }
    // Consumes `word` (upper case, matched without regard to case) when it comes next.
    bool keyword(const char* word);
    void expectKeyword(const char* word) {
        if (!keyword(word)) syntaxError();
    }
    bool punct(char c) {
        skipSpace();
        if (pos_ < sql_.size() && sql_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expect(char c) {
        if (!punct(c)) syntaxError();
    }
    // A name: plain (letters, digits, '_', any non-ASCII), [bracketed] or "quoted".
    std::string_view name();
    // An unsigned whole number, as in widths and code pages.
    long wholeNumber();
    void literal(Literal& out);
    // The optional trailing ';' and nothing after it.
    void expectEnd();

    std::size_t position() const { return pos_; }
    [[noreturn]] void syntaxError() const { syntaxErrorAt(pos_); }
    [[noreturn]] void syntaxErrorAt(std::size_t at) const;

private:
    bool dateLiteral(Literal& out);
    std::string_view sql_;
    std::size_t pos_ = 0;
};

}  // namespace foxpro
