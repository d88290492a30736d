// A small software renderer for looking at generated meshes without the engine:
// perspective view, back faces culled like the game's renderer, Lambert light.
#pragma once

#include "tools/generator/geometrija.hpp"
#include "tools/generator/holst.hpp"

namespace generator {

struct ВидПросмотра {
    В3 направление{-0.55f, -0.45f, -0.7f};  // from the eye towards the model
    float поле_зрения = 0.7f;               // vertical, radians
    Цвет фон{0.25f, 0.27f, 0.3f, 1};
};

// Draws the mesh with its texture (or plain grey without one) into a new canvas,
// framed to fit its bounds.
Холст просмотр(const Геометрия& г, const Холст* текстура, int ширина, int высота, const ВидПросмотра& вид = {});

}  // namespace generator
