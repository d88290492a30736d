// The readers take a path: each fuzz input is put into one in-memory file
// (memfd) that the reader opens by its /proc path, so no disk is touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

}  // namespace fuzz_fail
