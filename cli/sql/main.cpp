// brindlecast-sql: runs a FoxPro SQL script on a folder of free tables, or lists its tables.
#include <fstream>
#include <iostream>
#include <string>

#include "cli/sql/SqlScriptRunner.h"
#include "foxpro/Error.h"
#include "foxpro/Session.h"

namespace {

const char* const kUsage =
    "Usage: brindlecast-sql TARGET [SCRIPT]\n"
    "       brindlecast-sql --tables TARGET\n"
    "\n"
    "Executes the statements of SCRIPT (or standard input), one per line, on the FoxPro\n"
    "target TARGET (a folder of free tables). Blank lines are skipped. The first refused\n"
    "statement stops the run: its line number and description go to standard error and\n"
    "the exit status is 1.\n"
    "\n"
    "  --tables TARGET  print the target's table names, one per line\n"
    "  --help           show this text\n"
    "\n"
    "Exit status: 0 every statement ran, 1 a statement was refused, 2 usage or target failure.\n";

int usage() {
    std::cerr << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return 0;
    }
    try {
        if (first == "--tables") {
            if (argc != 3) return usage();
            auto session = foxpro::Session::openFolder(argv[2]);
            for (const std::string& name : session->tableNames()) std::cout << name << "\n";
            return 0;
        }
        if (argc < 2 || argc > 3 || first.empty() || first[0] == '-') return usage();
        auto session = foxpro::Session::openFolder(first);
        SqlScriptRunner runner(*session, std::cerr);
        int status;
        if (argc == 3) {
            std::ifstream script(argv[2], std::ios::binary);
            if (!script) {
                std::cerr << "brindlecast-sql: cannot read " << argv[2] << "\n";
                return 2;
            }
            status = runner.run(script);
        } else {
            status = runner.run(std::cin);
        }
        session->close();
        return status;
    } catch (const foxpro::Error& e) {
        std::cerr << "brindlecast-sql: " << e.what() << "\n";
        return 2;
    }
}
