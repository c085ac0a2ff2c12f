#pragma once

#include <QString>
#include <stdexcept>

// The one failure type that crosses layers: a number (the driver's or FoxPro's error number,
// 0 where none exists) and the description the user is shown.
class Failure : public std::runtime_error {
public:
    Failure(long number, const QString& description);

    long number() const { return number_; }
    const QString& description() const { return description_; }

    // The description of whatever was thrown, for reports that must not lose a failure.
    static QString describe(const std::exception& e);

private:
    long number_;
    QString description_;
};
