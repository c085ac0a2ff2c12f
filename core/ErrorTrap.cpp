#include "core/ErrorTrap.h"

#include <exception>

#include "core/Failure.h"
#include "core/Product.h"

ErrorTrap::ErrorTrap(ErrorReporter& reporter, QString location)
    : reporter_(reporter), location_(std::move(location)) {}

void ErrorTrap::reportCurrentFailure() {
    try {
        throw;
    } catch (const std::exception& e) {
        report(Failure::describe(e));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
}

void ErrorTrap::report(const QString& description) {
    reporter_.reportError(QString::fromLatin1(kTitle), message(description, location_, line_));
}

QString ErrorTrap::message(const QString& description, const QString& location, int line) {
    return description + QStringLiteral("\r\nin Brindlecast2021/08/31.") + location +
           QStringLiteral(" at line ") + QString::number(line) + QStringLiteral("\r\r") +
           QStringLiteral("Please email screenshot of this message to ") +
           QString::fromLatin1(Product::kSupportEmail);
}
