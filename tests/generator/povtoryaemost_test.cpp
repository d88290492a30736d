// The generator makes the same bytes on every build: no clock, no unseeded random
// numbers, no dependence on the order in which the grounds are painted.
#include <gtest/gtest.h>

#include <fmt/format.h>

#include "support/support.hpp"
#include "tools/generator/modeli.hpp"
#include "tools/generator/tekstury.hpp"
#include "tools/generator/vzryv.hpp"
#include "tools/generator/zemlja.hpp"
#include "tools/pisatel.hpp"

using namespace generator;

TEST(ПовторяемостьГенератора, ДваПрогонаДаютОдниБайты) {
    test_support::ВременнаяПапка папка;
    for (int прогон = 0; прогон < 2; ++прогон) {
        Уровень у = задуманный_уровень(5);
        текстура_земли(у).сохранить_png((папка / fmt::format("земля{}.png", прогон)).string(), false);
        текстура_шарика(3, true).сохранить_png((папка / fmt::format("шарик{}.png", прогон)).string(), true);
        ДанныеСкелета с = скелет_взрыва();
        pisatel::записать(папка / fmt::format("взрыв{}.sk", прогон), pisatel::скелет(с.кости, с.анимации));
        Геометрия г = модель_земли(у);
        pisatel::записать(папка / fmt::format("земля{}.me", прогон),
                          pisatel::меш_версии_1({г.позиции, г.текстурные, г.нормали, г.индексы}));
    }
    for (const char* имя : {"земля{}.png", "шарик{}.png", "взрыв{}.sk", "земля{}.me"}) {
        EXPECT_EQ(test_support::прочитать_файл(папка / fmt::format(fmt::runtime(имя), 0)),
                  test_support::прочитать_файл(папка / fmt::format(fmt::runtime(имя), 1)))
            << имя;
    }
}
