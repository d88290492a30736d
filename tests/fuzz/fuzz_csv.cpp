// Fuzzes the row reader of the game's text data: any bytes as one row. A row
// either reads or is refused with CsvИсключение; the values it gives come back
// unchanged from the row written with every value quoted; the numbers it
// converts are finite, within their bound, and an unsigned value is its digits.
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "src/csv.hpp"

namespace {

volatile float сток = 0;

std::string в_кавычках(const std::vector<std::string>& значения) {
    std::string строка;
    for (std::size_t i = 0; i < значения.size(); ++i) {
        if (i > 0) строка += ',';
        строка += '"';
        for (const char c : значения[i]) строка += c == '"' ? std::string("\"\"") : std::string(1, c);
        строка += '"';
    }
    return строка;
}

void проверить_числа(const std::string& значение) {
    try {
        const float число = csv::в_вещественное(значение, 1000.0f);
        if (!std::isfinite(число) || std::fabs(число) > 1000.0f) std::abort();
    } catch (const csv::CsvИсключение&) {
    }
    try {
        const std::uint32_t число = csv::в_беззнаковое(значение);
        const std::size_t значащие = std::min(значение.find_first_not_of('0'), значение.size() - 1);
        if (std::to_string(число) != std::string_view(значение).substr(значащие)) std::abort();
    } catch (const csv::CsvИсключение&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    const std::string_view строка(reinterpret_cast<const char*>(данные), размер);
    std::vector<std::string> значения;
    try {
        значения = csv::значения_строки(строка);
    } catch (const csv::CsvИсключение&) {
        return 0;
    }
    if (значения.empty() || csv::значения_строки(в_кавычках(значения)) != значения) std::abort();
    for (std::size_t i = 0; i < значения.size() && i < 4; ++i) проверить_числа(значения[i]);

    try {
        const auto [x, y, z] = csv::вещественные<3>(строка, 100000.0f);
        сток = x + y + z;
    } catch (const csv::CsvИсключение&) {
    }
    try {
        const auto [a, b] = csv::беззнаковые<2>(строка);
        сток = static_cast<float>(a) + static_cast<float>(b);
    } catch (const csv::CsvИсключение&) {
    }
    return 0;
}
