// The ground of a level: a textured square on y = 0 whose picture shows the level's
// paths (track, entrance, exit pit) and stone covers over the gaps (tunnels).
#pragma once

#include "tools/generator/geometrija.hpp"
#include "tools/generator/holst.hpp"
#include "tools/generator/uroven.hpp"

namespace generator {

inline constexpr float ПОЛРАЗМЕРА_ЗЕМЛИ = 256.0f;  // the ground spans -256..256 in x and z
inline constexpr int РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ = 1024;

// The texture coordinates of a ground point (x, z).
В2 uv_земли(float x, float z);

Холст текстура_земли(const Уровень& у);
// The ground grid and the tunnel covers, all mapped into the level's ground texture.
Геометрия модель_земли(const Уровень& у);

}  // namespace generator
