// The engine's one SDL2 window with its OpenGL context: start-up, the window
// parameters every other module reads, and the small window operations.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "zyr/types.hpp"

namespace zyr::zavisimost::okno_SDL2 {

// Start-up failures: SDL video, the window, the OpenGL context; also SDL_смерть.
class ОкноИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    ОкноИсключение(const std::string& текст, std::string причина)
        : std::runtime_error(текст), причина_(std::move(причина)) {}

    // What lies behind a failed video start, for the line after the message:
    // SDL's reason, or the window-less driver SDL fell back on. Empty otherwise.
    const std::string& причина() const { return причина_; }

private:
    std::string причина_;
};

// The running window. Main thread only. `id_окна` is 0 while there is no window;
// the size is the one fixed at start-up and does not follow later resizes.
extern types::ПараметрыОкна параметры_окна;

// Copies the parameters and opens the window with an OpenGL 2.1 compatibility
// context made current on this thread. Returns true or throws ОкноИсключение.
bool инициализация_окна_SDL_GL(const types::ПараметрыОкна& параметры);

// Starts SDL video and the font library; a font library that fails to start is
// only reported.
void инициализация_SDL();

// Turns `флаги` of `параметры_окна` from the setting `полный_экран` into SDL
// window flags: 0 stays 0, otherwise full screen, at the desktop's resolution
// when `режим_desktop` is set.
void инициализация_параметров();

// Name of the OpenGL version reported by glGetString(GL_VERSION), capped at 2.1
// ("GL21"); a text that does not parse counts as 1.1.
std::string имя_версии_GL(const char* версия);

// Destroys the window (when there is one) with its context, then SDL_Quit.
void SDL_выход();
// SDL_выход, then throws ОкноИсключение "Ошибка: " + текст.
[[noreturn]] void SDL_смерть(const char* текст);

void SDL_обменять_окна();
std::int32_t SDL_ширина_окна();
std::int32_t SDL_высота_окна();
std::uint32_t SDL_получить_флаги_окна();
bool SDL_окно_минимизировано();
void SDL_получить_центр_окна(int& x, int& y);
void SDL_установить_мышь_в_центре();
// Hidden cursor, window grab, relative mode. SDL sums relative motion also while
// the mouse is free: that sum is read and dropped here, so the first read after
// capture holds only motion made since.
void SDL_включить_управление_мышью();
void SDL_выключить_управление_мышью();
// The relative motion since the previous read (or capture), in pixels.
void SDL_относительное_движение_мыши(int& x, int& y);
void SDL_восстановление_размеров_окна();
void SDL_режимы_экрана_в_журнал();
void SDL_изменить_режим_экрана(SDL_Window* окно, int номер);
// The window of `id_окна`, or nullptr while there is none.
SDL_Window* SDL_получить_окно();

}  // namespace zyr::zavisimost::okno_SDL2
