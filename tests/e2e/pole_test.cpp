// The game played on a field: a shot from the rest aim, a shot ball joining a
// chain, a hit on a bonus target, the plane's bombs, the pause, the loss and the
// victory with the screens that follow them.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "stend_e2e.hpp"

namespace test_e2e {
namespace {

// At rest the cannon at the origin fires along −z; the shot comes down to ball
// height near z = −32.7 and rolls on along x = 0.
//
// A path across the line of fire 60 units out, in the middle of the view: balls
// run in from x = −40 and are on the line of fire within a second; the exit is
// some 480 units on, far more than the chain covers in a scenario.
const Уровень ПОПЕРЁК_ЛИНИИ_ОГНЯ{{{{-50, -60}, {-40, -60}, {100, -60}, {100, -400}, {110, -400}}}, {}};

// The window's rows between the statistics' bands (score and lives on their
// backing above, the hint below): the 3D view, with the pause marker in it.
constexpr int ВИД_Y0 = 80;
constexpr int ВИД_Y1 = 549;
// The score, from its left edge to the lives; above the horizon, where the scene
// shows only the background.
constexpr int ОЧКИ_X0 = 480, ОЧКИ_Y0 = 0, ОЧКИ_X1 = 640, ОЧКИ_Y1 = 60;

// The score's magenta (0.8, 0, 0.4), alone or blended at a letter's edge into a dark backing.
bool пурпурный(const std::array<std::uint8_t, 4>& п) { return п[0] >= п[1] + 30 && п[2] >= п[1] + 15; }

// The contrast of the magenta letters in a rectangle of the shot against what they
// stand on: their full colour (the reddest letter pixel) against the commonest other
// colour there, by relative luminance.
double контраст_букв(const Снимок& с, int x0, int y0, int x1, int y1) {
    std::map<std::array<std::uint8_t, 4>, int> фон;
    std::array<std::uint8_t, 4> буква{};
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const auto п = с.пиксель(x, y);
            if (!пурпурный(п)) ++фон[п];
            else if (п[0] > буква[0]) буква = п;
        }
    }
    const auto яркость = [](const std::array<std::uint8_t, 4>& п) {
        double л = 0;
        for (int к = 0; к < 3; ++к) {
            const double v = п[к] / 255.0;
            л += std::array{0.2126, 0.7152, 0.0722}[к] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return л + 0.05;
    };
    const auto обычный = std::max_element(фон.begin(), фон.end(), [](auto& а, auto& б) { return а.second < б.second; });
    if (обычный == фон.end()) return 0;
    const double а = яркость(буква);
    const double б = яркость(обычный->first);
    return std::max(а, б) / std::min(а, б);
}

constexpr double ПОКАЗАН = ПанельНаЭкране::ПАНЕЛЬ_ПОКАЗАНА;
constexpr double УБРАН = ПанельНаЭкране::ПАНЕЛЬ_УБРАНА;

class НаПоле : public ИграE2E {
protected:
    void TearDown() override {
        // The main step's exceptions are printed and the game goes on: no scenario expects one.
        EXPECT_EQ(вывод().find("Exception!"), std::string::npos) << вывод();
        ИграE2E::TearDown();
    }

    int различия_вида(const Снимок& а, const Снимок& б) const { return а.различия(б, 0, ВИД_Y0, ШИРИНА, ВИД_Y1); }

    ПанельНаЭкране статистика = панель("статистика");
};

TEST_F(НаПоле, Уровень1ВыстрелИзПокоя) {
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    // The score and the lives read at a glance: their letters stand on the backing,
    // which shows between them, at a contrast of at least 3 : 1.
    const Снимок с = снимок("статистика");
    EXPECT_GE(статистика.совпадение(с, "доска_статистики", пурпурный), ПОКАЗАН);
    EXPECT_GE(контраст_букв(с, ОЧКИ_X0, ОЧКИ_Y0, ШИРИНА, ОЧКИ_Y1), 3.0);
    щелчок();
    std::this_thread::sleep_for(300ms);
    // Esc leaves the field for the level selection.
    клавиша("Escape");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор));
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Выбран уровень 1", "Состояние Поле 001", "выстрел пушки", "Выстрел Заряд(",
                                       "поворот=0, наклон=0)!", "Сработала клавиша Esc"}),
              "")
        << ж;
}

TEST_F(НаПоле, ВыстрелВстаётВЦепочку) {
    записать_уровень(1, ПОПЕРЁК_ЛИНИИ_ОГНЯ);
    настроить_игру("уровни_модулей = [\"шарики\":\"Отладка\"]");
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    // The chain reaches the line of fire within a second; at a low frame rate a
    // shot may roll across the chain between two frames, so a few are fired.
    std::this_thread::sleep_for(1s);
    for (int i = 0; i < 4 && !ждать_в_журнале("вст_номера_шара_и_группы", 0s); ++i) {
        щелчок();
        ждать_в_журнале("вст_номера_шара_и_группы", 1200ms);
    }
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Состояние Поле 001", "выстрел пушки", "вст_номера_шара_и_группы: "}), "")
        << ж;
}

