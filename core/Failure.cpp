#include "core/Failure.h"

Failure::Failure(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

QString Failure::describe(const std::exception& e) {
    if (auto* failure = dynamic_cast<const Failure*>(&e)) return failure->description();
    return QString::fromUtf8(e.what());
}
