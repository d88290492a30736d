// The game's images: ball textures, the colour palette the models are painted
// from, the button atlases and the pictures of the info panels.
#pragma once

#include <array>
#include <string>

#include "tools/generator/holst.hpp"

namespace generator {

// The six ball colours, colour-blind friendly; entry c is ball colour c (texture c + 1).
const std::array<Цвет, 6>& цвета_шариков();

// The ball texture's size in pixels; the ball's texture coordinates keep half a texel inside it.
inline constexpr int ШИРИНА_ТЕКСТУРЫ_ШАРИКА = 256;
inline constexpr int ВЫСОТА_ТЕКСТУРЫ_ШАРИКА = 128;

// A ball texture: the colour with its own light or dark motif, so that the colours
// differ in pattern as well as hue and a rolling ball shows its turn.
// The band 0.1 <= v <= 0.25 is plain colour: the digit glyphs take their colour there.
Холст текстура_шарика(int цвет, bool прозрачная);

// The plain-colour palette that the models are painted from: an 8 x 8 grid of cells.
enum class Краска {
    Фаянс, СветлоСерый, ТёмноСерый, Чёрный, Бронза, ТёмноеДерево, Железо, Олива,
    Красный, Жёлтый, Стекло, СинийПластик, РозовыйПластик, Зелёный, Оранжевый, Латунь,
    Белый, Голубой, Фиолетовый, Песок,
};
inline constexpr int КЛЕТОК_ПАЛИТРЫ = 8;
Холст текстура_палитры();
// The texture coordinates of the middle of a paint's cell.
В2 uv_краски(Краска к);

}  // namespace generator
