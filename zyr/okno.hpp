// The window operations for the engine and the game, without SDL in their names
// or in the caller's includes; the SDL2 layer is zyr/zavisimost/okno_SDL2.
#pragma once

#include <cstdint>

#include "zyr/types.hpp"

namespace zyr::nastroyki_zyr {
class НастройкиZyr;
}

namespace zyr::okno {

// The window parameters from the engine settings, id 0. Integers that don't fit
// their 32-bit fields throw ОкноИсключение; a `размеры_окна` of fewer than two
// values, or with a width or height not above 0, gives 800 x 600 with a journal warning.
types::ПараметрыОкна параметры_окна_из_настроек(const nastroyki_zyr::НастройкиZyr& настройки);

// Opens the window from the engine settings record as it stands (the file is not
// read here). Returns true or throws, as инициализация_окна_SDL_GL.
bool инициализация_окна();

void закрыть_окно();
void обменять_окна();
types::Координаты2D<std::int32_t> размеры_окна();
bool окно_минимизировано();
void установить_мышь_в_центре();
// Capture drops the relative motion gathered while the mouse was free.
void включить_управление_мышью();
void выключить_управление_мышью();
// The relative mouse motion since the previous read or capture, in pixels.
types::Координаты2D<std::int32_t> относительное_движение_мыши();
void восстановление_размеров_окна();
void режимы_экрана_в_журнал();
// Switches the full-screen display mode of the current window; in a window it only reports.
void изменить_режим_экрана(int номер);

}  // namespace zyr::okno
