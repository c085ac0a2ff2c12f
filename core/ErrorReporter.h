#pragma once

#include <QString>

// Shows an unexpected failure to the user and waits until it has been acknowledged.
// The windows show a message box; tests and the command-line tools record or print the text.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(const QString& title, const QString& message) = 0;
};
