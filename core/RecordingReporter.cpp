#include "core/RecordingReporter.h"

void RecordingReporter::reportError(const QString& title, const QString& message) {
    titles << title;
    messages << message;
}
