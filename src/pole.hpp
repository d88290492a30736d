// The field of one level: reading the level file (paths, their gaps and the
// bonus sites) into Данные.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zyr/types.hpp"
#include "zyr/vector.hpp"

namespace pole {

using zyr::types::Координаты2D;
using zyr::vector::Вектор3;

// A level file that is missing, unreadable or malformed. Malformed rows throw
// csv::CsvИсключение instead.
class ПолеИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Данные {
    std::int32_t количество_путей = 0;
    // Per path, in path order: the vertices in scene coordinates.
    std::vector<std::vector<Вектор3>> вершины;
    // Per path: gaps as (first vertex, second vertex).
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> разрывы;
    // Bonus sites on the ground: (x, y) is the scene's (x, 0, y).
    std::vector<Координаты2D<float>> унитазы;

    std::string toString() const;
};

// The lines of a level file not yet consumed.
struct Строки {
    std::vector<std::string> строки;
    std::size_t следующая = 0;

    bool пусто() const { return следующая >= строки.size(); }
};

// The level file of level номер, named after the game setting данные.
Данные загрузка_файла(std::int32_t номер);
// The same with the file name prefix given (a directory with its trailing "/").
Данные загрузка_файла(std::int32_t номер, std::string_view данные);

// The steps of загрузка_файла.
std::string получение_имени_файла(std::int32_t номер);
std::string получение_имени_файла(std::int32_t номер, std::string_view данные);
// The rest of the first remaining line after заголовок; consumes that line.
std::string получение_заголовка(Строки& строки, std::string_view заголовок);
// The whole text as a 32-bit signed integer; имя names it in the error.
std::int32_t получение_количества(std::string_view текст, std::string_view имя);
// The lines of a block, each followed by a line feed, up to and consuming the
// first line that holds nothing but blanks.
std::string получение_строки_массива(Строки& строки);

}  // namespace pole
