// The start screen and the level selection over the built game's panels and
// atlases in an 800 x 600 window, driven by mouse events through the game's
// event pass. Panels are changed in memory where a case needs a fault in them.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "my_utils/format.hpp"
#include "src/dialogy.hpp"
#include "src/sostojanie.hpp"
#include "support/igra/stend_igry.hpp"
#include "support/support.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/texture.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using dialogy::ВыборУровней;
using dialogy::НачальнаяЗаставка;
using igrovoe_menu::СостояниеКнопки;
using sostojanie::ТипРезультата;
using sostojanie::создать_состояние;
using Элемент = std::shared_ptr<zyr::element_infopaneli::ЭлементИнфопанели>;

constexpr int ШИРИНА = 800;
constexpr int ВЫСОТА = 600;

class ЗаставкаGL : public test_stend::СтендИгрыВОкне {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(СтендИгрыВОкне::SetUp());
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
    }
    void TearDown() override {
        переключатель.reset();
        СтендИгрыВОкне::TearDown();
    }

    // The element of a shipped panel, found in its container; panels are shared,
    // so a screen made afterwards sees what a test changes here.
    static Элемент элемент(const std::string& панель, const std::string& контейнер, const std::string& имя) {
        const auto п = zyr::менеджер->получить_инфопанель(панель);
        const auto к = п ? п->получить_элемент(контейнер) : nullptr;
        return к ? к->получить_элемент(имя) : nullptr;
    }
    static std::string имя_уровня(int уровень) {
        return my_utils::format::sprintf("выбор_уровня.кнопка_поле%03d", уровень);
    }
    static Элемент уровня(int уровень) { return элемент("выбор_уровней", "выбор уровня", имя_уровня(уровень)); }

    // A mouse event at a point of the panel's unit square, handed to the screen's
    // own handlers: the window's real pointer events never come in between.
    static void мышь(igrovoe_menu::ИгровоеМеню& экран, Uint32 тип, float x, float y) {
        SDL_Event событие{};
        событие.type = тип;
        const int wx = static_cast<int>(x * ШИРИНА);
        const int wy = ВЫСОТА - static_cast<int>(y * ВЫСОТА);
        if (тип == SDL_MOUSEMOTION) {
            событие.motion.x = wx;
            событие.motion.y = wy;
            экран.обработка_движения_мыши(событие);
        } else {
            событие.button.button = SDL_BUTTON_LEFT;
            событие.button.x = wx;
            событие.button.y = wy;
            экран.обработка_клавиши_мыши(событие);
        }
    }
    static void щелчок(igrovoe_menu::ИгровоеМеню& экран, float x, float y) {
        мышь(экран, SDL_MOUSEBUTTONDOWN, x, y);
        мышь(экран, SDL_MOUSEBUTTONUP, x, y);
    }
    static void щелчок(igrovoe_menu::ИгровоеМеню& экран, const Элемент& э) {
        щелчок(экран, (э->отн_x() + э->x2()) / 2, (э->отн_y() + э->y2()) / 2);
    }

    template <class T>
    std::shared_ptr<T> наверх() {
        auto состояние = создать_состояние<T>();
        переключатель->добавить_состояние(состояние);
        return состояние;
    }

    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;
};

// Each level takes three consecutive cells of 25/128 on its page: level 2 the
// cells 3 to 5 of the first atlas, level 9 the cells 0 to 2 of the second.
TEST_F(ЗаставкаGL, КнопкиУровней2и9ПоказываютСвоиКлеткиАтласа) {
    struct Случай {
        int уровень;
        std::array<std::array<float, 4>, 3> клетки;  // Обычное, ПодУказателем, Нажатое
    };
    const Случай случаи[] = {
        {2, {{{0.5859375f, 0, 0.78125f, 0.1953125f}, {0.78125f, 0, 0.9765625f, 0.1953125f},
              {0, 0.1953125f, 0.1953125f, 0.390625f}}}},
        {9, {{{0, 0, 0.1953125f, 0.1953125f}, {0.1953125f, 0, 0.390625f, 0.1953125f},
              {0.390625f, 0, 0.5859375f, 0.1953125f}}}},
    };
    const auto экран = наверх<ВыборУровней>();
    for (const auto& [уровень, клетки] : случаи) {
        SCOPED_TRACE(уровень);
        const auto э = уровня(уровень);
        ASSERT_TRUE(э);
        const float x = (э->отн_x() + э->x2()) / 2;
        const float y = (э->отн_y() + э->y2()) / 2;
        мышь(*экран, SDL_MOUSEMOTION, x, y);
        EXPECT_EQ(э->координаты_текстуры(), клетки[1]);
        мышь(*экран, SDL_MOUSEBUTTONDOWN, x, y);
        EXPECT_EQ(э->координаты_текстуры(), клетки[2]);
        мышь(*экран, SDL_MOUSEMOTION, 0.01f, 0.99f);
        EXPECT_EQ(э->координаты_текстуры(), клетки[0]);
    }
}

