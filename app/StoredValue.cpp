#include "app/StoredValue.h"

#include <cmath>

#include "core/Failure.h"

namespace {
const long kTypeMismatch = 13;
const long kOverflow = 6;
const long kInvalidPropertyValue = 380;

bool parseNumber(const QString& text, double& number) {
    bool ok = false;
    number = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(number);
}
}  // namespace

namespace StoredValue {

int toCheckState(const QString& text) {
    double number = 0;
    if (!parseNumber(text, number)) throw Failure(kTypeMismatch, QStringLiteral("Type mismatch"));
    const double rounded = std::nearbyint(number);  // the default rounding mode: half to even
    if (rounded < -32768 || rounded > 32767) throw Failure(kOverflow, QStringLiteral("Overflow"));
    const int value = static_cast<int>(rounded);
    if (value < 0 || value > 2)
        throw Failure(kInvalidPropertyValue, QStringLiteral("Invalid property value"));
    return value;
}

bool toTruth(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    double number = 0;
    if (!parseNumber(text, number)) throw Failure(kTypeMismatch, QStringLiteral("Type mismatch"));
    return number != 0;
}

QString fromTruth(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

}  // namespace StoredValue
