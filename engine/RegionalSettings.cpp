#include "engine/RegionalSettings.h"

namespace {
// A locale's separator as one character; a few locales use several (or none) and then the
// ordinary one stands in.
QChar single(const QString& text, QChar fallback) {
    return text.size() == 1 ? text.at(0) : fallback;
}
}  // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale) {
    RegionalSettings settings;
    settings.decimalPoint = single(locale.decimalPoint(), QLatin1Char('.'));
    settings.groupSeparator = single(locale.groupSeparator(), QChar());
    if (settings.groupSeparator == QChar(0x202F) || settings.groupSeparator == QChar(0x00A0))
        settings.groupSeparator = QLatin1Char(' ');

    // The short date pattern tells the order of day, month and year and the separator.
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    const int d = pattern.indexOf(QLatin1Char('d'));
    const int m = pattern.indexOf(QLatin1Char('M'));
    const int y = pattern.indexOf(QLatin1Char('y'));
    if (y >= 0 && d >= 0 && m >= 0) {
        if (y < m && y < d)
            settings.dateOrder = DateOrder::YearMonthDay;
        else if (d < m)
            settings.dateOrder = DateOrder::DayMonthYear;
        else
            settings.dateOrder = DateOrder::MonthDayYear;
    }
    for (QChar c : pattern) {
        if (!c.isLetter()) {
            settings.dateSeparator = c;
            break;
        }
    }
    return settings;
}
