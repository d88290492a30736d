#include "src/pole.hpp"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "src/nastroiki.hpp"
#include "src/csv.hpp"
#include "src/put.hpp"

namespace pole {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

constexpr const char* МОДУЛЬ = "поле";

std::vector<std::string> разбить_на_строки(std::string_view текст) {
    std::vector<std::string> строки;
    std::size_t начало = 0;
    while (true) {
        const std::size_t конец = текст.find('\n', начало);
        if (конец == std::string_view::npos) {
            строки.emplace_back(текст.substr(начало));
            return строки;
        }
        строки.emplace_back(текст.substr(начало, конец - начало));
        начало = конец + 1;
    }
}

// The rows of a block as получение_строки_массива returns it: every line ends in a line feed.
std::vector<std::string> строки_блока(std::string_view блок) {
    auto строки = разбить_на_строки(блок);
    строки.pop_back();
    return строки;
}

std::string прочитать_файл(const std::string& имя) {
    std::error_code ошибка;
    const std::filesystem::path путь(имя);
    if (!std::filesystem::exists(путь, ошибка)) throw ПолеИсключение(fmt::sprintf("Не найден файл %s", имя));
    const auto нечитаемый = [&] { return ПолеИсключение(fmt::sprintf("Файл %s не читается!", имя)); };
    if (!std::filesystem::is_regular_file(путь, ошибка)) throw нечитаемый();
    std::ifstream файл(путь, std::ios::binary);
    if (!файл) throw нечитаемый();
    std::string текст{std::istreambuf_iterator<char>(файл), std::istreambuf_iterator<char>()};
    if (файл.bad()) throw нечитаемый();
    return текст;
}

std::vector<Вектор3> строки_вершин(std::string_view блок) {
    std::vector<Вектор3> вершины;
    for (const auto& строка : строки_блока(блок)) {
        // The file's second value is the depth (the scene's -z), the third the height.
        const auto [a, b, c] = csv::вещественные<3>(строка, put::НАИБОЛЬШАЯ_КООРДИНАТА);
        вершины.emplace_back(a, c, -b);
    }
    return вершины;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> строки_разрывов(std::string_view блок) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> разрывы;
    for (const auto& строка : строки_блока(блок)) {
        const auto [a, b] = csv::беззнаковые<2>(строка);
        разрывы.emplace_back(a, b);
    }
    return разрывы;
}

std::vector<Координаты2D<float>> строки_унитазов(std::string_view блок) {
    std::vector<Координаты2D<float>> унитазы;
    for (const auto& строка : строки_блока(блок)) {
        const auto [a, b] = csv::вещественные<2>(строка);
        унитазы.push_back({a, -b});
    }
    return унитазы;
}

Данные разбор(const std::string& текст) {
    Строки строки{разбить_на_строки(текст)};
    Данные данные;
    данные.количество_путей =
        получение_количества(получение_заголовка(строки, "количество_путей="), "количество_путей");
    // The line after the head is skipped whatever it holds.
    if (!строки.пусто()) ++строки.следующая;

    for (std::int32_t i = 0; i < данные.количество_путей; ++i) {
        const std::int32_t n = получение_количества(получение_заголовка(строки, "вершины "), "вершины");
        if (n != i) throw ПолеИсключение(fmt::sprintf("Ошибка массива с вершинами № %d", n));
        данные.вершины.push_back(строки_вершин(получение_строки_массива(строки)));
    }
    for (std::int32_t i = 0; i < данные.количество_путей; ++i) {
        const std::int32_t n = получение_количества(получение_заголовка(строки, "разрывы "), "разрывы");
        if (n != i) throw ПолеИсключение(fmt::sprintf("Ошибка массива с разрывами № %d", n));
        данные.разрывы.push_back(строки_разрывов(получение_строки_массива(строки)));
    }
    получение_заголовка(строки, "унитазы");
    данные.унитазы = строки_унитазов(получение_строки_массива(строки));
    return данные;
}

}  // namespace

std::string Данные::toString() const {
    std::string текст = fmt::sprintf("Пути: %d шт.\n", количество_путей);
    for (std::size_t i = 0; i < вершины.size(); ++i) текст += fmt::sprintf("путь %d: %d вершин\n", i, вершины[i].size());
    текст += fmt::sprintf("\nСписки разрывов: %d шт.\n", разрывы.size());
    for (std::size_t i = 0; i < разрывы.size(); ++i)
        текст += fmt::sprintf("путь %d: %d разрывов\n", i, разрывы[i].size());
    текст += fmt::sprintf("\nУнитазы: %d унитазов", унитазы.size());
    return текст;
}

std::string получение_имени_файла(std::int32_t номер, std::string_view данные) {
    return std::string(данные) + fmt::sprintf("поле%02d.txt", номер);
}

std::string получение_имени_файла(std::int32_t номер) {
    return получение_имени_файла(номер, nastroiki::настройки.данные());
}

std::string получение_заголовка(Строки& строки, std::string_view заголовок) {
    if (строки.пусто() || !std::string_view(строки.строки[строки.следующая]).starts_with(заголовок))
        throw ПолеИсключение(fmt::sprintf("В файле отсутствует%s", std::string(заголовок)));
    std::string остаток = строки.строки[строки.следующая].substr(заголовок.size());
    ++строки.следующая;
    return остаток;
}

std::int32_t получение_количества(std::string_view текст, std::string_view имя) {
    std::string_view цифры = текст;
    // from_chars takes a leading minus only; one plus is accepted as well.
    if (!цифры.empty() && цифры.front() == '+') {
        цифры.remove_prefix(1);
        if (!цифры.empty() && цифры.front() == '-') цифры = {};
    }
    std::int32_t число = 0;
    const auto [конец, ошибка] = std::from_chars(цифры.data(), цифры.data() + цифры.size(), число);
    if (цифры.empty() || ошибка != std::errc{} || конец != цифры.data() + цифры.size())
        throw ПолеИсключение(fmt::sprintf("Ошибка с определением %s", std::string(имя)));
    return число;
}

std::string получение_строки_массива(Строки& строки) {
    std::string блок;
    while (!строки.пусто()) {
        const std::string& строка = строки.строки[строки.следующая++];
        // Only the space counts as blank here: a tab keeps the line in the block.
        if (строка.find_first_not_of(' ') == std::string::npos) break;
        блок += строка;
        блок += '\n';
    }
    return блок;
}

Данные загрузка_файла(std::int32_t номер, std::string_view данные) {
    const std::string имя = получение_имени_файла(номер, данные);
    try {
        return разбор(прочитать_файл(имя));
    } catch (const std::exception& ошибка) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Файл %s: %s", имя, ошибка.what()); });
        throw;
    }
}

Данные загрузка_файла(std::int32_t номер) { return загрузка_файла(номер, nastroiki::настройки.данные()); }

}  // namespace pole
