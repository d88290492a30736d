// The moving handler: which keys each mode takes, the amounts they give, and the
// camera node's turn and move in the scene update. The keyboard and mouse state
// are the test's own; the events go through SDL's queue.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "zyr/mesto.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"

namespace {

using namespace zyr::zavisimost::sobytija_SDL2;

class ДвижениеНаПроверке : public ОбработчикСобытийСДвижением {
public:
    std::set<SDL_Scancode> нажатые;
    int мышь_x = 0;
    int мышь_y = 0;

    float вбок() const { return сдвиг_вбок; }
    float вперёд() const { return сдвиг_вперёд; }
    std::vector<std::int32_t> ключи(std::int32_t тип) const {
        std::vector<std::int32_t> результат;
        const auto найдено = функции2.find(тип);
        if (найдено != функции2.end())
            for (const auto& [ключ, _] : найдено->second) результат.push_back(ключ);
        return результат;
    }
    bool есть_тип(std::int32_t тип) const { return функции1.count(тип) != 0; }

protected:
    explicit ДвижениеНаПроверке(const std::string& режим) : ОбработчикСобытийСДвижением(режим) {}
    bool клавиша_нажата(SDL_Scancode клавиша) const override { return нажатые.count(клавиша) != 0; }
    void относительное_движение_мыши(int& x, int& y) override {
        x = мышь_x;
        y = мышь_y;
    }
};

class ДвижениеSDL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    // Presses the keys (by scan code) and sends one key event, as SDL would.
    static void нажать(ДвижениеНаПроверке& обработчик, std::set<SDL_Scancode> клавиши, SDL_Keycode код,
                       Uint32 тип = SDL_KEYDOWN) {
        обработчик.нажатые = std::move(клавиши);
        SDL_Event событие{};
        событие.type = тип;
        событие.key.keysym.sym = код;
        ASSERT_EQ(SDL_PushEvent(&событие), 1);
        EXPECT_FALSE(обработчик.обработка());
    }
};

struct СлучайКлавиш {
    const char* режим;
    std::set<SDL_Scancode> нажатые;
    SDL_Keycode событие;
    float вбок;
    float вперёд;
};

class КлавишиДвижения : public ДвижениеSDL, public ::testing::WithParamInterface<СлучайКлавиш> {};

TEST_P(КлавишиДвижения, РежимВыбираетКлавишиАСкоростьНеСкладывается) {
    const auto& с = GetParam();
    auto обработчик = создать<ДвижениеНаПроверке>(с.режим);
    обработчик->скорость_движения(2.5f);
    нажать(*обработчик, с.нажатые, с.событие);
    EXPECT_FLOAT_EQ(обработчик->вбок(), с.вбок);
    EXPECT_FLOAT_EQ(обработчик->вперёд(), с.вперёд);
}

INSTANTIATE_TEST_SUITE_P(
    Режимы, КлавишиДвижения,
    ::testing::Values(
        СлучайКлавиш{"", {SDL_SCANCODE_RIGHT}, SDLK_RIGHT, 2.5f, 0.0f},
        СлучайКлавиш{"", {SDL_SCANCODE_UP}, SDLK_UP, 0.0f, 2.5f},
        СлучайКлавиш{"", {SDL_SCANCODE_DOWN}, SDLK_DOWN, 0.0f, -2.5f},
        СлучайКлавиш{"", {SDL_SCANCODE_D}, SDLK_d, 0.0f, 0.0f},
        СлучайКлавиш{"любой другой", {SDL_SCANCODE_LEFT}, SDLK_LEFT, -2.5f, 0.0f},
        СлучайКлавиш{"WASD", {SDL_SCANCODE_RIGHT}, SDLK_RIGHT, 0.0f, 0.0f},
        СлучайКлавиш{"WASD", {SDL_SCANCODE_A}, SDLK_a, -2.5f, 0.0f},
        СлучайКлавиш{"WASD", {SDL_SCANCODE_W, SDL_SCANCODE_UP}, SDLK_w, 0.0f, 2.5f},
        СлучайКлавиш{"WASD", {SDL_SCANCODE_S}, SDLK_s, 0.0f, -2.5f},
        СлучайКлавиш{"стрелки и WASD", {SDL_SCANCODE_RIGHT, SDL_SCANCODE_D}, SDLK_RIGHT, 2.5f, 0.0f},
        СлучайКлавиш{"стрелки и WASD", {SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT}, SDLK_LEFT, 0.0f, 0.0f},
        СлучайКлавиш{"стрелки и WASD", {SDL_SCANCODE_W, SDL_SCANCODE_DOWN}, SDLK_w, 0.0f, 0.0f}));

