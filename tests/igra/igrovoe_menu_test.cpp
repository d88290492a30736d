// Menus driven by events pushed through SDL's queue (no window), over a panel of
// the test's own in the upper half of an 800 x 600 window; buttons on their own.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <array>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "src/dialogy.hpp"
#include "src/igrovoe_menu.hpp"
#include "src/sobytija.hpp"
#include "src/sostojanie.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using namespace igrovoe_menu;
using sostojanie::РезультатКадра;
using sostojanie::ТипРезультата;
using sostojanie::создать_состояние;
namespace окно = zyr::zavisimost::okno_SDL2;

// Texture rectangles of the states Обычное, ПодУказателем, Нажатое.
constexpr std::array<float, 12> ПРЯМОУГОЛЬНИКИ{0.0f, 0.0f, 1.0f, 1.0f, 0.1f, 0.1f, 0.2f, 0.2f,
                                              0.3f, 0.3f, 0.4f, 0.4f};

// A menu that keeps every point it is handed.
class ЗаписьМеню : public ИгровоеМеню {
public:
    explicit ЗаписьМеню(const std::string& панель) : ИгровоеМеню(true) { инициализация_главной_инфопанели(панель); }
    void индивидуальная_обработка_клавиши_мыши(SDL_Event, Точка точка) override { точки.push_back(точка); }
    void индивидуальная_обработка_движения_мыши(SDL_Event, Точка точка) override { точки.push_back(точка); }
    void сохранить(РезультатКадра результат) { задать_результат(std::move(результат)); }

    std::vector<Точка> точки;
};

class Меню : public test_stend::СтендБезРесурсов {
protected:
    void SetUp() override {
        прежние_ = окно::параметры_окна;
        окно::параметры_окна.ширина = 800;
        окно::параметры_окна.высота = 600;
        test_support::записать_файл(ресурсы() / "меню.ip", R"({"имя": "меню", "координаты": [0.0, 300.0, 800.0, 300.0]})");
        test_support::записать_файл(ресурсы() / "чужая.ip", R"({"имя": "чужая", "координаты": [0.0, 0.0, 8.0, 8.0]})");
        СтендБезРесурсов::SetUp();
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
    }
    void TearDown() override {
        // Closing the states still on the stack reaches the manager.
        переключатель.reset();
        СтендБезРесурсов::TearDown();
        SDL_Quit();
        окно::параметры_окна = прежние_;
    }

    static void положить(Uint32 тип, int x = 0, int y = 0, Uint8 кнопка = SDL_BUTTON_LEFT, SDL_Keycode клавиша = 0) {
        SDL_Event событие{};
        событие.type = тип;
        if (тип == SDL_KEYUP || тип == SDL_KEYDOWN) {
            событие.key.keysym.sym = клавиша;
        } else if (тип == SDL_MOUSEMOTION) {
            событие.motion.x = x;
            событие.motion.y = y;
        } else {
            событие.button.button = кнопка;
            событие.button.x = x;
            событие.button.y = y;
        }
        ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError();
    }
    static void esc() { положить(SDL_KEYUP, 0, 0, 0, SDLK_ESCAPE); }
    static bool проход() { return sobytija::события_игры->обработка(); }
    static std::set<std::string> панели_на_экране() {
        std::set<std::string> имена;
        for (const auto& [имя, _] : zyr::менеджер->инфопанели()) имена.insert(имя);
        return имена;
    }
    template <class T, class... Аргументы>
    std::shared_ptr<T> наверх(Аргументы&&... аргументы) {
        auto состояние = создать_состояние<T>(std::forward<Аргументы>(аргументы)...);
        переключатель->добавить_состояние(состояние);
        return состояние;
    }

    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;

private:
    zyr::types::ПараметрыОкна прежние_;
};

}  // namespace

// Mouse events on the button at a point on it (capital letter) or beside it:
// P press, R release, M motion. Then its firings and the state it shows, with
// that state's texture rectangle on its element.
TEST(КнопкаМеню, СрабатываетТолькоНажатаяИОтпущеннаяНаНейБезУхода) {
    struct Случай {
        const char* события;
        int срабатываний;
        СостояниеКнопки итог;
    };
    for (const auto& [события, срабатываний, итог] : {Случай{"MPR", 1, СостояниеКнопки::ПодУказателем},
                                                      Случай{"PmMR", 0, СостояниеКнопки::ПодУказателем},
                                                      Случай{"pMR", 0, СостояниеКнопки::ПодУказателем},
                                                      Случай{"PrR", 0, СостояниеКнопки::ПодУказателем},
                                                      Случай{"MPM", 0, СостояниеКнопки::Нажатое},
                                                      Случай{"Mm", 0, СостояниеКнопки::Обычное}}) {
        SCOPED_TRACE(события);
        auto элемент = std::make_shared<zyr::element_infopaneli::ЭлементИнфопанели>("к", false, 0.25f, 0.25f, 0.5f, 0.5f);
        Кнопка кнопка("к", элемент, {}, ПРЯМОУГОЛЬНИКИ, nullptr, false);
        int сработала = 0;
        for (const char* с = события; *с != '\0'; ++с) {
            const char буква = static_cast<char>(std::toupper(*с));
            const std::int32_t тип = буква == 'P' ? SDL_MOUSEBUTTONDOWN : буква == 'R' ? SDL_MOUSEBUTTONUP : SDL_MOUSEMOTION;
            сработала += кнопка.обработка_события_мыши(тип, буква == *с ? Точка{0.5f, 0.5f} : Точка{0.1f, 0.1f});
        }
        EXPECT_EQ(сработала, срабатываний);
        EXPECT_EQ(кнопка.состояние(), итог);
        const auto н = 4 * static_cast<std::size_t>(итог);
        EXPECT_EQ(элемент->координаты_текстуры(), (std::array<float, 4>{ПРЯМОУГОЛЬНИКИ[н], ПРЯМОУГОЛЬНИКИ[н + 1],
                                                                       ПРЯМОУГОЛЬНИКИ[н + 2], ПРЯМОУГОЛЬНИКИ[н + 3]}));
    }
}

