// The engine window in the test X server: start-up with its OpenGL context, full
// screen at the display's size, display modes, and the expose event's restore.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <GL/gl.h>


#include "zyr/okno.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"

namespace {

namespace окно = zyr::zavisimost::okno_SDL2;
namespace события = zyr::zavisimost::sobytija_SDL2;

zyr::types::ПараметрыОкна параметры(std::uint32_t полный_экран, std::int32_t режим_desktop) {
    zyr::types::ПараметрыОкна п;
    п.ширина = 320;
    п.высота = 240;
    п.флаги = полный_экран;
    п.синхронизация = 0;
    п.режим_desktop = режим_desktop;
    п.имя = "Окно проверки";
    return п;
}

class ОкноSDL : public ::testing::Test {
protected:
    void TearDown() override { zyr::okno::закрыть_окно(); }
};

TEST_F(ОкноSDL, ОкноСоздаётсяСТекущимКонтекстомGL) {
    ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(0, 1)));
    const auto& п = окно::параметры_окна;
    ASSERT_NE(п.id_окна, 0u);
    SDL_Window* sdl_окно = окно::SDL_получить_окно();
    ASSERT_NE(sdl_окно, nullptr);
    EXPECT_EQ(п.флаги, 0u);
    EXPECT_EQ(SDL_GetWindowFlags(sdl_окно) & (SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN),
              static_cast<Uint32>(SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN));
    EXPECT_STREQ(SDL_GetWindowTitle(sdl_окно), "Окно проверки");
    EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{320, 240}));

    ASSERT_EQ(SDL_GL_GetCurrentWindow(), sdl_окно);
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char пиксель[4]{};
    glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, пиксель);
    EXPECT_EQ(пиксель[1], 255);
    zyr::okno::обменять_окна();

    zyr::okno::закрыть_окно();
    EXPECT_EQ(п.id_окна, 0u);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST_F(ОкноSDL, ПолныйЭкранБерётРазмерТекущегоРежимаДисплея) {
    for (const auto& [режим_desktop, флаги] : {std::pair{1, 0x1001u}, std::pair{0, 0x1u}}) {
        ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(1, режим_desktop)));
        SDL_DisplayMode режим{};
        ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &режим), 0) << SDL_GetError();
        EXPECT_EQ(окно::параметры_окна.флаги, флаги);
        EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{режим.w, режим.h}));
        zyr::okno::закрыть_окно();
    }
}

TEST_F(ОкноSDL, РежимыЭкранаПеречисляютсяИМеняютсяБезПадений) {
    ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(0, 0)));
    zyr::okno::режимы_экрана_в_журнал();
    zyr::okno::изменить_режим_экрана(0);
    zyr::okno::изменить_режим_экрана(SDL_GetNumDisplayModes(0) + 5);
    zyr::okno::изменить_режим_экрана(-1);
    EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{320, 240}));
}

TEST_F(ОкноSDL, ПоказОкнаВозвращаетЗаписанныйРазмер) {
    ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(0, 0)));
    SDL_Window* sdl_окно = окно::SDL_получить_окно();
    SDL_SetWindowSize(sdl_окно, 200, 100);
    auto обработчик = события::создать<события::МинимальныйОбработчикСобытий>();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    int ширина = 0;
    int высота = 0;
    SDL_GetWindowSize(sdl_окно, &ширина, &высота);
    ASSERT_EQ(ширина, 200);

    SDL_Event показ{};
    показ.type = SDL_WINDOWEVENT;
    показ.window.event = SDL_WINDOWEVENT_EXPOSED;
    показ.window.windowID = окно::параметры_окна.id_окна;
    ASSERT_EQ(SDL_PushEvent(&показ), 1);
    EXPECT_FALSE(обработчик->обработка());
    SDL_GetWindowSize(sdl_окно, &ширина, &высота);
    EXPECT_EQ(ширина, 320);
    EXPECT_EQ(высота, 240);
}

}  // namespace
