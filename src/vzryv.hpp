// Explosions: short bursts in the colour of a ball where balls are blown away.
// The chains and the path set describe them with ДанныеВзрыва.
#pragma once

#include <cstdint>

#include "zyr/vector.hpp"

namespace vzryv {

// Where an explosion goes and in which colour: a removed ball's colour (0 to 5)
// and scene position.
struct ДанныеВзрыва {
    std::uint32_t номер_цвета = 0;
    zyr::vector::Вектор3 позиция;

    friend bool operator==(const ДанныеВзрыва&, const ДанныеВзрыва&) = default;
};

}  // namespace vzryv