TEST_F(НаПоле, ПопаданиеВУнитазПриноситОчки) {
    // The one site is on the line of fire 20 units out, the path well off it.
    записать_уровень(1, {{{{-60, 20}, {-60, 10}, {-60, -400}, {-70, -400}}}, {{0, -20}}});
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    const Снимок начало = снимок("очки_в_начале");

    // A target rises 4 to 20 s into the level and stays up for 15 s. A click while
    // the last shot still rolls (up to a second) fires nothing.
    using Часы = std::chrono::steady_clock;
    const auto предел = Часы::now() + 25s;
    bool очки_изменились = false;
    while (!очки_изменились && Часы::now() < предел && работает()) {
        const auto следующий = Часы::now() + 400ms;
        щелчок();
        очки_изменились = снимок("очки").различия(начало, ОЧКИ_X0, ОЧКИ_Y0, ОЧКИ_X1, ОЧКИ_Y1) > 0;
        std::this_thread::sleep_until(следующий);
    }
    EXPECT_TRUE(очки_изменились);
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    // The site row "0,20" stands at z = −20.
    EXPECT_EQ(первый_не_по_порядку(ж, {"Состояние Поле 001", "Поднимается унитаз ", "Попадание в унитаз ",
                                       " в Вектор3(0,0,-20)!!!"}),
              "")
        << ж;
}

TEST_F(НаПоле, СамолётСбрасываетБомбы) {
    настроить_игру("уровни_модулей = [\"самолёт\":\"Отладка\"]");
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    клавиша("m");
    ждать_в_журнале("Взрываем бомбу ", 16s);
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    ASSERT_EQ(первый_не_по_порядку(ж, {"Сработала клавиша M", "Возрождён самолёт ", "Взрываем бомбу "}), "") << ж;
    std::size_t место = 0;
    const double нажата = время_записи(ж, "Сработала клавиша M", место);
    const double взрыв = время_записи(ж, "Взрываем бомбу ", место);
    EXPECT_LE(взрыв - нажата, 15.0) << ж;
    EXPECT_NE(ж.find(" в месте ", ж.find("Взрываем бомбу ")), std::string::npos) << ж;
}

TEST_F(НаПоле, ПаузаОстанавливаетСценуНоНеПушку) {
    записать_уровень(1, ПОПЕРЁК_ЛИНИИ_ОГНЯ);
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    // Paused while the chain runs in across the view.
    клавиша("space");
    const auto на_паузе = ждать_снимка("пауза", [&](const Снимок& с) {
        return статистика.совпадение(с, "статистика.пауза") >= ПОКАЗАН;
    });
    std::this_thread::sleep_for(1s);
    const auto через_секунду = снимок("пауза_через_секунду");
    EXPECT_EQ(различия_вида(на_паузе, через_секунду), 0);
    EXPECT_GE(статистика.совпадение(через_секунду, "статистика.пауза"), ПОКАЗАН);

    // The cannon, and the camera on it, still turn with the mouse.
    сдвинуть_указатель(60, 0);
    ждать_снимка("поворот_на_паузе", [&](const Снимок& с) { return различия_вида(с, через_секунду) > 0; }, 5s);

    клавиша("space");
    const auto снята = ждать_снимка("пауза_снята", [&](const Снимок& с) {
        return статистика.совпадение(с, "статистика.пауза") <= УБРАН;
    });
    std::this_thread::sleep_for(1s);
    EXPECT_GT(различия_вида(снята, снимок("после_паузы")), 0);
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Состояние Поле 001", "Сработала клавиша Пробел", "Сработала клавиша Пробел"}),
              "")
        << ж;
}

TEST_F(НаПоле, ШарНаВыходеЗаканчиваетИгру) {
    // The exit begins 60 units after the entrance: a second of running in.
    записать_уровень(1, {{{{-40, -50}, {-30, -50}, {30, -50}, {40, -50}}}, {}});
    const auto конец_игры = панель("конец_игры");
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    ASSERT_NO_FATAL_FAILURE(ждать_панель(конец_игры));
    клавиша("space");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор));
    // The same level again, in the same game: the pools of the first field are reused.
    указатель(выбор.центр("выбор_уровня.кнопка_поле001"));
    щелчок();
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор, false));
    ASSERT_NO_FATAL_FAILURE(ждать_панель(конец_игры));
    клавиша("space");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор));
    // The level selection answers again: Esc goes back to the start screen.
    клавиша("Escape");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(заставка));
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    std::vector<std::string> порядок;
    for (int раз = 0; раз < 2; ++раз) {
        порядок.insert(порядок.end(), {"Состояние Поле 001", "Удаление нулевого шарика", "Игра закончилась",
                                       "Состояние КонецИгры", "Сработала клавиша выхода"});
    }
    порядок.push_back("Сработала клавиша Esc");
    EXPECT_EQ(первый_не_по_порядку(ж, порядок), "") << ж;
}

TEST_F(НаПоле, БезШаровПобеда) {
    настроить_игру("количество_шаров_на_пути = 0\nколичество_выбегающих_шаров = 0");
    const auto победа = панель("победа");
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));
    ASSERT_NO_FATAL_FAILURE(ждать_панель(победа));
    // The score reads: its letters, a fifth of its rectangle (x 0.2 to 0.8 and
    // y 0.2 to 0.33 of the window), lie over the backing, which shows between them.
    const Снимок с = снимок("победа");
    int букв = 0;
    for (int y = 402; y < 480; ++y)
        for (int x = 160; x < 640; ++x) букв += пурпурный(с.пиксель(x, y));
    EXPECT_GE(букв, 480 * 78 / 10);  // half that fifth
    EXPECT_GE(победа.совпадение(с, "доска_очков", пурпурный), ПОКАЗАН);
    клавиша("Return");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор));
    клавиша("Escape");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(заставка));
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());

    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Состояние Поле 001", "Состояние Победа", "Сработала клавиша выхода",
                                       "Сработала клавиша Esc"}),
              "")
        << ж;
}

}  // namespace
}  // namespace test_e2e
