#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace foxpro {
class Session;
}

// Executes a script on a FoxPro session one line at a time: blank lines are skipped, the first
// refused statement stops the run. Returns 0, or 1 after writing "line N: description" to `err`.
class SqlScriptRunner {
public:
    SqlScriptRunner(foxpro::Session& session, std::ostream& err) : session_(session), err_(err) {}
    int run(std::istream& script);
    long statements() const { return statements_; }

private:
    // Runs one line; false when the statement was refused (and reported).
    bool runLine(std::string_view line, long number);

    foxpro::Session& session_;
    std::ostream& err_;
    long statements_ = 0;
};
