// Reading rows of comma-separated values (a value may stand in double quotes)
// into numbers, for the game's text data files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/printf.h>

namespace csv {

// A row with too few values, a malformed quote or a value that is not a number of its type.
class CsvИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The values of one row (the row holds no line feed). A value in double quotes may
// hold the separator, and a doubled quote inside it stands for one quote. An
// unterminated quote or text between a closing quote and the separator throws.
// A carriage return is an ordinary character.
std::vector<std::string> значения_строки(std::string_view строка);

// Strict conversions: the whole value must be the number, without blanks.
// A real may carry one sign and must be finite; its magnitude must not exceed предел.
float в_вещественное(std::string_view значение, float предел = std::numeric_limits<float>::max());
// Decimal digits only, no sign, within 32 bits.
std::uint32_t в_беззнаковое(std::string_view значение);

// The first N values of the row converted; values after the N-th are not looked at.
template <std::size_t N>
std::array<float, N> вещественные(std::string_view строка, float предел = std::numeric_limits<float>::max());
template <std::size_t N>
std::array<std::uint32_t, N> беззнаковые(std::string_view строка);

namespace detail {
void проверить_количество(std::string_view строка, std::size_t найдено, std::size_t нужно);
}

template <std::size_t N>
std::array<float, N> вещественные(std::string_view строка, float предел) {
    const auto значения = значения_строки(строка);
    detail::проверить_количество(строка, значения.size(), N);
    std::array<float, N> результат{};
    for (std::size_t i = 0; i < N; ++i) результат[i] = в_вещественное(значения[i], предел);
    return результат;
}

template <std::size_t N>
std::array<std::uint32_t, N> беззнаковые(std::string_view строка) {
    const auto значения = значения_строки(строка);
    detail::проверить_количество(строка, значения.size(), N);
    std::array<std::uint32_t, N> результат{};
    for (std::size_t i = 0; i < N; ++i) результат[i] = в_беззнаковое(значения[i]);
    return результат;
}

}  // namespace csv
