// The game's generator: a seed makes the draws repeat, and every draw keeps to its range.
#include <gtest/gtest.h>

#include "src/sluchainost.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesh.hpp"
#include "zyr/zyr.hpp"

TEST(Случайность, ЗерноПовторяетВыборкиИВыборкиДержатсяГраниц) {
    auto выборки = [] {
        sluchainost::засеять(7);
        std::vector<double> x;
        for (int i = 0; i < 1000; ++i) {
            const auto ц = sluchainost::целое(0, 5);
            EXPECT_TRUE(ц >= 0 && ц <= 5);
            const float р = sluchainost::равномерное(4.0f, 20.0f);
            EXPECT_TRUE(р >= 4.0f && р < 20.0f);
            EXPECT_LT(sluchainost::индекс(3), 3u);
            x.push_back(ц + р);
        }
        return x;
    };
    EXPECT_EQ(выборки(), выборки());
    EXPECT_THROW(sluchainost::один_из(std::vector<int>{}), std::out_of_range);
}

class Стенд : public test_stend::СтендИгры {};

TEST_F(Стенд, ДаётМенеджерБезОкнаНадРесурсамиИгры) {
    ASSERT_TRUE(zyr::менеджер);
    EXPECT_TRUE(zyr::менеджер->получить_меш("шарик"));
    EXPECT_EQ(корень()->количество_детей(), 0);
}
