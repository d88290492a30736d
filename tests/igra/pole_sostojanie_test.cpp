// The field on temporary levels, its events fed through SDL's queue and the game's
// event pass: the ends of a level, the pause, buttons that do nothing, a failing
// main step, leaving by Esc and the level a field refuses.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "my_utils/format.hpp"
#include "src/cifry.hpp"
#include "src/dialogy.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/jadro.hpp"
#include "src/pole.hpp"
#include "src/pole_sostojanie.hpp"
#include "src/puti.hpp"
#include "src/pushka.hpp"
#include "src/samolet.hpp"
#include "src/sobytija.hpp"
#include "src/vzryv.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using sostojanie::ТипРезультата;
using test_stend::сколько_раз;
using Стек = std::vector<std::shared_ptr<sostojanie::Состояние>>;

// Rows are (x, depth, height). Balls run in at 60 units a second, far from the exit.
constexpr const char* ДЛИННЫЙ =
    "количество_путей=1\n\nвершины 0\n-1000,60,4.667\n-900,60,4.667\n900,60,4.667\n1000,60,4.667\n\n"
    "разрывы 0\n\nунитазы\n30,-30\n\n";
constexpr const char* БЕЗ_ПУТЕЙ = "количество_путей=0\n\nунитазы\n\n";

// The mouse motion the field reads is the test's.
class ПолеСМышью : public pole::Поле {
public:
    explicit ПолеСМышью(std::int32_t номер) : Поле(номер) {}
    std::int32_t мышь_x = 0;

protected:
    void относительное_движение_мыши(std::int32_t& x, std::int32_t& y) override {
        x = std::exchange(мышь_x, 0);
        y = 0;
    }
};

class НаПоле : public test_stend::СтендИгры {
protected:
    void SetUp() override {
        СтендИгры::SetUp();
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
        переключатель->добавить_состояние(низ);
        настроить("данные = \"" + папка.путь().string() + "/\"");
    }
    void TearDown() override {
        переключатель.reset();
        SDL_Quit();
        СтендИгры::TearDown();
    }

    std::shared_ptr<ПолеСМышью> поле(const char* текст, std::int32_t номер = 1) {
        test_support::записать_файл(папка / my_utils::format::sprintf("поле%02d.txt", номер), текст);
        return sostojanie::создать_состояние<ПолеСМышью>(номер);
    }
    // Events of one pass: key releases by key code, mouse button releases by button.
    static void события(std::vector<std::pair<Uint32, int>> список) {
        for (const auto& [тип, что] : список) {
            SDL_Event событие{};
            событие.type = тип;
            if (тип == SDL_KEYUP) событие.key.keysym.sym = что;
            else событие.button.button = static_cast<Uint8>(что);
            ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError();
        }
        EXPECT_FALSE(sobytija::события_игры->обработка());
    }
    static bool мышь_взята() { return sobytija::события_игры->управление_мышью(); }

    // No trajectory file here: the plane flies its built-in path.
    test_support::ВременнаяПапка папка;
    test_support::РабочаяПапка рабочая{папка.путь()};
    // The level selection under the field.
    std::shared_ptr<sostojanie::Состояние> низ = sostojanie::создать_состояние<sostojanie::Состояние>();
    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;
};

struct СлучайКонца {
    int паника = 0;
    bool проигрыш = false;
    bool пауза = false;
    friend void PrintTo(const СлучайКонца& с, std::ostream* п) { *п << с.паника << с.проигрыш << с.пауза; }
};

class КонецУровня : public НаПоле, public testing::WithParamInterface<СлучайКонца> {};

