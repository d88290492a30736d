// Levels on the generator's side: the level file written and read back (for drawing
// each level's ground), and the designs of the twelve shipped levels.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tools/generator/vektor.hpp"

namespace generator {

class УровеньИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr float ВЫСОТА_ЦЕНТРА_ШАРИКА = 4.667f;

// A level in scene coordinates: y up, paths and sites on the ground (x, z).
struct Уровень {
    std::vector<std::vector<В3>> пути;                                       // vertices per path
    std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> разрывы;  // gap pairs per path
    std::vector<В2> площадки;                                                 // bonus sites (x, z)
};

// The level file's text: a scene point (x, y, z) is the row x, -z, y; a site (x, z)
// the row x, -z; line feeds only.
std::string текст_уровня(const Уровень& у);
// Reads a level file's text by the same rules as the game's reader (blocks end at a
// line that is empty once blanks are cut); throws УровеньИсключение on a fault.
Уровень разобрать_уровень(const std::string& текст);
Уровень прочитать_уровень(const std::string& путь_к_файлу);

// The segments of a path inside its gaps (segment k runs from vertex k to k + 1).
std::vector<bool> сегменты_в_разрывах(const Уровень& у, std::size_t путь);

// The designs of the shipped levels, 1 to 12.
inline constexpr int УРОВНЕЙ = 12;
Уровень задуманный_уровень(int номер);

}  // namespace generator
