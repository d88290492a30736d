#include "zyr/zavisimost/okno_SDL2.hpp"

#include <SDL2/SDL_image.h>
#include <SDL2/SDL_opengl.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <fmt/format.h>
#include <fmt/printf.h>

#include "my_utils/journal.hpp"

namespace zyr::zavisimost::okno_SDL2 {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

types::ПараметрыОкна параметры_окна;

namespace {

constexpr const char* МОДУЛЬ = "окно_SDL2";

template <class T>
std::string текст(T значение) {
    return fmt::format("{}", значение);
}

// Width, height, refresh rate and bits per pixel, for "%sx%s %sHz %s bpp".
struct ТекстРежима {
    std::string ширина, высота, частота, бит;
};

ТекстРежима текст_режима(const SDL_DisplayMode& режим) {
    return {текст(режим.w), текст(режим.h), текст(режим.refresh_rate), текст(SDL_BITSPERPIXEL(режим.format))};
}

void ошибка_режима(const char* что, int номер) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
             [&] { return fmt::sprintf("Видеорежим %s (%s) не получен: %s", текст(номер), что, SDL_GetError()); });
}

// The display's current mode, or false with a journal line when SDL can't tell;
// the caller then keeps what it had instead of reading an unset mode.
bool текущий_режим(int дисплей, SDL_DisplayMode& режим) {
    режим = SDL_DisplayMode{};
    if (дисплей < 0 || SDL_GetCurrentDisplayMode(дисплей, &режим) != 0) {
        ошибка_режима("текущий", дисплей);
        return false;
    }
    return true;
}

constexpr const char* ОТКАЗ_ВИДЕО = ": Невозможно инициализировать видеорежим. Ошибка в SDL_Init().";

// SDL's video drivers that show no window.
bool без_окна(std::string_view драйвер) {
    return драйвер == "offscreen" || драйвер == "dummy" || драйвер == "evdev";
}

// Whether SDL_VIDEODRIVER (one name or a comma-separated list, in any case, as
// SDL reads it) names the driver.
bool назван_пользователем(std::string_view драйвер) {
    const char* заданные = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (заданные == nullptr) return false;
    std::string_view список = заданные;
    while (!список.empty()) {
        const std::size_t запятая = std::min(список.find(','), список.size());
        const std::string_view имя = список.substr(0, запятая);
        if (имя.size() == драйвер.size() && SDL_strncasecmp(имя.data(), драйвер.data(), имя.size()) == 0) return true;
        список.remove_prefix(std::min(запятая + 1, список.size()));
    }
    return false;
}

}  // namespace

std::string имя_версии_GL(const char* версия) {
    int старшая = 0;
    int младшая = 0;
    if (версия == nullptr || std::sscanf(версия, "%d.%d", &старшая, &младшая) != 2 || старшая < 1 || младшая < 0)
        return "GL11";
    if (старшая > 2 || (старшая == 2 && младшая > 1)) return "GL21";
    if (старшая == 1 && младшая < 1) return "GL11";
    return fmt::format("GL{}{}", старшая, младшая);
}

void инициализация_SDL() {
    // The libraries are linked with the program: binding them can't fail here.
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Шаг 1.1 Загружен SDL");
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, "Шаг 1.2. Загружен DerelictSDL2Image");
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, "Шаг 1.3. Загружен DerelictSDL2ttf");

    if (SDL_Init(SDL_INIT_VIDEO) != 0) throw ОкноИсключение(ОТКАЗ_ВИДЕО, SDL_GetError());
    // With no display to answer, SDL falls back on a driver that shows nothing,
    // and the game would play on unseen: that is a failed start too, unless the
    // user asked for that driver.
    const char* драйвер = SDL_GetCurrentVideoDriver();
    if (драйвер != nullptr && без_окна(драйвер) && !назван_пользователем(драйвер)) {
        auto причина = fmt::sprintf("Драйвер видео SDL \"%s\" не показывает окна: нет дисплея", драйвер);
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, причина);
        SDL_Quit();
        throw ОкноИсключение(ОТКАЗ_ВИДЕО, std::move(причина));
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Шаг 2. Инициализирован SDL");

    if (TTF_Init() < 0)
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "Библиотека SDL2ttf не проинициализировалась!");
}

void инициализация_параметров() {
    auto& п = параметры_окна;
    if (п.флаги == 0) return;
    п.флаги = п.режим_desktop != 0 ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN;
}

bool инициализация_окна_SDL_GL(const types::ПараметрыОкна& параметры) {
    параметры_окна = параметры;
    инициализация_SDL();
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, "Функция initSDL() отработала");
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Шаг 3. Загружен DerelictGL");

    инициализация_параметров();
    auto& п = параметры_окна;
    SDL_Window* окно = SDL_CreateWindow(п.имя.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, п.ширина,
                                        п.высота, п.флаги | SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (окно == nullptr) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "Окно не создалось. Выходим.");
        SDL_смерть("Невозможно создать окно");
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
        return fmt::sprintf("Шаг 4. Создано окно размером %sx%s, с именем \"%s\"", текст(п.ширина), текст(п.высота),
                            п.имя);
    });

    // The renderer is fixed-function: ask for a 2.1 compatibility context. These
    // attributes bear on the context only, so the window above is made without them.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GLContext контекст = SDL_GL_CreateContext(окно);
    if (контекст == nullptr) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "GL-контекст не получен. Выходим.");
        // The id is not recorded yet, so SDL_выход leaves the window to SDL_Quit.
        SDL_смерть("Не получен GL-контекст");
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Шаг 5. Создан SDL_GL-контекст");

    const auto версия = имя_версии_GL(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
             [&] { return fmt::sprintf("Шаг 6. Перезагружен GL3. Версия GL = %s ", версия); });

    SDL_GL_SetSwapInterval(п.синхронизация);
    п.id_окна = SDL_GetWindowID(окно);

    SDL_DisplayMode режим;
    if (текущий_режим(SDL_GetWindowDisplayIndex(окно), режим)) {
        const auto т = текст_режима(режим);
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
            return fmt::sprintf("Текущий видеорежим:  %sx%s %sHz %s bpp", т.ширина, т.высота, т.частота, т.бит);
        });
        if (п.флаги != 0) {
            п.ширина = режим.w;
            п.высота = режим.h;
        }
    }
    return true;
}

