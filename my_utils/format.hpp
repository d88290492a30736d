// printf-style message texts with "%s" taking any value: numbers, booleans and
// strings alike, as the messages are written throughout the system.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include <fmt/args.h>
#include <fmt/printf.h>

namespace my_utils::format {

// "%s" text of a number: integers in decimal, reals in the shortest general
// form with up to six significant digits (200, 7.2, 1e+07).
std::string текст_числа(long long значение);
std::string текст_числа(unsigned long long значение);
std::string текст_числа(double значение);

namespace detail {

// The conversion letter of every directive of a printf format, in order ('%%' skipped).
std::string буквы_преобразований(std::string_view формат);

template <class T>
void добавить(fmt::dynamic_format_arg_store<fmt::printf_context>& аргументы, char буква, const T& значение) {
    using Т = std::decay_t<T>;
    if constexpr (std::is_same_v<Т, bool>) {
        if (буква == 's') аргументы.push_back(std::string(значение ? "true" : "false"));
        else аргументы.push_back(значение);
    } else if constexpr (std::is_integral_v<Т> && !std::is_same_v<Т, char>) {
        if (буква == 's') {
            if constexpr (std::is_signed_v<Т>) аргументы.push_back(текст_числа(static_cast<long long>(значение)));
            else аргументы.push_back(текст_числа(static_cast<unsigned long long>(значение)));
        } else {
            аргументы.push_back(значение);
        }
    } else if constexpr (std::is_floating_point_v<Т>) {
        if (буква == 's') аргументы.push_back(текст_числа(static_cast<double>(значение)));
        else аргументы.push_back(значение);
    } else {
        аргументы.push_back(значение);
    }
}

}  // namespace detail

// fmt::sprintf, except that "%s" also formats numbers and booleans.
template <class... Аргументы>
std::string sprintf(std::string_view формат, const Аргументы&... аргументы) {
    const std::string буквы = detail::буквы_преобразований(формат);
    fmt::dynamic_format_arg_store<fmt::printf_context> хранилище;
    std::size_t номер = 0;
    (detail::добавить(хранилище, номер < буквы.size() ? буквы[номер++] : 's', аргументы), ...);
    return fmt::vsprintf(fmt::string_view(формат.data(), формат.size()), хранилище);
}

// "[a, b, c]": each element through `в_текст`, joined by ", ".
template <class Элементы, class ВТекст>
std::string список(const Элементы& элементы, ВТекст в_текст) {
    std::string текст = "[";
    bool первый = true;
    for (const auto& элемент : элементы) {
        if (!первый) текст += ", ";
        первый = false;
        текст += в_текст(элемент);
    }
    return текст + "]";
}

}  // namespace my_utils::format
