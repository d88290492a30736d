// The run of the game: the program entry's start-up in its fixed order, the
// one state switcher, the scene-update function that hands it every frame, the
// frame loop and the shutdown of the window and SDL.
#pragma once

#include "src/sostojanie.hpp"

namespace igra {

// The one switcher of the run, made by запуск. It is never destroyed: its
// destructor closes the states still on its stack, which reach SDL, the engine
// manager and the journal, and after shutdown (or at static destruction) none
// of them may be touched. Main thread only.
extern sostojanie::ПереключательСостояний* переключатель_состояний;

// The engine manager's scene-update function: the frame's seconds to the switcher.
void обновление_сцены(float dt);

// Appends six materials (colours 0 to 5, texture numbers 1 to 6) to each of
// sharik::материалы_основные, sharik::материалы_действующие (transparent) and
// cifry::материалы_цифр. A missing texture leaves its material without one.
void построить_таблицы_материалов();

// Start-up up to the frame loop: the game settings from "настройки.cfg" in the
// working folder (defaults without it), the journal, the engine with its
// window, the switcher with the start screen on it, the scene-update function,
// the material tables. The engine start throws when it cannot open the window.
void запуск();

// The whole program: запуск, the frame loop until event handling ends it, then
// the window and SDL shut down. 0 then; an exception on the way puts its message
// on standard error and gives 1, with the window left as it is.
int главная();

}  // namespace igra
