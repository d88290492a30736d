// The game from start to end through its screens: start and quit, the menu
// round trip, a level whose file is missing, and the window closed on a field;
// and a start with no display to show the window on.
#include <string>
#include <thread>

#include "stend_e2e.hpp"

namespace test_e2e {
namespace {

class Меню : public ИграE2E {};

TEST_F(Меню, ЗапускИВыходПоEsc) {
    ASSERT_NO_FATAL_FAILURE(запустить());
    ASSERT_NO_FATAL_FAILURE(ждать_панель(заставка));
    клавиша("Escape");

    const auto конец = дождаться_конца();
    ASSERT_TRUE(конец.завершилась);
    EXPECT_EQ(конец.код, 0);
    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Начало работы журнала", "Шаг 1.1 Загружен SDL", "Шаг 2.", "Шаг 3.",
                                       "Шаг 4.", "Шаг 5.", "Шаг 6.", "Состояние НачальнаяЗаставка",
                                       "Сработала клавиша Esc", "Закончили рендерить"}),
              "")
        << ж;
    const std::string кадры = "Закончили рендерить ";
    const auto где = ж.find(кадры);
    ASSERT_NE(где, std::string::npos) << ж;
    EXPECT_GE(std::stol(ж.substr(где + кадры.size(), 20)), 1) << ж;
}

TEST_F(Меню, ВыборУровнейИОбратноВыходТолькоПоНастоящемуЩелчку) {
    ASSERT_NO_FATAL_FAILURE(к_выбору_уровней());
    клавиша("Escape");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(заставка));

    // Pressed on "Выход", released away from it: no quit.
    const auto выход = заставка.центр("начальная_заставка.кнопка_выход");
    указатель(выход);
    нажать_кнопку_мыши();
    указатель(20, 20);
    отпустить_кнопку_мыши();
    std::this_thread::sleep_for(1s);
    ASSERT_TRUE(работает());

    указатель(выход);
    щелчок();
    const auto конец = дождаться_конца();
    ASSERT_TRUE(конец.завершилась);
    EXPECT_EQ(конец.код, 0);
    const auto ж = журнал();
    EXPECT_EQ(первый_не_по_порядку(ж, {"Состояние НачальнаяЗаставка", "Сработала клавиша Enter", "Состояние ВыборУровней",
                                       "Сработала клавиша Esc", "Сработала кнопка «Выход»", "Закончили рендерить"}),
              "")
        << ж;
    EXPECT_EQ(ж.find("Сработала кнопка «Выход»"), ж.rfind("Сработала кнопка «Выход»")) << ж;
}

TEST_F(Меню, НетФайлаУровняЗавершаетИгруСОшибкой) {
    настроить_игру("данные = \"нет/\"");
    ASSERT_NO_FATAL_FAILURE(к_выбору_уровней());
    указатель(выбор.центр("выбор_уровня.кнопка_поле001"));
    щелчок();

    const auto конец = дождаться_конца();
    ASSERT_TRUE(конец.завершилась);
    EXPECT_NE(конец.код, 0);
    EXPECT_FALSE(конец.сигнал()) << конец.код;
    EXPECT_NE(ошибки().find("Не найден файл нет/поле01.txt"), std::string::npos) << ошибки();
    EXPECT_NE(журнал().find("Выбран уровень 1"), std::string::npos) << журнал();
}

TEST_F(Меню, ЗакрытоеНаПолеОкноЗавершаетИгру) {
    ASSERT_NO_FATAL_FAILURE(начать_уровень(1));

    // What a window manager's close amounts to here: SDL turns SIGTERM into its quit event.
    ASSERT_NO_FATAL_FAILURE(закрыть_окно());
    EXPECT_EQ(первый_не_по_порядку(журнал(), {"Выбран уровень 1", "Состояние Поле 001", "Окно закрыто пользователем",
                                             "Закончили рендерить"}),
              "")
        << журнал();
}

// With no display SDL would settle on a driver that shows nothing: the game must
// refuse to start rather than play on unseen.
class БезДисплея : public ИграE2E {
protected:
    void проверить_отказ() {
        // A hang is what the check is about: the stand kills the game after the limit.
        const auto конец = дождаться_конца(20s);
        ASSERT_TRUE(конец.завершилась) << "игра работает без окна; ошибки: " << ошибки();
        EXPECT_FALSE(конец.сигнал()) << конец.код;
        EXPECT_EQ(конец.код, 1) << ошибки();
        const auto о = ошибки();
        const std::string сообщение = ": Невозможно инициализировать видеорежим. Ошибка в SDL_Init().\n";
        const auto где = о.find(сообщение);
        ASSERT_NE(где, std::string::npos) << о;
        const auto начало = где + сообщение.size();
        const auto причина = о.substr(начало, о.find('\n', начало) - начало);
        EXPECT_NE(причина.find("не показывает окна"), std::string::npos) << о;
        EXPECT_EQ(журнал().find("Шаг 4"), std::string::npos) << журнал();
    }
};

TEST_F(БезДисплея, НетПеременныхДисплея) {
    запустить_без_X();
    проверить_отказ();
}

TEST_F(БезДисплея, DISPLAYБезСервера) {
    // Below every number the stand's own display search starts at.
    запустить_без_X(":999");
    проверить_отказ();
}

}  // namespace
}  // namespace test_e2e