TEST_F(ДвижениеSDL, ОтпусканиеКлавишиПересчитываетСдвиг) {
    auto обработчик = создать<ДвижениеНаПроверке>("");
    нажать(*обработчик, {SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP}, SDLK_RIGHT);
    нажать(*обработчик, {SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP}, SDLK_UP);
    EXPECT_FLOAT_EQ(обработчик->вбок(), 1.0f);
    EXPECT_FLOAT_EQ(обработчик->вперёд(), 1.0f);
    нажать(*обработчик, {SDL_SCANCODE_UP}, SDLK_RIGHT, SDL_KEYUP);
    EXPECT_FLOAT_EQ(обработчик->вбок(), 0.0f);
    EXPECT_FLOAT_EQ(обработчик->вперёд(), 1.0f);
}

TEST_F(ДвижениеSDL, РегистрируетМышьИКлавишиСвоегоРежимаПослеEsc) {
    auto обработчик = создать<ДвижениеНаПроверке>("стрелки и WASD");
    EXPECT_TRUE(обработчик->управление_мышью());
    EXPECT_TRUE(обработчик->есть_тип(SDL_MOUSEMOTION));
    const std::vector<std::int32_t> вниз{-1, SDLK_a, SDLK_d, SDLK_s, SDLK_w,
                                         SDLK_RIGHT, SDLK_LEFT, SDLK_DOWN, SDLK_UP};
    EXPECT_EQ(обработчик->ключи(SDL_KEYDOWN), вниз);
    std::vector<std::int32_t> вверх = вниз;
    вверх.insert(вверх.begin() + 1, SDLK_ESCAPE);
    EXPECT_EQ(обработчик->ключи(SDL_KEYUP), вверх);

    SDL_Event esc{};
    esc.type = SDL_KEYUP;
    esc.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&esc), 1);
    EXPECT_TRUE(обработчик->обработка());
}

TEST_F(ДвижениеSDL, КамераПоворачиваетсяМышьюИДвижетсяВСвоейСистеме) {
    auto обработчик = создать<ДвижениеНаПроверке>("");
    обработчик->скорость_движения(2.0f);
    обработчик->скорость_поворота(0.5f);
    EXPECT_FLOAT_EQ(обработчик->скорость_поворота(), 0.5f);

    обработчик->мышь_x = 2;
    SDL_Event мышь{};
    мышь.type = SDL_MOUSEMOTION;
    for (int i = 0; i < 2; ++i) ASSERT_EQ(SDL_PushEvent(&мышь), 1);
    EXPECT_FALSE(обработчик->обработка());
    нажать(*обработчик, {SDL_SCANCODE_UP}, SDLK_UP);

    // Mouse x 4 in total: a turn of 0.5 * 4 * 0.5 = 1 radian about y, then forward
    // 2 * 0.5 along the turned -z.
    zyr::mesto::Место камера("Место камеры");
    обработчик->события_в_обновлении_сцены(камера, 0.5f);
    const auto ориентация = камера.получить_ориентацию();
    EXPECT_NEAR(ориентация.w, std::cos(0.5f), 1e-6f);
    EXPECT_NEAR(ориентация.y, std::sin(0.5f), 1e-6f);
    const auto позиция = камера.получить_позицию();
    EXPECT_NEAR(позиция.x, -std::sin(1.0f), 1e-5f);
    EXPECT_NEAR(позиция.y, 0.0f, 1e-6f);
    EXPECT_NEAR(позиция.z, -std::cos(1.0f), 1e-5f);

    // The turn is used up; the held key keeps moving the camera.
    обработчик->события_в_обновлении_сцены(камера, 0.5f);
    EXPECT_NEAR(камера.получить_ориентацию().w, std::cos(0.5f), 1e-6f);
    EXPECT_NEAR(камера.получить_позицию().z, -2.0f * std::cos(1.0f), 1e-5f);
}

TEST_F(ДвижениеSDL, МышьПоYНаклоняетКамеру) {
    auto обработчик = создать<ДвижениеНаПроверке>("WASD");
    обработчик->мышь_y = -10;
    SDL_Event мышь{};
    мышь.type = SDL_MOUSEMOTION;
    ASSERT_EQ(SDL_PushEvent(&мышь), 1);
    EXPECT_FALSE(обработчик->обработка());
    zyr::mesto::Место камера("камера");
    обработчик->события_в_обновлении_сцены(камера, 1.0f);
    const auto ориентация = камера.получить_ориентацию();
    EXPECT_NEAR(ориентация.w, std::cos(-0.5f), 1e-6f);
    EXPECT_NEAR(ориентация.x, std::sin(-0.5f), 1e-6f);
    EXPECT_EQ(камера.получить_позицию(), zyr::vector::Вектор3::НОЛЬ);
}

}  // namespace