TEST_F(Меню, ПоложениеВОкнеСтановитсяТочкойПанелиСОсьюYВверх) {
    const auto меню = наверх<ЗаписьМеню>("меню");
    положить(SDL_MOUSEBUTTONUP, 400, 0);  // the top row of the window: y' = 600
    положить(SDL_MOUSEBUTTONDOWN, 0, 600);
    положить(SDL_MOUSEMOTION, 800, 300);
    положить(SDL_MOUSEBUTTONUP, 400, 0, SDL_BUTTON_RIGHT);
    положить(SDL_MOUSEBUTTONDOWN, 400, 0, SDL_BUTTON_MIDDLE);
    EXPECT_FALSE(проход());
    EXPECT_EQ(меню->точки, (std::vector<Точка>{{0.5f, 1.0f}, {0.0f, -1.0f}, {1.0f, 0.0f}}));
}

TEST_F(Меню, ПанельУходитПодДругимСостояниемИВозвращаетсяСОбработчикамиМеню) {
    zyr::менеджер->добавить_инфопанель(zyr::менеджер->получить_инфопанель("чужая"));
    const auto меню = наверх<ЗаписьМеню>("меню");
    EXPECT_EQ(панели_на_экране(), std::set<std::string>{"меню"});
    меню->сохранить(РезультатКадра(ТипРезультата::Выйти));

    // A state above that shows no panel of its own, like the field.
    zyr::менеджер->добавить_инфопанель(zyr::менеджер->получить_инфопанель("чужая"));
    наверх<sostojanie::Состояние>();
    EXPECT_EQ(панели_на_экране(), std::set<std::string>{"чужая"});
    // It bound the mouse for itself and unbound it when it left.
    sobytija::события_игры->разрегистрировать_функцию1(SDL_MOUSEBUTTONUP);

    esc();
    EXPECT_FALSE(проход());
    EXPECT_EQ(панели_на_экране(), std::set<std::string>{"меню"});
    EXPECT_EQ(меню->результат().тип, ТипРезультата::Ничего);
    положить(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(проход());
    EXPECT_EQ(меню->точки.size(), 1u);

    esc();
    EXPECT_TRUE(проход());
    EXPECT_TRUE(панели_на_экране().empty());
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_MOUSEMOTION);
    EXPECT_FALSE(проход());
    EXPECT_EQ(меню->точки.size(), 1u);
}

TEST_F(Меню, БезПанелиМенюНеБерётМышьАЭкранПобедыНеДелаетТекстаИУходит) {
    const auto меню = наверх<ЗаписьМеню>("нет_такой");
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_MOUSEMOTION);
    EXPECT_FALSE(проход());
    EXPECT_TRUE(меню->точки.empty());

    const auto победа = наверх<dialogy::Победа>(5);
    EXPECT_EQ(победа->главная_инфопанель(), nullptr);
    положить(SDL_KEYUP, 0, 0, 0, SDLK_SPACE);
    EXPECT_FALSE(проход());
    переключатель->обновление_сцены(0.016f);
    EXPECT_FALSE(победа->открыто());
    esc();
    EXPECT_TRUE(проход());
    EXPECT_FALSE(меню->открыто());
}

// One event on a game-over screen (whose panel this folder lacks: it needs none
// to be dismissed) and the result it leaves.
TEST_F(Меню, ПанельУходитТолькоПриОтпусканииПробелаEnterИлиЛевойКнопки) {
    struct Случай {
        Uint32 тип;
        SDL_Keycode клавиша;
        Uint8 кнопка;
        ТипРезультата итог;
    };
    for (const auto& [тип, клавиша, кнопка, итог] :
         {Случай{SDL_KEYDOWN, SDLK_SPACE, 0, ТипРезультата::Ничего}, Случай{SDL_KEYUP, SDLK_SPACE, 0, ТипРезультата::Выйти},
          Случай{SDL_KEYUP, SDLK_RETURN, 0, ТипРезультата::Выйти}, Случай{SDL_KEYUP, SDLK_a, 0, ТипРезультата::Ничего},
          Случай{SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_LEFT, ТипРезультата::Ничего},
          Случай{SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_RIGHT, ТипРезультата::Ничего},
          Случай{SDL_MOUSEBUTTONUP, 0, SDL_BUTTON_LEFT, ТипРезультата::Выйти}}) {
        SCOPED_TRACE(testing::Message() << тип << " " << клавиша << " " << int{кнопка});
        const auto конец = наверх<dialogy::КонецИгры>();
        положить(тип, 0, 0, кнопка, клавиша);
        EXPECT_FALSE(проход());
        EXPECT_EQ(конец->результат().тип, итог);
        переключатель->выход_из_состояния();
    }
}
