// Writes the seed corpora of the reader fuzzers into <folder>/mesh and <folder>/skelet.
#include <filesystem>
#include <iostream>

#include "zatravki.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "использование: fuzz_zatravki <папка>\n";
        return 2;
    }
    const std::filesystem::path папка(argv[1]);
    std::filesystem::create_directories(папка / "mesh");
    std::filesystem::create_directories(папка / "skelet");
    const auto меши = zatravki::меши();
    for (std::size_t i = 0; i < меши.size(); ++i) pisatel::записать(папка / "mesh" / ("меш" + std::to_string(i)), меши[i]);
    pisatel::записать(папка / "skelet" / "скелет0", zatravki::скелет());
    pisatel::записать(папка / "skelet" / "скелет1", pisatel::скелет(zatravki::кости(), {}));
    return 0;
}
