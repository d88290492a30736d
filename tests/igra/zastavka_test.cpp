// The start screen and the level selection when their panel, or its container
// element, is missing from the resources: no buttons, and the mouse does nothing.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <memory>
#include <string>

#include "src/dialogy.hpp"
#include "src/sostojanie.hpp"
#include "support/igra/stend_igry.hpp"
#include "support/support.hpp"

namespace {

using sostojanie::ТипРезультата;
using sostojanie::создать_состояние;

struct Ресурсы {
    const char* название;
    // Panel descriptions written to the resource folder (file name, text).
    std::vector<std::pair<std::string, std::string>> панели;
};

class ЗаставкаБезПанели : public test_stend::СтендБезРесурсов, public testing::WithParamInterface<Ресурсы> {
protected:
    void SetUp() override {
        for (const auto& [файл, текст] : GetParam().панели) test_support::записать_файл(ресурсы() / файл, текст);
        СтендБезРесурсов::SetUp();
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
    }
    void TearDown() override {
        переключатель.reset();
        СтендБезРесурсов::TearDown();
    }

    // Press, release and motion at points all over the window.
    static void мышь_везде(igrovoe_menu::ИгровоеМеню& экран) {
        for (const int x : {0, 280, 400, 600, 799}) {
            for (const int y : {0, 150, 300, 450, 599}) {
                SDL_Event событие{};
                событие.type = SDL_MOUSEMOTION;
                событие.motion.x = x;
                событие.motion.y = y;
                экран.обработка_движения_мыши(событие);
                for (const Uint32 тип : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
                    событие = {};
                    событие.type = тип;
                    событие.button.button = SDL_BUTTON_LEFT;
                    событие.button.x = x;
                    событие.button.y = y;
                    экран.обработка_клавиши_мыши(событие);
                }
            }
        }
    }

    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;
};

TEST_P(ЗаставкаБезПанели, КнопокНетМышьНичегоНеДелаетEnterВедётКВыборуУровней) {
    const auto выбор = создать_состояние<dialogy::ВыборУровней>();
    EXPECT_TRUE(выбор->кнопки_уровней().empty());
    мышь_везде(*выбор);
    EXPECT_EQ(выбор->результат().тип, ТипРезультата::Ничего);

    const auto заставка = создать_состояние<dialogy::НачальнаяЗаставка>();
    переключатель->добавить_состояние(заставка);
    EXPECT_FALSE(заставка->кнопка_игра());
    EXPECT_FALSE(заставка->кнопка_выход());
    мышь_везде(*заставка);
    EXPECT_EQ(заставка->результат().тип, ТипРезультата::Ничего);

    заставка->обработка_отжатия_клавиши_ENTER(SDL_Event{});
    EXPECT_EQ(заставка->результат().тип, ТипРезультата::Добавить);
    EXPECT_TRUE(std::dynamic_pointer_cast<dialogy::ВыборУровней>(заставка->результат().состояние));
}

INSTANTIATE_TEST_SUITE_P(
    Экраны, ЗаставкаБезПанели,
    testing::Values(Ресурсы{"no_panels", {}},
                    Ресурсы{"panels_without_containers",
                            {{"начальная_заставка.ip", R"({"имя": "начальная_заставка", "координаты": [0.0, 0.0, 800.0, 600.0]})"},
                             {"выбор_уровней.ip", R"({"имя": "выбор_уровней", "координаты": [0.0, 0.0, 800.0, 600.0]})"}}}),
    [](const testing::TestParamInfo<Ресурсы>& инфо) { return std::string(инфо.param.название); });

}  // namespace
