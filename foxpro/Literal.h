#pragma once

#include <string>
#include <string_view>

namespace foxpro {

// One value of an INSERT as the parser read it. Texts point into the statement unless they held
// doubled quotes, in which case `buffer` keeps the unescaped text (and keeps its capacity
// from one statement to the next).
struct Literal {
    enum class Kind { Null, Text, Number, Logical, Date, EmptyDate };

    Kind kind = Kind::Null;
    std::string_view source;  // the literal as written, for failure texts
    std::string_view text;    // Text: the value; Number: the digits as written
    std::string buffer;
    bool logical = false;
    int year = 0, month = 0, day = 0;
    int millis = 0;  // time of day of a date-time literal
    bool hasTime = false;
};

}  // namespace foxpro
