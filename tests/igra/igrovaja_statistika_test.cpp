// The statistics display without its panel (no window: the panel can't be placed):
// the score and the lives are still counted and the field's flags still work.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "src/igrovaja_statistika.hpp"
#include "support/igra/stend_igry.hpp"

namespace {

using igrovaja_statistika::ИгроваяСтатистика;

class Статистика : public test_stend::СтендИгры {};

TEST_F(Статистика, БезПанелиСчитаетОчкиИЖизни) {
    const auto с = ИгроваяСтатистика::создать();
    EXPECT_EQ(с->панель(), nullptr);
    EXPECT_EQ(с->текст_очков(), nullptr);
    // One life before the first reset too: a lost life ends the game at once.
    EXPECT_EQ(с->жизни(), 1);

    с->добавить_очки(40);
    с->добавить_очки(10);
    с->показать_паузу();
    с->показать();
    с->плюс_жизнь();
    с->минус_жизнь();
    EXPECT_EQ(с->количество_очков(), 50);
    EXPECT_TRUE(с->на_уменьшение_жизней());
    EXPECT_FALSE(с->на_конец_игры());
    с->минус_жизнь();
    EXPECT_TRUE(с->на_конец_игры());
    с->сброс_конца();
    EXPECT_FALSE(с->на_уменьшение_жизней() || с->на_конец_игры());

    с->минус_жизнь();
    с->сброс_статистики();
    EXPECT_EQ(с->количество_очков(), 0);
    EXPECT_EQ(с->жизни(), 1);
    EXPECT_FALSE(с->на_уменьшение_жизней() || с->на_конец_игры());
    EXPECT_EQ(журнал().find("Создан объект игровой статистики"), std::string::npos);
}

TEST_F(Статистика, ОчкиУпираютсяВПределыInt) {
    struct Случай {
        std::vector<int> прибавки;
        int итог;
    };
    for (const auto& [прибавки, итог] : std::vector<Случай>{{{INT_MAX - 1, 1}, INT_MAX},
                                                             {{INT_MAX, 10}, INT_MAX},
                                                             {{INT_MAX, INT_MAX, -5}, INT_MAX - 5},
                                                             {{INT_MIN, -1}, INT_MIN}}) {
        const auto с = ИгроваяСтатистика::создать();
        for (const int n : прибавки) с->добавить_очки(n);
        EXPECT_EQ(с->количество_очков(), итог);
    }
}

}  // namespace
