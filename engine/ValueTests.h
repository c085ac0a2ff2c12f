#pragma once

#include <QStringView>

#include "engine/RegionalSettings.h"

// The two tests the row statements make on a value text.
namespace ValueTests {

// Reads as a number under the regional settings: optional blanks, optional sign, digits with
// group separators only between groups of three, optional decimal separator and digits,
// optional exponent, optional blanks.
bool isNumeric(QStringView text, const RegionalSettings& settings);

struct DateTimeParts {
    int year = 1899, month = 12, day = 30;  // a time of day alone lies on 30 December 1899
    int hour = 0, minute = 0, second = 0;
};

// Reads as a date, a date and time, or a time of day: ISO dates and date-times
// (yyyy-mm-dd, then " " or "T" and hh:mm[:ss[.fraction]]), the short date of the regional
// settings with a four-digit year and an optional time, or hh:mm[:ss] alone. Nothing looser,
// so "1-2" or "3.5" stay texts. Surrounding blanks are allowed.
bool parseDate(QStringView text, const RegionalSettings& settings, DateTimeParts& parts);

}  // namespace ValueTests
