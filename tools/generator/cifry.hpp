// The ten 3D digit glyphs of the floating score numbers.
#pragma once

#include "tools/generator/geometrija.hpp"

namespace generator {

// Digit d (0..9), about 0.6 wide and 1 tall, lying in the x-z plane with its top
// towards -z and its front facing +y; its texture coordinates fall in the plain
// band of the ball textures, so the digit takes the ball colour.
Геометрия модель_цифры(int d);

}  // namespace generator
