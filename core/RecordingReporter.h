#pragma once

#include <QStringList>

#include "core/ErrorReporter.h"

// Keeps every report in order instead of showing it.
class RecordingReporter : public ErrorReporter {
public:
    void reportError(const QString& title, const QString& message) override;

    QStringList titles;
    QStringList messages;
};
