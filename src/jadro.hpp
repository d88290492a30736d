// The shot: the ball the cannon fires. It flies on a parabola down to ball height,
// rolls on, lives at most a second, and reports each frame where it is.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "src/put.hpp"
#include "zyr/types.hpp"
#include "zyr/vector.hpp"

namespace sharik {
class Шарик;
}

namespace jadro {

using put::Пересечение;
using zyr::types::Координаты2D;
using zyr::vector::Вектор3;

inline constexpr float НЕ_ЗАДАНО = std::numeric_limits<float>::quiet_NaN();
inline constexpr Вектор3 НЕ_ЗАДАННЫЙ_ВЕКТОР{НЕ_ЗАДАНО, НЕ_ЗАДАНО, НЕ_ЗАДАНО};

// Units a second squared, downwards.
inline constexpr float УСКОРЕНИЕ_ПАДЕНИЯ = 400.0f;
// The height of a ball's centre on the ground: the shot comes down to it and rolls there.
inline constexpr float ВЫСОТА_ШАРИКА = 4.667f;
// Seconds; a shot older than this is killed.
inline constexpr float НАИБОЛЬШИЙ_ВОЗРАСТ = 1.0f;

// What the cannon hands to the shot. The colour is unsigned: an empty cannon hands
// over 4294967295, which reads as −1 taken as a signed int and which the shot refuses.
struct Заряд {
    std::uint32_t цвет = 0;
    // The start point: the cannon's position.
    Вектор3 позиция = НЕ_ЗАДАННЫЙ_ВЕКТОР;
    // The cannon's turn about y and its tilt (positive up), radians.
    float поворот = НЕ_ЗАДАНО;
    float наклон = НЕ_ЗАДАНО;

    std::string toString() const;
};

// The answer of loading and firing: where the shot starts, where it comes down to
// ball height (x and z) and its horizontal velocity (x and z, units a second).
// A refused shot has выстрел false and every float NaN.
struct РезультатВыстрела {
    bool выстрел = false;
    Вектор3 позиция = НЕ_ЗАДАННЫЙ_ВЕКТОР;
    Координаты2D<float> точка_падения{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
    Координаты2D<float> направление{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
};

enum class ТипРезультатаДвижения : std::int32_t {
    НЕ_ЛЕТИТ = 0,
    В_ПОЛЁТЕ = 1,        // above ball height
    НА_ВЫСОТЕ_ШАРА = 2,  // down at ball height, rolling
};

// One report of the shot. A flight step fills kind, point and colour; a place on a
// path (path number, segment, offset and colour) names where a shot ball goes into
// a chain. What a constructor does not take keeps its default: NaN floats, 0 numbers.
struct РезультатДвижения {
    ТипРезультатаДвижения тип = ТипРезультатаДвижения::НЕ_ЛЕТИТ;
    std::uint64_t номер_пути = 0;
    std::uint32_t сегмент = 0;
    float смещение = НЕ_ЗАДАНО;
    std::uint32_t цвет = 0;
    Вектор3 точка = НЕ_ЗАДАННЫЙ_ВЕКТОР;

    explicit РезультатДвижения(ТипРезультатаДвижения тип_ = ТипРезультатаДвижения::НЕ_ЛЕТИТ) : тип(тип_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, const Вектор3& точка_, std::uint32_t цвет_)
        : тип(тип_), цвет(цвет_), точка(точка_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, std::uint64_t номер_пути_, std::uint32_t сегмент_,
                      float смещение_, std::uint32_t цвет_)
        : тип(тип_), номер_пути(номер_пути_), сегмент(сегмент_), смещение(смещение_), цвет(цвет_) {}
};

}  // namespace jadro
