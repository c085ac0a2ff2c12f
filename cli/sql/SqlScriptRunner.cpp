#include "cli/sql/SqlScriptRunner.h"

#include <istream>
#include <ostream>

#include "foxpro/Error.h"
#include "foxpro/Session.h"

int SqlScriptRunner::run(std::istream& script) {
    std::string line;
    long number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A UTF-8 byte order mark on the first line is not part of the statement.
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        try {
            session_.execute(line);
            ++statements_;
        } catch (const foxpro::Error& e) {
            err_ << "line " << number << ": " << e.what() << "\n";
            return 1;
        }
    }
    return 0;
}
