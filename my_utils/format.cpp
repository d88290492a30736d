#include "my_utils/format.hpp"

#include <cctype>
#include <cstdio>

namespace my_utils::format {

std::string текст_числа(long long значение) { return std::to_string(значение); }
std::string текст_числа(unsigned long long значение) { return std::to_string(значение); }

std::string текст_числа(double значение) {
    char буфер[64];
    std::snprintf(буфер, sizeof буфер, "%g", значение);
    return буфер;
}

namespace detail {

std::string буквы_преобразований(std::string_view формат) {
    std::string буквы;
    for (std::size_t i = 0; i < формат.size(); ++i) {
        if (формат[i] != '%') continue;
        ++i;
        if (i < формат.size() && формат[i] == '%') continue;
        // Flags, width, precision and length modifiers come before the letter.
        while (i < формат.size() && !std::isalpha(static_cast<unsigned char>(формат[i])) ) ++i;
        while (i < формат.size() && std::string_view("hlLqjzt").find(формат[i]) != std::string_view::npos) ++i;
        if (i < формат.size()) буквы.push_back(формат[i]);
    }
    return буквы;
}

}  // namespace detail
}  // namespace my_utils::format
