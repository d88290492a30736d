// The shot: the ball that the cannon fires. Here only the report of one flight
// step, which the path set also takes as a place on a path.
#pragma once

#include <cstdint>
#include <limits>

#include "zyr/vector.hpp"

namespace jadro {

using zyr::vector::Вектор3;

enum class ТипРезультатаДвижения : int {
    НЕ_ЛЕТИТ = 0,            // the shot is not flying
    НАД_ШАРИКАМИ = 1,        // above ball height
    НА_ВЫСОТЕ_ШАРИКОВ = 2,   // at ball height
};

// One flight step fills kind, point and colour; path number, segment and offset
// name a place on a path.
struct РезультатДвижения {
    ТипРезультатаДвижения тип = ТипРезультатаДвижения::НЕ_ЛЕТИТ;
    std::uint64_t номер_пути = 0;
    std::uint32_t сегмент = 0;
    float смещение = std::numeric_limits<float>::quiet_NaN();
    std::uint32_t цвет = 0;
    Вектор3 точка{std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN(),
                  std::numeric_limits<float>::quiet_NaN()};

    explicit РезультатДвижения(ТипРезультатаДвижения тип_) : тип(тип_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, const Вектор3& точка_, std::uint32_t цвет_)
        : тип(тип_), цвет(цвет_), точка(точка_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, std::uint64_t номер_пути_, std::uint32_t сегмент_, float смещение_,
                      std::uint32_t цвет_)
        : тип(тип_), номер_пути(номер_пути_), сегмент(сегмент_), смещение(смещение_), цвет(цвет_) {}
};

}  // namespace jadro
