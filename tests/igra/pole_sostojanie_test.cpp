// The field state on temporary levels, its events fed through SDL's own queue
// and the game's event pass: the ends of a level through the state switcher,
// the pause, the mouse buttons, a failing main step, leaving by Esc and the
// level files the field refuses.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <memory>
#include <set>
#include <string>
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
#include "src/sostojanie.hpp"
#include "src/vzryv.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using sostojanie::РезультатКадра;
using sostojanie::ТипРезультата;
using test_stend::сколько_раз;

// Rows are (x, depth, height): (x, height, −depth) in the scene. The cannon fires
// along −z, so these paths cross its line of fire 60 units out.
// Balls run in at 60 units a second and never reach the exit within a test.
constexpr const char* ДЛИННЫЙ =
    "количество_путей=1\n\nвершины 0\n-1000,60,4.667\n-900,60,4.667\n900,60,4.667\n1000,60,4.667\n\n"
    "разрывы 0\n\nунитазы\n30,-30\n\n";
constexpr const char* БЕЗ_ПУТЕЙ = "количество_путей=0\n\nунитазы\n\n";
// Path 1 has no segment between its lead-in and its exit.
constexpr const char* КОРОТКИЙ_ВТОРОЙ =
    "количество_путей=2\n\nвершины 0\n-1000,60,4.667\n-900,60,4.667\n900,60,4.667\n1000,60,4.667\n\n"
    "вершины 1\n-10,80,4.667\n10,80,4.667\n\nразрывы 0\n\nразрывы 1\n\nунитазы\n\n";

// The mouse motion that the field reads is set by the test.
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

// The level selection under the field.
class Низ : public sostojanie::Состояние {
public:
    int возобновлений = 0;
    void возобновить() override {
        Состояние::возобновить();
        ++возобновлений;
    }
};

class НаПоле : public test_stend::СтендИгры {
protected:
    void SetUp() override {
        СтендИгры::SetUp();
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
        настроить("данные = \"" + папка.путь().string() + "/\"");
    }
    void TearDown() override {
        переключатель.reset();
        SDL_Quit();
        СтендИгры::TearDown();
    }

    std::shared_ptr<ПолеСМышью> поле(std::int32_t номер, const char* текст) {
        test_support::записать_файл(папка / my_utils::format::sprintf("поле%02d.txt", номер), текст);
        return sostojanie::создать_состояние<ПолеСМышью>(номер);
    }
    // The level selection with the field on it.
    std::pair<std::shared_ptr<Низ>, std::shared_ptr<ПолеСМышью>> стопка(const char* текст) {
        auto низ = sostojanie::создать_состояние<Низ>();
        переключатель->добавить_состояние(низ);
        auto п = поле(1, текст);
        переключатель->добавить_состояние(п);
        return {низ, п};
    }

    static void положить(Uint32 тип, std::int32_t клавиша_или_кнопка = 0) {
        SDL_Event событие{};
        событие.type = тип;
        if (тип == SDL_KEYUP) событие.key.keysym.sym = клавиша_или_кнопка;
        else событие.button.button = static_cast<Uint8>(клавиша_или_кнопка);
        ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError();
    }
    static void проход() { EXPECT_FALSE(sobytija::события_игры->обработка()); }
    static bool мышь_взята() { return sobytija::события_игры->управление_мышью(); }
    static igrovaja_statistika::ИгроваяСтатистика& статистика() { return *igrovaja_statistika::игровая_статистика; }

    // No trajectory file here: the plane flies its built-in path.
    test_support::ВременнаяПапка папка;
    test_support::РабочаяПапка рабочая{папка.путь()};
    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;
};

struct СлучайКонца {
    const char* что;
    const char* уровень;
    bool проигрыш;
    bool пауза;
    long паника;

    friend void PrintTo(const СлучайКонца& с, std::ostream* поток) { *поток << с.что; }
};

class КонецУровня : public НаПоле, public testing::WithParamInterface<СлучайКонца> {};

