#include "zyr/dvoichnyi_fail.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace zyr::dvoichnyi_fail {

СодержимоеФайла прочитать_весь_файл(const std::string& путь) {
    СодержимоеФайла результат;
    std::ifstream поток(путь, std::ios::binary | std::ios::ate);
    if (!поток) return результат;
    // Only a regular file reports a size worth trusting (a directory may claim any).
    std::error_code ошибка;
    const auto размер = std::filesystem::is_regular_file(путь, ошибка) ? поток.tellg() : std::streampos(-1);
    if (размер >= 0) {
        поток.seekg(0);
        результат.байты.resize(static_cast<std::size_t>(размер));
        поток.read(reinterpret_cast<char*>(результат.байты.data()), размер);
        if (!поток) return {};
    } else {
        // Not seekable: read it in pieces.
        поток.clear();
        std::vector<char> буфер((std::istreambuf_iterator<char>(поток)), std::istreambuf_iterator<char>());
        if (поток.bad()) return {};
        результат.байты.resize(буфер.size());
        if (!буфер.empty()) std::memcpy(результат.байты.data(), буфер.data(), буфер.size());
    }
    результат.прочитан = true;
    return результат;
}

СодержимоеФайла прочитать_начало_файла(const std::string& путь, std::size_t сколько) {
    СодержимоеФайла результат;
    std::ifstream поток(путь, std::ios::binary);
    if (!поток) return результат;
    результат.байты.resize(сколько);
    поток.read(reinterpret_cast<char*>(результат.байты.data()), static_cast<std::streamsize>(сколько));
    if (поток.bad()) return {};
    результат.байты.resize(static_cast<std::size_t>(поток.gcount()));
    результат.прочитан = true;
    return результат;
}

bool заголовок_совпадает(std::span<const std::byte> байты, std::uint16_t версия, std::string_view что) {
    const std::byte заголовок[] = {std::byte{'Z'}, std::byte{'Y'}, std::byte{'R'}, std::byte{' '},
                                   static_cast<std::byte>(версия & 0xFF), static_cast<std::byte>(версия >> 8)};
    if (байты.size() >= 6 && std::equal(заголовок, заголовок + 6, байты.begin())) return true;
    std::cout << байты_в_строку(байты.first(std::min<std::size_t>(6, байты.size())))
              << "\nСлучилась ошибка заголовка при чтении файла " << что << std::endl;
    return false;
}

std::string байты_в_строку(std::span<const std::byte> байты) {
    std::string текст = "[";
    for (std::size_t i = 0; i < байты.size(); ++i) {
        if (i) текст += ", ";
        текст += std::to_string(std::to_integer<unsigned>(байты[i]));
    }
    return текст + "]";
}

}  // namespace zyr::dvoichnyi_fail