// A lost life blows the chains up and shows the game over once
// the explosions played just over half a second; no balls wins at once, also on
// pause. The field keeps its mouse and M under the screen and leaves after it.
TEST_P(КонецУровня, ЭкранПоверхПоляИПолеУходитЗаНим) {
    const auto [паника, проигрыш, пауза] = GetParam();
    настроить(my_utils::format::sprintf("паника = %d", паника));
    const auto п = поле(проигрыш ? ДЛИННЫЙ : БЕЗ_ПУТЕЙ);
    переключатель->добавить_состояние(п);
    constexpr float dt = 0.125f;
    if (проигрыш) {
        for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(dt);
        const auto шаров = п->пути()->шары_на_путях.at(0)->length();
        ASSERT_GE(шаров, 2u);
        igrovaja_statistika::игровая_статистика->минус_жизнь();
        for (int кадр = 0; кадр < 5; ++кадр) {
            переключатель->обновление_сцены(dt);
            EXPECT_EQ(переключатель->стек().back(), п);
            EXPECT_EQ(п->пути()->шары_на_путях.at(0)->length(), 0u);
            if (паника == 0) EXPECT_GE(vzryv::живые_взрывы.size(), шаров);
            else EXPECT_TRUE(vzryv::живые_взрывы.empty());
        }
    } else if (пауза) {
        события({{SDL_KEYUP, SDLK_SPACE}});
        ASSERT_TRUE(п->на_паузе());
    }
    переключатель->обновление_сцены(dt);
    ASSERT_EQ(переключатель->стек().size(), 3u);
    const auto* экран = переключатель->стек().back().get();
    EXPECT_TRUE(проигрыш ? dynamic_cast<const dialogy::КонецИгры*>(экран) != nullptr
                         : dynamic_cast<const dialogy::Победа*>(экран) != nullptr);
    EXPECT_TRUE(vzryv::живые_взрывы.empty());
    EXPECT_EQ(п->результат().тип, ТипРезультата::Выйти);
    EXPECT_TRUE(мышь_взята());

    события({{SDL_KEYUP, SDLK_m}, {SDL_KEYUP, SDLK_RETURN}});
    переключатель->обновление_сцены(dt);
    EXPECT_EQ(переключатель->стек().back(), п);
    переключатель->обновление_сцены(dt);
    EXPECT_EQ(переключатель->стек(), Стек{низ});
    EXPECT_FALSE(мышь_взята());
    const std::string текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Сработала клавиша M"), 1u);
    EXPECT_EQ(сколько_раз(текст, "Игра закончилась"), проигрыш ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(, КонецУровня,
                         testing::Values(СлучайКонца{0, true}, СлучайКонца{1, true}, СлучайКонца{0, false},
                                         СлучайКонца{0, false, true}));

// Paused frames turn the cannon and count the wait down; the chains, the shot
// fired by the release of the left button and the plane stand until Space again.
TEST_F(НаПоле, ПаузаОстанавливаетОсновнойШагНоНеПоворотИОжидание) {
    const auto п = поле(ДЛИННЫЙ);
    п->обновление_сцены(0.2f);
    const auto& шар = *п->пути()->шары_на_путях.at(0)->шары.at(0)->шарик;
    const float x = шар.получить_позицию().x;
    п->мышь_x = 50;
    события({{SDL_KEYUP, SDLK_SPACE}, {SDL_KEYUP, SDLK_m}, {SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT}, {SDL_MOUSEMOTION, 0}});
    ASSERT_TRUE(п->ядро()->живое());
    const auto& самолёт = *п->пути()->самолёт;
    const auto место_самолёта = самолёт.позиция();

    п->обновление_сцены(0.1f);
    const float поворот = п->пушка()->поворот();
    EXPECT_FLOAT_EQ(поворот, 0.1f * 50 * 0.1f);
    EXPECT_FLOAT_EQ(п->время_до_выстрела(), 0.1f);
    EXPECT_EQ(п->пути()->шары_на_путях.at(0)->length(), 1u);
    EXPECT_EQ(шар.получить_позицию().x, x);
    EXPECT_EQ(п->ядро()->время(), 0.0f);
    EXPECT_EQ(самолёт.позиция(), место_самолёта);

    события({{SDL_KEYUP, SDLK_SPACE}});
    п->обновление_сцены(0.1f);
    EXPECT_GT(шар.получить_позицию().x, x);
    EXPECT_FLOAT_EQ(п->ядро()->время(), 0.1f);
    EXPECT_NE(самолёт.позиция(), место_самолёта);
    EXPECT_EQ(п->пушка()->поворот(), поворот);
}

// The left button while the shot flies, the right one in the wait after a shot
// and button 4 on a fresh field change nothing: not the wait, the shot or the colours.
TEST_F(НаПоле, КнопкиБезДействия) {
    for (const auto& [кнопка, кадров] : {std::pair(SDL_BUTTON_LEFT, 3), std::pair(SDL_BUTTON_RIGHT, 1),
                                         std::pair(SDL_BUTTON_X1, -1)}) {
        SCOPED_TRACE(кнопка);
        const auto п = поле(ДЛИННЫЙ);
        if (кадров >= 0) события({{SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT}});
        for (int кадр = 0; кадр < кадров; ++кадр) п->обновление_сцены(0.1f);
        const auto было = std::tuple(п->время_до_выстрела(), п->ядро()->время(), п->пушка()->текущий_цвет(),
                                     п->пушка()->следующий_цвет());
        события({{SDL_MOUSEBUTTONUP, кнопка}});
        EXPECT_EQ(std::tuple(п->время_до_выстрела(), п->ядро()->время(), п->пушка()->текущий_цвет(),
                             п->пушка()->следующий_цвет()),
                  было);
    }
    EXPECT_EQ(сколько_раз(журнал(), "выстрел пушки"), 2u);
}

// A chain asked to remove a ball it lacks throws out of the motion step: one line
// on standard output, the ball let in before stays, the shot does not move, and
// the next frame plays on.
TEST_F(НаПоле, ИсключениеОсновногоШагаПечатаетсяИСледующийКадрИдёт) {
    const auto п = поле(ДЛИННЫЙ);
    п->обновление_сцены(0.2f);
    auto& цепь = *п->пути()->шары_на_путях.at(0);
    события({{SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT}});
    цепь.номера_на_удаление.push_back(999);
    testing::internal::CaptureStdout();
    п->обновление_сцены(0.2f);
    const std::string вывод = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(вывод.starts_with("Exception! ") && сколько_раз(вывод, "\n") == 1) << вывод;
    EXPECT_EQ(цепь.length(), 2u);
    EXPECT_EQ(п->ядро()->время(), 0.0f);

    const float x = цепь.шары.at(0)->шарик->получить_позицию().x;
    п->обновление_сцены(0.1f);
    EXPECT_GT(цепь.шары.at(0)->шарик->получить_позицию().x, x);
    EXPECT_FLOAT_EQ(п->ядро()->время(), 0.1f);
}

// Esc empties the scene, frees the camera, the handlers and the mouse. The field's
// objects go after the root was emptied, and the explosion and number it left are
// finished by the next field, which has no ground object ("Поле050").
TEST_F(НаПоле, EscОставляетПустуюСценуБезОбработчиковИМыши) {
    auto п = поле(ДЛИННЫЙ);
    переключатель->добавить_состояние(п);
    EXPECT_EQ(корень()->получить_ребёнка("место_поля")->количество_объектов(), 1);
    EXPECT_EQ(zyr::менеджер->место_камеры()->получить_родителя()->получить_родителя(), п->пушка()->внешнее_место());
    for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(0.2f);
    vzryv::добавить_взрывы({{2, {0, 5, -60}}});
    cifry::добавить_число(40, 2, {0, 5, -60});

    события({{SDL_KEYUP, SDLK_ESCAPE}, {SDL_KEYUP, SDLK_SPACE}, {SDL_KEYUP, SDLK_m}, {SDL_MOUSEBUTTONUP, 1}});
    EXPECT_EQ(переключатель->стек(), Стек{низ});
    EXPECT_EQ(корень()->количество_детей(), 0);
    EXPECT_EQ(zyr::менеджер->место_камеры()->получить_родителя(), nullptr);
    EXPECT_FALSE(мышь_взята());
    EXPECT_FALSE(п->ядро()->живое());
    п.reset();
    EXPECT_EQ(корень()->количество_детей(), 0);

    const auto следующее = поле(ДЛИННЫЙ, 50);
    EXPECT_EQ(корень()->получить_ребёнка("место_поля"), nullptr);
    следующее->обновление_сцены(0.1f);
    const auto узлов = корень()->количество_детей();
    следующее->обновление_сцены(5.0f);
    EXPECT_TRUE(vzryv::живые_взрывы.empty() && cifry::живые_числа.empty());
    EXPECT_GE(корень()->количество_детей(), узлов);
    const std::string текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "клавиша M") + сколько_раз(текст, "клавиша Пробел"), 0u);
}

