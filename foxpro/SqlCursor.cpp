#include "foxpro/SqlCursor.h"

#include "foxpro/Dates.h"
#include "foxpro/Error.h"

namespace foxpro {

namespace {
bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

bool SqlCursor::keyword(const char* word) {
    skipSpace();
    std::size_t i = 0;
    for (; word[i]; ++i) {
        const std::size_t at = pos_ + i;
        if (at >= sql_.size()) return false;
        char c = sql_[at];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (c != word[i]) return false;
    }
    if (pos_ + i < sql_.size() && isNameChar(sql_[pos_ + i])) return false;
    pos_ += i;
    return true;
}

std::string_view SqlCursor::name() {
    skipSpace();
    if (pos_ >= sql_.size()) syntaxError();
    const char open = sql_[pos_];
    if (open == '[' || open == '"') {
        const char close = open == '[' ? ']' : '"';
        const std::size_t end = sql_.find(close, pos_ + 1);
        if (end == std::string_view::npos) syntaxError();
        std::string_view n = sql_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        return n;
    }
    const std::size_t start = pos_;
    while (pos_ < sql_.size() && isNameChar(sql_[pos_])) ++pos_;
    if (pos_ == start) syntaxError();
    return sql_.substr(start, pos_ - start);
}

long SqlCursor::wholeNumber() {
    skipSpace();
    const std::size_t start = pos_;
    long n = 0;
    while (pos_ < sql_.size() && isDigit(sql_[pos_])) {
        if (n < 100000000) n = n * 10 + (sql_[pos_] - '0');
        ++pos_;
    }
    if (pos_ == start) syntaxError();
    return n;
}

void SqlCursor::literal(Literal& out) {
    skipSpace();
    if (pos_ >= sql_.size()) syntaxError();
    const std::size_t start = pos_;
    const char c = sql_[pos_];
    if (c == '\'') {
        // Text: a doubled quote stands for one; only then is the text copied.
        std::size_t i = pos_ + 1;
        bool doubled = false;
        for (;;) {
            const std::size_t q = sql_.find('\'', i);
            if (q == std::string_view::npos) syntaxErrorAt(start);
            if (q + 1 < sql_.size() && sql_[q + 1] == '\'') {
                doubled = true;
                i = q + 2;
                continue;
            }
            i = q;
            break;
        }
        out.kind = Literal::Kind::Text;
        std::string_view body = sql_.substr(pos_ + 1, i - pos_ - 1);
        if (doubled) {
            out.buffer.clear();
            for (std::size_t k = 0; k < body.size(); ++k) {
                out.buffer += body[k];
                if (body[k] == '\'') ++k;
            }
            out.text = out.buffer;
        } else {
            out.text = body;
        }
        pos_ = i + 1;
        out.source = sql_.substr(start, pos_ - start);
        return;
    }
    if (isDigit(c) || c == '-' || c == '+' || c == '.') {
        if (c == '.' && pos_ + 2 < sql_.size() && sql_[pos_ + 2] == '.' &&
            !isDigit(sql_[pos_ + 1])) {
            // .T. .F. .Y. .N.
            char v = sql_[pos_ + 1];
            if (v >= 'a' && v <= 'z') v = static_cast<char>(v - 32);
            if (v != 'T' && v != 'F' && v != 'Y' && v != 'N') syntaxError();
            out.kind = Literal::Kind::Logical;
            out.logical = v == 'T' || v == 'Y';
            pos_ += 3;
            out.source = sql_.substr(start, 3);
            return;
        }
        std::size_t i = pos_;
        if (sql_[i] == '-' || sql_[i] == '+') ++i;
        const std::size_t mantissa = i;
        while (i < sql_.size() && isDigit(sql_[i])) ++i;
        if (i < sql_.size() && sql_[i] == '.') ++i;
        while (i < sql_.size() && isDigit(sql_[i])) ++i;
        if (i == mantissa || (i == mantissa + 1 && sql_[mantissa] == '.')) syntaxErrorAt(start);
        if (i < sql_.size() && (sql_[i] == 'e' || sql_[i] == 'E')) {
            std::size_t j = i + 1;
            if (j < sql_.size() && (sql_[j] == '-' || sql_[j] == '+')) ++j;
            if (j >= sql_.size() || !isDigit(sql_[j])) syntaxErrorAt(start);
            while (j < sql_.size() && isDigit(sql_[j])) ++j;
            i = j;
        }
        if (i < sql_.size() && isNameChar(sql_[i])) syntaxErrorAt(start);
        out.kind = Literal::Kind::Number;
        out.text = sql_.substr(pos_, i - pos_);
        out.source = out.text;
        pos_ = i;
        return;
    }
    if (c == '{') {
        if (!dateLiteral(out)) syntaxErrorAt(start);
        out.source = sql_.substr(start, pos_ - start);
        return;
    }
    if (keyword("NULL")) {
        out.kind = Literal::Kind::Null;
        out.source = sql_.substr(start, 4);
        return;
    }
    syntaxError();
}

bool SqlCursor::dateLiteral(Literal& out) {
    // {^yyyy-mm-dd [hh:mm[:ss]]}, or {} / {//} / {^} for an empty date.
    std::size_t i = pos_ + 1;
    auto skip = [&] {
        while (i < sql_.size() && sql_[i] == ' ') ++i;
    };
    auto number = [&](int maxDigits, int& value) {
        const std::size_t s = i;
        value = 0;
        while (i < sql_.size() && isDigit(sql_[i]) && static_cast<int>(i - s) < maxDigits)
            value = value * 10 + (sql_[i++] - '0');
        return i > s;
    };
    skip();
    if (i < sql_.size() && sql_[i] == '}') {
        out.kind = Literal::Kind::EmptyDate;
        pos_ = i + 1;
        return true;
    }
    if (sql_.compare(i, 3, "//}") == 0) {
        out.kind = Literal::Kind::EmptyDate;
        pos_ = i + 3;
        return true;
    }
    if (i >= sql_.size() || sql_[i] != '^') return false;
    ++i;
    skip();
    if (i < sql_.size() && sql_[i] == '}') {
        out.kind = Literal::Kind::EmptyDate;
        pos_ = i + 1;
        return true;
    }
    int y, m, d;
    if (!number(4, y)) return false;
    if (i >= sql_.size() || (sql_[i] != '-' && sql_[i] != '/' && sql_[i] != '.')) return false;
    const char sep = sql_[i++];
    if (!number(2, m) || i >= sql_.size() || sql_[i++] != sep || !number(2, d)) return false;
    out.hasTime = false;
    out.millis = 0;
    skip();
    if (i < sql_.size() && (isDigit(sql_[i]) || sql_[i] == ',')) {
        if (sql_[i] == ',') ++i;
        skip();
        int hh = 0, mm = 0, ss = 0;
        if (!number(2, hh)) return false;
        if (i < sql_.size() && sql_[i] == ':') {
            ++i;
            if (!number(2, mm)) return false;
            if (i < sql_.size() && sql_[i] == ':') {
                ++i;
                if (!number(2, ss)) return false;
            }
        }
        skip();
        // A 12-hour clock with AM/PM, as FoxPro also writes date-times.
        if (i + 1 < sql_.size() && (sql_[i + 1] == 'M' || sql_[i + 1] == 'm')) {
            const char ap = static_cast<char>(sql_[i] & ~0x20);
            if (ap != 'A' && ap != 'P') return false;
            if (hh < 1 || hh > 12) return false;
            hh = hh % 12 + (ap == 'P' ? 12 : 0);
            i += 2;
            skip();
        }
        if (hh > 23 || mm > 59 || ss > 59) {
            throw Error::refused(errors::kInvalidDate,
                                 "Date/Datetime " + std::string(sql_.substr(pos_, i - pos_ + 1)) +
                                     " evaluated to an invalid value.");
        }
        out.hasTime = true;
        out.millis = ((hh * 60 + mm) * 60 + ss) * 1000;
    }
    if (i >= sql_.size() || sql_[i] != '}') return false;
    if (!dates::isValid(y, m, d))
        throw Error::refused(errors::kInvalidDate,
                             "Date/Datetime " + std::string(sql_.substr(pos_, i - pos_ + 1)) +
                                 " evaluated to an invalid value.");
    out.kind = Literal::Kind::Date;
    out.year = y;
    out.month = m;
    out.day = d;
    pos_ = i + 1;
    return true;
}

void SqlCursor::expectEnd() {
    punct(';');
    skipSpace();
    if (pos_ != sql_.size()) syntaxError();
}

void SqlCursor::syntaxErrorAt(std::size_t at) const {
    // The word at the failing place (or the end of the statement), and its character position.
    std::size_t end = at;
    if (end < sql_.size()) {
        const char c = sql_[end];
        if (isNameChar(c)) {
            while (end < sql_.size() && isNameChar(sql_[end])) ++end;
        } else {
            ++end;
            if (c == '\'' || c == '[' || c == '"') {
                const char close = c == '[' ? ']' : c;
                const std::size_t q = sql_.find(close, end);
                end = q == std::string_view::npos ? sql_.size() : q + 1;
            }
        }
    }
    std::string near(sql_.substr(at, std::min<std::size_t>(end - at, 40)));
    std::size_t chars = 0;
    for (std::size_t i = 0; i < at && i < sql_.size(); ++i)
        if ((static_cast<unsigned char>(sql_[i]) & 0xC0) != 0x80) ++chars;
    if (near.empty())
        throw Error::refused(errors::kSyntax,
                             "Syntax error: the statement ends early at position " +
                                 std::to_string(chars + 1) + ".");
    throw Error::refused(errors::kSyntax, "Syntax error near " + quoted(near) + " at position " +
                                              std::to_string(chars + 1) + ".");
}

}  // namespace foxpro
