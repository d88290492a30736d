#include "src/csv.hpp"

#include <charconv>
#include <cmath>
#include <system_error>

namespace csv {

namespace {

constexpr char РАЗДЕЛИТЕЛЬ = ',';
constexpr char КАВЫЧКА = '"';

}  // namespace

std::vector<std::string> значения_строки(std::string_view строка) {
    std::vector<std::string> значения;
    std::size_t i = 0;
    while (true) {
        std::string значение;
        if (i < строка.size() && строка[i] == КАВЫЧКА) {
            ++i;
            bool закрыта = false;
            while (i < строка.size()) {
                if (строка[i] == КАВЫЧКА) {
                    if (i + 1 < строка.size() && строка[i + 1] == КАВЫЧКА) {
                        значение += КАВЫЧКА;
                        i += 2;
                        continue;
                    }
                    ++i;
                    закрыта = true;
                    break;
                }
                значение += строка[i++];
            }
            if (!закрыта)
                throw CsvИсключение(fmt::sprintf("Незакрытая кавычка в строке \"%s\"", std::string(строка)));
            if (i < строка.size() && строка[i] != РАЗДЕЛИТЕЛЬ)
                throw CsvИсключение(
                    fmt::sprintf("Лишний текст после кавычки в строке \"%s\"", std::string(строка)));
        } else {
            while (i < строка.size() && строка[i] != РАЗДЕЛИТЕЛЬ) значение += строка[i++];
        }
        значения.push_back(std::move(значение));
        if (i >= строка.size()) break;
        ++i;  // the separator; a row ending in one has an empty last value
    }
    return значения;
}

float в_вещественное(std::string_view значение, float предел) {
    std::string_view цифры = значение;
    // from_chars takes a leading minus only; one plus is accepted as well.
    if (!цифры.empty() && цифры.front() == '+') {
        цифры.remove_prefix(1);
        if (!цифры.empty() && (цифры.front() == '+' || цифры.front() == '-')) цифры = {};
    }
    float число = 0.0f;
    const auto [конец, ошибка] = std::from_chars(цифры.data(), цифры.data() + цифры.size(), число);
    if (цифры.empty() || ошибка != std::errc{} || конец != цифры.data() + цифры.size())
        throw CsvИсключение(fmt::sprintf("Значение \"%s\" не является вещественным числом", std::string(значение)));
    if (!std::isfinite(число))
        throw CsvИсключение(fmt::sprintf("Значение \"%s\" не является конечным числом", std::string(значение)));
    if (std::fabs(число) > предел)
        throw CsvИсключение(fmt::sprintf("Значение \"%s\" вне пределов ±%g", std::string(значение), предел));
    return число;
}

std::uint32_t в_беззнаковое(std::string_view значение) {
    std::uint32_t число = 0;
    const bool только_цифры =
        !значение.empty() && значение.find_first_not_of("0123456789") == std::string_view::npos;
    const auto [конец, ошибка] = std::from_chars(значение.data(), значение.data() + значение.size(), число);
    if (!только_цифры || ошибка != std::errc{} || конец != значение.data() + значение.size())
        throw CsvИсключение(
            fmt::sprintf("Значение \"%s\" не является беззнаковым 32-битным целым", std::string(значение)));
    return число;
}

namespace detail {

void проверить_количество(std::string_view строка, std::size_t найдено, std::size_t нужно) {
    if (найдено < нужно)
        throw CsvИсключение(fmt::sprintf("В строке \"%s\" значений %d, а нужно %d", std::string(строка),
                                         static_cast<int>(найдено), static_cast<int>(нужно)));
}

}  // namespace detail

}  // namespace csv