SDL_Window* SDL_получить_окно() {
    if (параметры_окна.id_окна == 0) return nullptr;
    return SDL_GetWindowFromID(параметры_окна.id_окна);
}

void SDL_выход() {
    if (параметры_окна.id_окна != 0) {
        if (SDL_Window* окно = SDL_получить_окно()) {
            if (SDL_GL_GetCurrentWindow() == окно) {
                SDL_GLContext контекст = SDL_GL_GetCurrentContext();
                SDL_GL_MakeCurrent(окно, nullptr);
                if (контекст != nullptr) SDL_GL_DeleteContext(контекст);
            }
            SDL_DestroyWindow(окно);
        }
        параметры_окна.id_окна = 0;
    }
    SDL_Quit();
}

void SDL_смерть(const char* текст) {
    SDL_выход();
    throw ОкноИсключение(std::string("Ошибка: ") + текст);
}

void SDL_обменять_окна() {
    if (SDL_Window* окно = SDL_получить_окно()) SDL_GL_SwapWindow(окно);
}

std::int32_t SDL_ширина_окна() { return параметры_окна.ширина; }
std::int32_t SDL_высота_окна() { return параметры_окна.высота; }

std::uint32_t SDL_получить_флаги_окна() {
    SDL_Window* окно = SDL_получить_окно();
    return окно != nullptr ? SDL_GetWindowFlags(окно) : 0;
}

bool SDL_окно_минимизировано() { return (SDL_получить_флаги_окна() & SDL_WINDOW_MINIMIZED) != 0; }

void SDL_получить_центр_окна(int& x, int& y) {
    x = параметры_окна.ширина / 2;
    y = параметры_окна.высота / 2;
}

void SDL_установить_мышь_в_центре() {
    int x = 0;
    int y = 0;
    SDL_получить_центр_окна(x, y);
    SDL_WarpMouseInWindow(nullptr, x, y);
}

void SDL_включить_управление_мышью() {
    SDL_ShowCursor(0);
    if (SDL_Window* окно = SDL_получить_окно()) SDL_SetWindowGrab(окно, SDL_TRUE);
    SDL_SetRelativeMouseMode(SDL_TRUE);
    SDL_GetRelativeMouseState(nullptr, nullptr);
}

void SDL_выключить_управление_мышью() {
    SDL_ShowCursor(1);
    SDL_SetRelativeMouseMode(SDL_FALSE);
    if (SDL_Window* окно = SDL_получить_окно()) SDL_SetWindowGrab(окно, SDL_FALSE);
    SDL_установить_мышь_в_центре();
}

void SDL_относительное_движение_мыши(int& x, int& y) { SDL_GetRelativeMouseState(&x, &y); }

void SDL_восстановление_размеров_окна() {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Восстанавливаем окно");
    if (SDL_Window* окно = SDL_получить_окно())
        SDL_SetWindowSize(окно, параметры_окна.ширина, параметры_окна.высота);
}

void SDL_режимы_экрана_в_журнал() {
    const int количество = SDL_GetNumDisplayModes(0);
    if (количество < 0) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return fmt::sprintf("Видеорежимы не получены: %s", SDL_GetError()); });
        return;
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
             [&] { return fmt::sprintf("Доступно %s видеорежимов", текст(количество)); });
    for (int i = 0; i < количество; ++i) {
        SDL_DisplayMode режим{};
        if (SDL_GetDisplayMode(0, i, &режим) != 0) {
            ошибка_режима("из списка", i);
            continue;
        }
        const auto т = текст_режима(режим);
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
            return fmt::sprintf("Режим %s:  %sx%s %sHz %s bpp", текст(i), т.ширина, т.высота, т.частота, т.бит);
        });
    }
    SDL_DisplayMode режим;
    if (!текущий_режим(0, режим)) return;
    const auto т = текст_режима(режим);
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
        return fmt::sprintf("Текущий режим:  %sx%s %sHz %s bpp", т.ширина, т.высота, т.частота, т.бит);
    });
}

void SDL_изменить_режим_экрана(SDL_Window* окно, int номер) {
    SDL_DisplayMode режим{};
    if (SDL_GetDisplayMode(0, номер, &режим) != 0) {
        ошибка_режима("из списка", номер);
        return;
    }
    const auto т = текст_режима(режим);
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
        return fmt::sprintf("Пытаемся установить режим %s:  %sx%s %sHz %s bpp", текст(номер), т.ширина, т.высота,
                            т.частота, т.бит);
    });
    if (параметры_окна.флаги == 0) return;

    if (окно != nullptr && SDL_SetWindowDisplayMode(окно, &режим) == 0) {
        SDL_DisplayMode новый;
        if (!текущий_режим(0, новый)) return;
        const auto н = текст_режима(новый);
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
            return fmt::sprintf("Новый режим экрана:  %sx%s %sHz %s bpp", н.ширина, н.высота, н.частота, н.бит);
        });
    } else {
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Не удалось установить режим экрана");
    }
}

}  // namespace zyr::zavisimost::okno_SDL2
