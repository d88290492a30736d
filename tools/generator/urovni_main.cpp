// Writes the level files of the shipped designs into a folder (normally data/уровни).
// The build does not run it: the committed level files are the sources people edit.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>

#include "tools/generator/uroven.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: igra_urovni FOLDER\n");
        return 2;
    }
    try {
        std::filesystem::path папка = argv[1];
        std::filesystem::create_directories(папка);
        for (int n = 1; n <= generator::УРОВНЕЙ; ++n) {
            std::ofstream ф(папка / fmt::format("поле{:02d}.txt", n), std::ios::binary);
            ф << generator::текст_уровня(generator::задуманный_уровень(n));
            if (!ф) throw std::runtime_error("не записался уровень " + std::to_string(n));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "igra_urovni: %s\n", e.what());
        return 1;
    }
    return 0;
}
