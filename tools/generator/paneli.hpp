// Pictures of the info panels: the start screen's button atlas and backdrop, the
// level buttons, titles, the pause marker, hints, game-over and victory art.
// Captions are set with the Liberation font at generation time.
#pragma once

#include <string>

#include "tools/generator/holst.hpp"

namespace generator {

// Left half the play button, right half the quit button; three bands of 75/256 of
// the height from the top: normal, pointer over it, pressed.
Холст атлас_начальной_заставки(const std::string& файл_шрифта);
// 5 x 5 cells of 100 pixels (25/128 of the side); level i + 1 of the page uses cells
// 3 (i mod 8) to 3 (i mod 8) + 2 as normal, pointer over, pressed. Transparent round
// each button, so that only the button itself answers the pointer.
Холст атлас_уровней(int страница, const std::string& файл_шрифта);
// The backdrop of the start screen and level selection (drawn for a 4:3 window).
Холст фон_заставки();
// A caption centred on a transparent canvas, in a colour with a dark outline.
Холст надпись(const std::string& текст, int ширина, int высота, int кегль, Цвет цвет,
              const std::string& файл_шрифта, int обводка = 4);
Холст надпись_победы(const std::string& файл_шрифта);
Холст рамка_победы();
// The plate the victory's score, and the score and lives over the field, are
// written on, in the frame's colours.
Холст доска_победы();
// A translucent black square, for dimming the scene under a dialog.
Холст затемнение();

}  // namespace generator
