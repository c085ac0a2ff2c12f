#include "engine/ValueTests.h"

#include <QDate>

namespace ValueTests {

namespace {

class Scanner {
public:
    explicit Scanner(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }
    bool accept(QChar c) {
        if (peek() != c || atEnd()) return false;
        ++pos_;
        return true;
    }
    void skipBlanks() {
        while (!atEnd() && text_[pos_] == QLatin1Char(' ')) ++pos_;
    }
    // Reads between minDigits and maxDigits ASCII digits.
    bool number(int minDigits, int maxDigits, int& value) {
        int count = 0;
        value = 0;
        while (!atEnd() && count < maxDigits && isDigit(text_[pos_])) {
            value = value * 10 + (text_[pos_].unicode() - '0');
            ++pos_;
            ++count;
        }
        return count >= minDigits;
    }
    int digitRun() {
        int count = 0;
        while (!atEnd() && isDigit(text_[pos_])) {
            ++pos_;
            ++count;
        }
        return count;
    }
    static bool isDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

bool validTime(int h, int m, int s) { return h < 24 && m < 60 && s < 60; }

// hh:mm[:ss[.fraction]]
bool parseTime(Scanner& in, DateTimeParts& parts, bool allowFraction) {
    int h, m, s = 0;
    if (!in.number(1, 2, h) || !in.accept(QLatin1Char(':')) || !in.number(2, 2, m)) return false;
    if (in.accept(QLatin1Char(':'))) {
        if (!in.number(2, 2, s)) return false;
        if (allowFraction && in.accept(QLatin1Char('.')) && in.digitRun() == 0) return false;
    }
    if (!validTime(h, m, s)) return false;
    parts.hour = h;
    parts.minute = m;
    parts.second = s;
    return true;
}

bool finish(Scanner& in) {
    in.skipBlanks();
    return in.atEnd();
}

bool parseIso(QStringView text, DateTimeParts& parts) {
    Scanner in(text);
    in.skipBlanks();
    int y, m, d;
    if (!in.number(4, 4, y) || !in.accept(QLatin1Char('-')) || !in.number(2, 2, m) ||
        !in.accept(QLatin1Char('-')) || !in.number(2, 2, d) || !QDate::isValid(y, m, d))
        return false;
    parts = DateTimeParts{y, m, d, 0, 0, 0};
    if (in.accept(QLatin1Char('T')) || in.accept(QLatin1Char(' '))) {
        if (in.atEnd() || in.peek() == QLatin1Char(' ')) return finish(in);
        if (!parseTime(in, parts, true)) return false;
    }
    return finish(in);
}

bool parseShortDate(QStringView text, const RegionalSettings& settings, DateTimeParts& parts) {
    Scanner in(text);
    in.skipBlanks();
    const QChar sep = settings.dateSeparator;
    int a, b, c;
    using Order = RegionalSettings::DateOrder;
    const bool yearFirst = settings.dateOrder == Order::YearMonthDay;
    if (!in.number(yearFirst ? 4 : 1, yearFirst ? 4 : 2, a) || !in.accept(sep) ||
        !in.number(1, 2, b) || !in.accept(sep) || !in.number(yearFirst ? 1 : 4, yearFirst ? 2 : 4, c))
        return false;
    int y, m, d;
    switch (settings.dateOrder) {
        case Order::MonthDayYear: m = a, d = b, y = c; break;
        case Order::DayMonthYear: d = a, m = b, y = c; break;
        default: y = a, m = b, d = c; break;
    }
    if (!QDate::isValid(y, m, d)) return false;
    parts = DateTimeParts{y, m, d, 0, 0, 0};
    // Some short date patterns end with the separator ("31.08.2021.").
    in.accept(sep);
    if (in.accept(QLatin1Char(' '))) {
        in.skipBlanks();
        if (!in.atEnd() && !parseTime(in, parts, false)) return false;
    }
    return finish(in);
}

bool parseTimeOnly(QStringView text, DateTimeParts& parts) {
    Scanner in(text);
    in.skipBlanks();
    DateTimeParts candidate;
    if (!parseTime(in, candidate, false) || !finish(in)) return false;
    parts = candidate;
    return true;
}

}  // namespace

bool isNumeric(QStringView text, const RegionalSettings& settings) {
    Scanner in(text);
    in.skipBlanks();
    if (!in.accept(QLatin1Char('-'))) in.accept(QLatin1Char('+'));
    // Integer part: a first group of 1-3 digits followed by groups of exactly three after each
    // group separator, or a plain run of digits.
    int intDigits = in.digitRun();
    if (intDigits > 0 && intDigits <= 3 && !settings.groupSeparator.isNull()) {
        while (in.peek() == settings.groupSeparator && !in.atEnd()) {
            Scanner probe = in;
            probe.accept(settings.groupSeparator);
            if (probe.digitRun() != 3) return false;
            in = probe;
            intDigits += 3;
        }
    }
    int fracDigits = 0;
    if (in.accept(settings.decimalPoint)) fracDigits = in.digitRun();
    if (intDigits + fracDigits == 0) return false;
    if (in.accept(QLatin1Char('e')) || in.accept(QLatin1Char('E'))) {
        if (!in.accept(QLatin1Char('-'))) in.accept(QLatin1Char('+'));
        if (in.digitRun() == 0) return false;
    }
    return finish(in);
}

bool parseDate(QStringView text, const RegionalSettings& settings, DateTimeParts& parts) {
    // Most texts are rejected by their first character.
    qsizetype first = 0;
    while (first < text.size() && text[first] == QLatin1Char(' ')) ++first;
    if (first == text.size() || !Scanner::isDigit(text[first])) return false;
    return parseIso(text, parts) || parseShortDate(text, settings, parts) ||
           parseTimeOnly(text, parts);
}

}  // namespace ValueTests
