// Taking the mouse, in an X server of its own: the pointer is global to the
// server, so window tests running beside it would move it under this test.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdint>

#include "zyr/okno.hpp"
#include "zyr/types.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace {

namespace окно = zyr::zavisimost::okno_SDL2;

zyr::types::ПараметрыОкна параметры() {
    zyr::types::ПараметрыОкна п;
    п.ширина = 320;
    п.высота = 240;
    п.синхронизация = 0;
    п.режим_desktop = 1;
    п.имя = "Окно проверки";
    return п;
}

}  // namespace

// SDL sums the pointer's motion while the mouse is free (in the menus); taking
// the mouse drops that sum, so the first relative read on a field holds only
// the motion made after capture. Global warps move the pointer the way a player
// does; SDL_WarpMouseInWindow would forget the position and sum nothing.
TEST(ОкноSDLМышь, ЗахватМышиСбрасываетДвижениеНакопленноеДоНего) {
    ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры()));
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(окно::SDL_получить_окно(), &x, &y);
    const auto дождаться_движения = [] {
        for (int i = 0; i < 10; ++i) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
    };
    SDL_WarpMouseGlobal(x + 50, y + 50);
    дождаться_движения();
    zyr::okno::относительное_движение_мыши();
    SDL_WarpMouseGlobal(x + 250, y + 150);
    дождаться_движения();
    // The free motion is summed: otherwise this case tests nothing.
    ASSERT_EQ(zyr::okno::относительное_движение_мыши(), (zyr::types::Координаты2D<std::int32_t>{200, 100}));
    SDL_WarpMouseGlobal(x + 50, y + 50);
    дождаться_движения();

    zyr::okno::включить_управление_мышью();
    EXPECT_EQ(zyr::okno::относительное_движение_мыши(), (zyr::types::Координаты2D<std::int32_t>{0, 0}));
    zyr::okno::выключить_управление_мышью();
    zyr::okno::закрыть_окно();
}