// A lost life blows the chains up at once and shows the game over half a second
// later; no balls left wins at once, also on pause. Either way the screen comes
// on top with the field's result stored as Выйти, the field keeps its mouse and
// its M under the screen, and leaves once the screen is dismissed.
TEST_P(КонецУровня, ЭкранПоверхПоляИПолеУходитЗаНим) {
    const auto& с = GetParam();
    настроить(my_utils::format::sprintf("паника = %d", с.паника));
    auto [низ, п] = стопка(с.уровень);
    constexpr float dt = 0.125f;
    std::size_t шаров = 0;
    if (с.проигрыш) {
        for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(dt);
        шаров = п->пути()->шары_на_путях.at(0)->length();
        ASSERT_GE(шаров, 2u);
        статистика().минус_жизнь();
        переключатель->обновление_сцены(dt);
        ASSERT_TRUE(п->проигрыш());
        EXPECT_EQ(п->пути()->шары_на_путях.at(0)->length(), 0u);
        const std::size_t взрывов = vzryv::живые_взрывы.size();
        if (с.паника == 0) EXPECT_GE(взрывов, шаров);
        else EXPECT_EQ(взрывов, 0u);
        // 0.5 s exactly is not yet over.
        for (int кадр = 0; кадр < 4; ++кадр) {
            переключатель->обновление_сцены(dt);
            EXPECT_EQ(переключатель->стек().back(), п);
            EXPECT_EQ(vzryv::живые_взрывы.size(), взрывов);
        }
    }
    if (с.пауза) {
        положить(SDL_KEYUP, SDLK_SPACE);
        проход();
        ASSERT_TRUE(п->на_паузе());
    }
    переключатель->обновление_сцены(dt);
    ASSERT_EQ(переключатель->стек().size(), 3u);
    const auto& экран = *переключатель->стек().back();
    if (с.проигрыш) EXPECT_NE(dynamic_cast<const dialogy::КонецИгры*>(&экран), nullptr);
    else EXPECT_NE(dynamic_cast<const dialogy::Победа*>(&экран), nullptr);
    EXPECT_TRUE(vzryv::живые_взрывы.empty());
    EXPECT_FALSE(п->проигрыш());
    EXPECT_TRUE(п->конец_поля());
    EXPECT_EQ(п->результат().тип, ТипРезультата::Выйти);
    EXPECT_TRUE(мышь_взята());
    положить(SDL_KEYUP, SDLK_m);
    положить(SDL_KEYUP, SDLK_RETURN);
    проход();

    переключатель->обновление_сцены(dt);
    EXPECT_EQ(переключатель->стек().back(), п);
    EXPECT_EQ(низ->возобновлений, 0);
    переключатель->обновление_сцены(dt);
    EXPECT_EQ(переключатель->стек(), std::vector<std::shared_ptr<sostojanie::Состояние>>{низ});
    EXPECT_EQ(низ->возобновлений, 1);
    EXPECT_FALSE(мышь_взята());
    EXPECT_EQ(корень()->количество_детей(), 0);
    const std::string текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Сработала клавиша M"), 1u);
    EXPECT_EQ(сколько_раз(текст, "Игра закончилась"), с.проигрыш ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(, КонецУровня,
                         testing::Values(СлучайКонца{"проигрыш", ДЛИННЫЙ, true, false, 0},
                                         СлучайКонца{"проигрыш_при_панике", ДЛИННЫЙ, true, false, 1},
                                         СлучайКонца{"победа", БЕЗ_ПУТЕЙ, false, false, 0},
                                         СлучайКонца{"победа_на_паузе", БЕЗ_ПУТЕЙ, false, true, 0}));

// Paused frames still turn the cannon by the mouse and count the shot's wait
// down; the chains, the shot and the plane stand until the pause ends.
TEST_F(НаПоле, ПаузаОстанавливаетОсновнойШагНоНеПоворотИОжидание) {
    const auto п = поле(1, ДЛИННЫЙ);
    п->обновление_сцены(0.2f);
    const auto& цепь = *п->пути()->шары_на_путях.at(0);
    ASSERT_EQ(цепь.length(), 1u);
    const float x = цепь.шары.at(0)->шарик->получить_позицию().x;

    for (const auto клавиша : {SDLK_SPACE, SDLK_m}) положить(SDL_KEYUP, клавиша);
    положить(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    п->мышь_x = 50;
    положить(SDL_MOUSEMOTION);
    проход();
    ASSERT_TRUE(п->на_паузе());
    ASSERT_TRUE(п->ядро()->живое());
    const auto& самолёт = *п->пути()->самолёт;
    ASSERT_TRUE(самолёт.живой());
    const auto место_самолёта = самолёт.позиция();

    п->обновление_сцены(0.1f);
    const float поворот = п->пушка()->поворот();
    EXPECT_FLOAT_EQ(поворот, 0.1f * 50 * 0.1f);
    EXPECT_FLOAT_EQ(п->время_до_выстрела(), 0.1f);
    EXPECT_EQ(цепь.length(), 1u);
    EXPECT_EQ(цепь.шары.at(0)->шарик->получить_позицию().x, x);
    EXPECT_EQ(п->ядро()->время(), 0.0f);
    EXPECT_EQ(самолёт.позиция(), место_самолёта);

    положить(SDL_KEYUP, SDLK_SPACE);
    проход();
    п->обновление_сцены(0.1f);
    EXPECT_GT(цепь.шары.at(0)->шарик->получить_позицию().x, x);
    EXPECT_FLOAT_EQ(п->ядро()->время(), 0.1f);
    EXPECT_NE(самолёт.позиция(), место_самолёта);
    EXPECT_EQ(п->пушка()->поворот(), поворот);
}

struct Щелчок {
    const char* что;
    bool сначала_выстрел;
    int кадров;  // of 0.1 s after that shot
    Uint32 тип;
    std::uint8_t кнопка;
    bool ничего;
    bool выстрел;

    friend void PrintTo(const Щелчок& щ, std::ostream* поток) { *поток << щ.что; }
};

class КнопкиМыши : public НаПоле, public testing::WithParamInterface<Щелчок> {};

// A shot on the release of the left button while no shot flies; the middle and
// right buttons swap the colours; each starts the wait, during which no button
// does anything. Whatever does nothing leaves the wait, the shot and the colours.
TEST_P(КнопкиМыши, ВыстрелИЗаменаЦветаТолькоВнеОжидания) {
    const auto& щ = GetParam();
    const auto п = поле(1, ДЛИННЫЙ);
    if (щ.сначала_выстрел) {
        положить(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
        проход();
        ASSERT_TRUE(п->ядро()->живое());
    }
    for (int кадр = 0; кадр < щ.кадров; ++кадр) п->обновление_сцены(0.1f);
    const float ожидание = п->время_до_выстрела();
    const auto цвета = std::pair(п->пушка()->текущий_цвет(), п->пушка()->следующий_цвет());
    const bool летит = п->ядро()->живое();
    const float возраст = п->ядро()->время();

    положить(щ.тип, щ.кнопка);
    проход();
    if (щ.ничего) {
        EXPECT_EQ(п->время_до_выстрела(), ожидание);
        EXPECT_EQ(std::pair(п->пушка()->текущий_цвет(), п->пушка()->следующий_цвет()), цвета);
        EXPECT_EQ(п->ядро()->живое(), летит);
        EXPECT_EQ(п->ядро()->время(), возраст);
    } else {
        EXPECT_FLOAT_EQ(п->время_до_выстрела(), 0.2f);
        EXPECT_EQ(п->ядро()->живое() && п->ядро()->время() == 0.0f, щ.выстрел);
        EXPECT_EQ(п->пушка()->откат(), щ.выстрел);
    }
    EXPECT_EQ(сколько_раз(журнал(), "выстрел пушки"), (щ.сначала_выстрел ? 1u : 0u) + (щ.выстрел ? 1u : 0u));
}

INSTANTIATE_TEST_SUITE_P(
    , КнопкиМыши,
    testing::Values(Щелчок{"отпущена_левая", false, 0, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, false, true},
                    Щелчок{"нажата_левая", false, 0, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, true, false},
                    Щелчок{"левая_пока_ядро_летит", true, 3, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, true, false},
                    Щелчок{"левая_когда_ядро_упало", true, 11, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, false, true},
                    Щелчок{"правая_в_ожидании", true, 1, SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, true, false},
                    Щелчок{"правая", false, 0, SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, false, false},
                    Щелчок{"средняя", true, 3, SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, false, false},
                    Щелчок{"кнопка_4", false, 0, SDL_MOUSEBUTTONUP, SDL_BUTTON_X1, true, false}));

// A chain asked to remove a ball it does not hold throws out of the motion step:
// the line goes to standard output, the ball let in before stays, the shot does
// not move in that frame, and the next frame plays on.
TEST_F(НаПоле, ИсключениеОсновногоШагаПечатаетсяИСледующийКадрИдёт) {
    const auto п = поле(1, ДЛИННЫЙ);
    п->обновление_сцены(0.2f);
    auto& цепь = *п->пути()->шары_на_путях.at(0);
    ASSERT_EQ(цепь.length(), 1u);
    положить(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    проход();
    цепь.номера_на_удаление.push_back(999);

    testing::internal::CaptureStdout();
    EXPECT_EQ(п->обновление_сцены(0.2f).тип, ТипРезультата::Ничего);
    const std::string вывод = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(вывод.starts_with("Exception! ")) << вывод;
    EXPECT_EQ(сколько_раз(вывод, "\n"), 1u) << вывод;
    EXPECT_EQ(цепь.length(), 2u);
    EXPECT_EQ(п->ядро()->время(), 0.0f);

    const float x = цепь.шары.at(0)->шарик->получить_позицию().x;
    testing::internal::CaptureStdout();
    п->обновление_сцены(0.1f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_GT(цепь.шары.at(0)->шарик->получить_позицию().x, x);
    EXPECT_FLOAT_EQ(п->ядро()->время(), 0.1f);
}

// Esc takes the whole scene away, the camera off the cannon, the handlers and the
// mouse. The field's objects go later, after the scene root was emptied, and the
// explosion and number it left alive are finished by the next field without
// touching that field's scene.
TEST_F(НаПоле, EscОставляетПустуюСценуБезОбработчиковИМыши) {
    auto [низ, п] = стопка(ДЛИННЫЙ);
    for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(0.2f);
    положить(SDL_KEYUP, SDLK_m);
    проход();
    vzryv::добавить_взрывы({{2, {0, 5, -60}}});
    cifry::добавить_число(40, 2, {0, 5, -60});
    ASSERT_EQ(cifry::живые_числа.size(), 1u);
    ASSERT_TRUE(мышь_взята());

    положить(SDL_KEYUP, SDLK_ESCAPE);
    for (const auto клавиша : {SDLK_SPACE, SDLK_m}) положить(SDL_KEYUP, клавиша);
    положить(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    проход();
    EXPECT_EQ(переключатель->стек(), std::vector<std::shared_ptr<sostojanie::Состояние>>{низ});
    EXPECT_EQ(корень()->количество_детей(), 0);
    EXPECT_EQ(zyr::менеджер->место_камеры()->получить_родителя(), nullptr);
    EXPECT_FALSE(мышь_взята());
    EXPECT_FALSE(п->на_паузе());
    EXPECT_FALSE(п->ядро()->живое());
    п.reset();
    EXPECT_EQ(корень()->количество_детей(), 0);

    const auto следующее = поле(2, ДЛИННЫЙ);
    std::set<std::string> узлы;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const auto до = корень()->количество_детей();
        // Long enough for both leftovers to end.
        следующее->обновление_сцены(i == 0 ? 0.1f : 5.0f);
        EXPECT_GE(корень()->количество_детей(), до);
    }
    EXPECT_TRUE(vzryv::живые_взрывы.empty());
    EXPECT_TRUE(cifry::живые_числа.empty());
    EXPECT_NE(корень()->получить_ребёнка("место_основания"), nullptr);
    const std::string текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Сработала клавиша M"), 1u);
    EXPECT_EQ(сколько_раз(текст, "Сработала клавиша Пробел"), 0u);
}

// A level without its ground object plays on without ground; one whose path set
// can't be built is refused before anything is built or bound.
TEST_F(НаПоле, ПолеБезЗемлиИграетсяАНеПостроенныеПутиОтвергаются) {
    for (const std::int32_t номер : {1, 50}) {
        SCOPED_TRACE(номер);
        const auto п = поле(номер, ДЛИННЫЙ);
        const auto земля = корень()->получить_ребёнка("место_поля");
        EXPECT_EQ(земля != nullptr, номер == 1);
        if (земля) {
            EXPECT_EQ(земля->количество_объектов(), 1);
        }
        EXPECT_EQ(zyr::менеджер->место_камеры()->получить_родителя(), п->место_камеры_у_пушки());
        EXPECT_EQ(п->место_камеры_у_пушки()->получить_родителя(), п->пушка()->внешнее_место());
        п->обновление_сцены(0.2f);
        EXPECT_EQ(п->пути()->шары_на_путях.at(0)->length(), 1u);
    }
    ASSERT_EQ(корень()->количество_детей(), 0);

    const std::string файл = (папка / "поле03.txt").string();
    try {
        поле(3, КОРОТКИЙ_ВТОРОЙ);
        ADD_FAILURE() << "поле построено";
    } catch (const pole::ПолеИсключение& ошибка) {
        const std::string текст = ошибка.what();
        EXPECT_NE(текст.find(файл), std::string::npos) << текст;
        EXPECT_NE(текст.find("пути 1 "), std::string::npos) << текст;
    }
    EXPECT_EQ(корень()->количество_детей(), 0);
    EXPECT_FALSE(мышь_взята());
    положить(SDL_KEYUP, SDLK_m);
    проход();
    const std::string текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Сработала клавиша M"), 0u);
    EXPECT_EQ(сколько_раз(текст, "Состояние Поле 050"), 1u);
}

}  // namespace
