#include "cli/sql/SqlScriptRunner.h"

#include <istream>
#include <ostream>
#include <vector>

#include "foxpro/Error.h"
#include "foxpro/Session.h"

int SqlScriptRunner::run(std::istream& script) {
    // Reads in large blocks and cuts lines out of them: a script of a million rows is mostly
    // reading, so this matters as much as the engine.
    std::string block;
    std::string carry;
    long number = 0;
    std::vector<char> chunk(1 << 20);
    bool more = true;
    while (more) {
        script.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::streamsize got = script.gcount();
        more = got > 0;
        block.assign(carry);
        block.append(chunk.data(), static_cast<std::size_t>(got));
        carry.clear();
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = block.find('\n', start);
            if (end == std::string::npos) {
                if (more) {
                    carry.assign(block, start, std::string::npos);
                } else if (start < block.size()) {
                    if (!runLine(std::string_view(block).substr(start), ++number)) return 1;
                }
                break;
            }
            if (!runLine(std::string_view(block).substr(start, end - start), ++number)) return 1;
            start = end + 1;
        }
    }
    return 0;
}

bool SqlScriptRunner::runLine(std::string_view line, long number) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A UTF-8 byte order mark on the first line is not part of the statement.
    if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
    try {
        session_.execute(line);
        ++statements_;
    } catch (const foxpro::Error& e) {
        err_ << "line " << number << ": " << e.what() << "\n";
        return false;
    }
    return true;
}
