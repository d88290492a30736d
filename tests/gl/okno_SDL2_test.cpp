// The engine window in the test X server: start-up with its OpenGL context, full
// screen at the display's size, display modes, and the expose event's restore.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <GL/gl.h>


#include <string>
#include <vector>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zyr/nastroyki_zyr.hpp"
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
    void SetUp() override {
        my_utils::journal::инициализация_журнала(файл_журнала.string(), my_utils::journal::УровниЖурнала::Отладка, {});
    }
    void TearDown() override {
        zyr::okno::закрыть_окно();
        my_utils::journal::завершить_журнал();
    }

    // The journal written so far; the journal ends with it.
    std::string журнал() {
        my_utils::journal::завершить_журнал();
        return test_support::прочитать_файл(файл_журнала);
    }

    // Where the texts are found one after another, or a failure naming the first one missing.
    static ::testing::AssertionResult по_порядку(const std::string& журнал, const std::vector<std::string>& тексты) {
        std::size_t место = 0;
        for (const auto& текст : тексты) {
            место = журнал.find(текст, место);
            if (место == std::string::npos) return ::testing::AssertionFailure() << "нет по порядку: " << текст;
            место += текст.size();
        }
        return ::testing::AssertionSuccess();
    }

    test_support::ВременнаяПапка папка;
    std::filesystem::path файл_журнала = папка / "журнал.log";
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

    EXPECT_TRUE(по_порядку(журнал(), {
        "| Шаг 1.1 Загружен SDL\n",
        "| Шаг 1.2. Загружен DerelictSDL2Image\n",
        "| Шаг 1.3. Загружен DerelictSDL2ttf\n",
        "| Шаг 2. Инициализирован SDL\n",
        "| Функция initSDL() отработала\n",
        "| Шаг 3. Загружен DerelictGL\n",
        "| Шаг 4. Создано окно размером 320x240, с именем \"Окно проверки\"\n",
        "| Шаг 5. Создан SDL_GL-контекст\n",
        "| Шаг 6. Перезагружен GL3. Версия GL = GL21 \n",
        "| Текущий видеорежим:  1280x1024 ",
    }));
}

TEST_F(ОкноSDL, ФасадОткрываетОкноПоНастройкамДвижка) {
    zyr::nastroyki_zyr::настройки.прочитать_настройки("размеры_окна = [300, 200]\nимя_окна = Шарики");
    ASSERT_TRUE(zyr::okno::инициализация_окна());
    EXPECT_STREQ(SDL_GetWindowTitle(окно::SDL_получить_окно()), "Шарики");
    EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{300, 200}));
}

TEST_F(ОкноSDL, ПолныйЭкранБерётРазмерТекущегоРежимаДисплея) {
    for (const auto& [режим_desktop, флаги] : {std::pair{1, 0x1001u}, std::pair{0, 0x1u}}) {
        ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(1, режим_desktop)));
        SDL_DisplayMode режим{};
        ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &режим), 0) << SDL_GetError();
        EXPECT_EQ(окно::параметры_окна.флаги, флаги);
        EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{режим.w, режим.h}));
        zyr::okno::изменить_режим_экрана(0);
        zyr::okno::закрыть_окно();
    }
    // In full screen a mode change is tried and its outcome reported.
    const auto текст = журнал();
    const auto попытка = текст.rfind("| Пытаемся установить режим 0:  1280x1024 ");
    ASSERT_NE(попытка, std::string::npos);
    EXPECT_NE(текст.find("| Новый режим экрана:  1280x1024 ", попытка), std::string::npos);
}

TEST_F(ОкноSDL, РежимыЭкранаПеречисляютсяИМеняютсяБезПадений) {
    ASSERT_TRUE(окно::инициализация_окна_SDL_GL(параметры(0, 0)));
    zyr::okno::режимы_экрана_в_журнал();
    zyr::okno::изменить_режим_экрана(0);
    zyr::okno::изменить_режим_экрана(SDL_GetNumDisplayModes(0) + 5);
    zyr::okno::изменить_режим_экрана(-1);
    EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{320, 240}));

    const auto текст = журнал();
    EXPECT_TRUE(по_порядку(текст, {"| Доступно ", " видеорежимов\n", "| Режим 0:  1280x1024 ", " bpp\n",
                                   "| Текущий режим:  1280x1024 ", "| Пытаемся установить режим 0:  1280x1024 "}));
    // In a window the mode is only announced, never switched.
    EXPECT_EQ(текст.find("Новый режим экрана"), std::string::npos);
    EXPECT_EQ(текст.find("Не удалось установить режим экрана"), std::string::npos);
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
