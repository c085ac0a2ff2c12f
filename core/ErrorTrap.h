#pragma once

#include <QString>
#include <utility>

#include "core/ErrorReporter.h"

// The trap every command arms first. Each statement runs as a numbered step; a failure is
// reported with the command's location and the step's number, and the command then goes on
// with its next step. Helpers without a trap of their own just throw, so their failures are
// reported here with the caller's location and line.
class ErrorTrap {
public:
    static constexpr const char* kTitle = "Application Error";

    ErrorTrap(ErrorReporter& reporter, QString location);

    // Runs one numbered statement; a failure is reported and swallowed.
    template <class Body>
    void step(int line, Body&& body) {
        enter(line);
        try {
            std::forward<Body>(body)();
        } catch (...) {
            reportCurrentFailure();
        }
    }

    // Runs the test of a conditional; a failing test counts as true, so the guarded
    // body runs, as it does after a failed test in the original command.
    template <class Test>
    bool test(int line, Test&& condition) {
        enter(line);
        try {
            return std::forward<Test>(condition)();
        } catch (...) {
            reportCurrentFailure();
            return true;
        }
    }

    // Marks the line being entered without running anything under the trap (for stretches
    // that a command handles with a handler of its own).
    void enter(int line) { line_ = line; }
    int line() const { return line_; }
    const QString& location() const { return location_; }

    // Reports the failure being handled (call from inside a catch block).
    void reportCurrentFailure();
    void report(const QString& description);

    static QString message(const QString& description, const QString& location, int line);

private:
    ErrorReporter& reporter_;
    QString location_;
    int line_ = 0;
};