// A path that cannot carry a ball (too few vertices, or nothing between its
// lead-in and its exit): refused like a malformed level, before anything is
// built or bound.
class ПутьБезШаров : public НаПоле, public testing::WithParamInterface<const char*> {};

TEST_P(ПутьБезШаров, ОтвергаетсяСИменемФайлаИПути) {
    const std::string файл = (папка / "поле01.txt").string();
    const std::string уровень = std::string(
                                    "количество_путей=2\n\nвершины 0\n-1000,60,4.667\n-900,60,4.667\n900,60,4.667\n"
                                    "1000,60,4.667\n\nвершины 1\n") +
                                GetParam() + "\nразрывы 0\n\nразрывы 1\n\nунитазы\n\n";
    try {
        поле(уровень.c_str());
        ADD_FAILURE() << "поле построено";
    } catch (const pole::ПолеИсключение& ошибка) {
        EXPECT_NE(std::string(ошибка.what()).find(файл + ": путь 1 "), std::string::npos) << ошибка.what();
    }
    EXPECT_EQ(корень()->количество_детей(), 0);
    EXPECT_FALSE(мышь_взята());
}

INSTANTIATE_TEST_SUITE_P(НаПоле, ПутьБезШаров,
                         testing::Values("-10,80,4.667\n10,80,4.667\n", "-10,80,4.667\n0,80,4.667\n10,80,4.667\n",
                                         "-100,80,0\n0,80,0\n0,80,0\n100,80,0\n",
                                         "-100,80,0\n0,80,0\n9.33,80,0\n100,80,0\n"));

}  // namespace
