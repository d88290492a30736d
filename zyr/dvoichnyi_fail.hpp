// Reading the engine's little-endian binary files (meshes, skeletons) without
// ever reading past the end: every read is checked against the bytes left and
// a short file is refused with the reader's own exception.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/printf.h>

namespace zyr::dvoichnyi_fail {

// A file's bytes; `прочитан` is false when it could not be opened or read.
struct СодержимоеФайла {
    std::vector<std::byte> байты;
    bool прочитан = false;
};

СодержимоеФайла прочитать_весь_файл(const std::string& путь);
// At most the first `сколько` bytes.
СодержимоеФайла прочитать_начало_файла(const std::string& путь, std::size_t сколько);

// "[90, 89, 82, 32, 1, 0]": the byte values of the start of a file, for the
// header error line.
std::string байты_в_строку(std::span<const std::byte> байты);

// True when the bytes begin with "ZYR " and the little-endian 16-bit version.
// Otherwise the first bytes and "Случилась ошибка заголовка при чтении файла
// <что>" go to standard output and the answer is false.
bool заголовок_совпадает(std::span<const std::byte> байты, std::uint16_t версия, std::string_view что);

// Refuses a file without the header of its version with the reader's exception.
template <class Исключение>
void проверить_заголовок(std::span<const std::byte> байты, std::uint16_t версия, std::string_view что,
                         const char* сообщение) {
    if (!заголовок_совпадает(байты, версия, что)) throw Исключение(сообщение);
}

// A cursor over a file's bytes. `что` names the file kind in the messages
// ("меша", "скелета").
template <class Исключение>
class ЧтецБайтов {
public:
    ЧтецБайтов(std::span<const std::byte> байты, const char* что) : байты_(байты), что_(что) {}

    std::size_t позиция() const { return позиция_; }
    std::size_t осталось() const { return байты_.size() - позиция_; }

    // Refuses the file unless `сколько` more bytes are there; sizes are size_t,
    // so counts from the file cannot wrap.
    void требовать(std::size_t сколько) const {
        if (сколько > осталось()) {
            throw Исключение(fmt::sprintf("Файл %s обрывается: с байта %d нужно %d байт, а осталось %d", что_,
                                          позиция_, сколько, осталось()));
        }
    }

    std::span<const std::byte> блок(std::size_t сколько) {
        требовать(сколько);
        const auto часть = байты_.subspan(позиция_, сколько);
        позиция_ += сколько;
        return часть;
    }

    void пропустить(std::size_t сколько) { блок(сколько); }

    std::uint16_t u16() {
        const auto b = блок(2);
        return static_cast<std::uint16_t>(std::to_integer<unsigned>(b[0]) | (std::to_integer<unsigned>(b[1]) << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    float f32() {
        const auto b = блок(4);
        std::uint32_t биты = 0;
        for (int i = 3; i >= 0; --i) биты = (биты << 8) | std::to_integer<std::uint32_t>(b[static_cast<std::size_t>(i)]);
        return std::bit_cast<float>(биты);
    }
    // A u16 byte length followed by that many bytes.
    std::string строка() {
        const auto длина = u16();
        const auto b = блок(длина);
        return std::string(reinterpret_cast<const char*>(b.data()), b.size());
    }

private:
    std::span<const std::byte> байты_;
    const char* что_;
    std::size_t позиция_ = 0;
};

// Little-endian values at a fixed offset of a span the caller has checked.
inline std::uint16_t u16_в(std::span<const std::byte> байты, std::size_t смещение) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(байты[смещение]) |
                                      (std::to_integer<unsigned>(байты[смещение + 1]) << 8));
}

}  // namespace zyr::dvoichnyi_fail
