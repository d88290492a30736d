// How the fuzz inputs reach the readers. Readers that take a path get each input
// in one in-memory file (memfd) opened by its /proc path, so no disk is touched;
// readers that find their file by name in a folder get it written into a
// private folder that lives as long as the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace fuzz_fail {

inline const std::string& путь_с_данными(const std::uint8_t* данные, std::size_t размер) {
    static const int fd = memfd_create("fuzz_vvod", 0);
    static const std::string путь = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
    std::size_t записано = 0;
    while (записано < размер) {
        const auto n = pwrite(fd, данные + записано, размер - записано, static_cast<off_t>(записано));
        if (n <= 0) std::abort();
        записано += static_cast<std::size_t>(n);
    }
    return путь;
}

// A fresh folder under the system's temporary directory, removed at exit.
class Папка {
public:
    Папка() {
        std::string шаблон = (std::filesystem::temp_directory_path() / "igra_fuzz_XXXXXX").string();
        if (mkdtemp(шаблон.data()) == nullptr) std::abort();
        путь_ = шаблон;
    }
    ~Папка() {
        std::error_code ошибка;
        std::filesystem::remove_all(путь_, ошибка);
    }
    Папка(const Папка&) = delete;
    Папка& operator=(const Папка&) = delete;

    const std::filesystem::path& путь() const { return путь_; }

private:
    std::filesystem::path путь_;
};

// Replaces the file's content with the input.
inline void записать(const std::filesystem::path& файл, const std::uint8_t* данные, std::size_t размер) {
    std::ofstream поток(файл, std::ios::binary | std::ios::trunc);
    поток.write(reinterpret_cast<const char*>(данные), static_cast<std::streamsize>(размер));
    if (!поток) std::abort();
}

}  // namespace fuzz_fail