TEST_F(ЗаставкаGL, БезЭлементаУровняОстальныеКнопкиЗапускаютСвоиУровни) {
    const auto выбор = zyr::менеджер->получить_инфопанель("выбор_уровней")->получить_элемент("выбор уровня");
    ASSERT_TRUE(выбор->отсоединить_элемент(имя_уровня(3)));
    настроить("данные = \"нет/\"");
    const auto экран = наверх<ВыборУровней>();

    std::vector<int> уровни;
    for (const auto& к : экран->кнопки_уровней()) уровни.push_back(к.уровень);
    EXPECT_EQ(уровни, (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    // The field of the level is made, and reads that level's file.
    try {
        щелчок(*экран, уровня(4));
        ADD_FAILURE() << "поле уровня 4 не создано";
    } catch (const std::exception& ошибка) {
        EXPECT_STREQ(ошибка.what(), "Не найден файл нет/поле04.txt");
    }
    EXPECT_EQ(test_stend::сколько_раз(журнал(), "Выбран уровень 4"), 1u);
}

TEST_F(ЗаставкаGL, ПрозрачныйУголКнопкиУровняНеНажимает) {
    const auto экран = наверх<ВыборУровней>();
    const auto э = уровня(1);
    ASSERT_TRUE(э);
    const auto& кнопка = экран->кнопки_уровней().front();
    ASSERT_EQ(кнопка.уровень, 1);
    // Inside the rectangle, on the round picture's transparent corner.
    const float x = э->отн_x() + 0.03f * э->отн_ш();
    const float y = э->y2() - 0.03f * э->отн_в();
    ASSERT_TRUE(э->проверить_точку(x, y));

    щелчок(*экран, x, y);
    EXPECT_FALSE(кнопка.кнопка.нажата());
    EXPECT_EQ(кнопка.кнопка.состояние(), СостояниеКнопки::Обычное);
    EXPECT_EQ(экран->результат().тип, ТипРезультата::Ничего);

    мышь(*экран, SDL_MOUSEBUTTONDOWN, (э->отн_x() + э->x2()) / 2, (э->отн_y() + э->y2()) / 2);
    EXPECT_TRUE(кнопка.кнопка.нажата());
}

// Buttons laid over each other: only the first that fires acts.
TEST_F(ЗаставкаGL, ЗаставкаПослеИгрыНеСпрашиваетВыход) {
    const auto игра = элемент("начальная_заставка", "начальная заставка", "начальная_заставка.кнопка_игра");
    const auto выход = элемент("начальная_заставка", "начальная заставка", "начальная_заставка.кнопка_выход");
    ASSERT_TRUE(игра && выход);
    выход->задать_координаты(игра->отн_x(), игра->отн_y(), игра->отн_ш(), игра->отн_в());
    const auto экран = наверх<НачальнаяЗаставка>();

    щелчок(*экран, игра);
    EXPECT_EQ(экран->результат().тип, ТипРезультата::Добавить);
    EXPECT_TRUE(std::dynamic_pointer_cast<ВыборУровней>(экран->результат().состояние));
    const auto ж = журнал();
    EXPECT_EQ(test_stend::сколько_раз(ж, "Сработала кнопка «Игра»"), 1u);
    EXPECT_EQ(test_stend::сколько_раз(ж, "Сработала кнопка «Выход»"), 0u);
}

TEST_F(ЗаставкаGL, ВыборУровнейЗапускаетТолькоПервыйСработавшийУровень) {
    // Level 1 has a file (no paths), level 2 none: a second field would throw.
    test_support::ВременнаяПапка уровни;
    test_support::записать_файл(уровни / "поле01.txt", "количество_путей=0\n\nунитазы\n\n");
    настроить("данные = \"" + (уровни.путь() / "").string() + "\"");
    const auto первый = уровня(1);
    const auto второй = уровня(2);
    второй->задать_координаты(первый->отн_x(), первый->отн_y(), первый->отн_ш(), первый->отн_в());
    const auto экран = наверх<ВыборУровней>();

    щелчок(*экран, первый);
    EXPECT_EQ(экран->результат().тип, ТипРезультата::Добавить);
    EXPECT_TRUE(экран->результат().состояние);
    const auto ж = журнал();
    EXPECT_EQ(test_stend::сколько_раз(ж, "Выбран уровень"), 1u) << ж;
    EXPECT_EQ(test_stend::сколько_раз(ж, "Выбран уровень 1"), 1u) << ж;
}

}  // namespace
