// Times the engine alone: the statements are read into memory first, then executed one by one
// on a fresh folder. Usage: foxpro_insert_bench SCRIPT FOLDER; prints seconds and statements.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "foxpro/Session.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::ifstream in(argv[1]);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    auto session = foxpro::Session::openFolder(argv[2]);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& line : lines) session->execute(line);
    session->close();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.6f %zu\n", seconds, lines.size());
    return 0;
}
