#pragma once

#include <QChar>
#include <QLocale>

// The parts of the user's regional settings that value texts depend on: the decimal and group
// separators, and the order and separator of the short date.
struct RegionalSettings {
    enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    QChar decimalPoint = QLatin1Char('.');
    QChar groupSeparator = QLatin1Char(',');
    DateOrder dateOrder = DateOrder::MonthDayYear;
    QChar dateSeparator = QLatin1Char('/');

    static RegionalSettings fromLocale(const QLocale& locale);
    static RegionalSettings system() { return fromLocale(QLocale::system()); }

    bool decimalComma() const { return decimalPoint == QLatin1Char(','); }
};
