// The game's generator: a seed makes the draws repeat, and every draw keeps to its range.
// The logic-test stand and the material tables it builds as the program does.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "my_utils/format.hpp"
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

// The start-up builds each material table in its own pass: with no ball textures
// the look-ups fail table by table, all six of one before the next.
class СтендБезТекстур : public test_stend::СтендБезРесурсов {};

TEST_F(СтендБезТекстур, ТаблицыМатериаловСтроятсяКаждаяСвоимПроходом) {
    std::string ожидаемые;
    for (const char* образец : {"шарик", "прозрачный_шарик", "шарик"})
        for (int n = 1; n <= 6; ++n) ожидаемые += my_utils::format::sprintf("текстура_%s%d\n", образец, n);
    std::string найденные;
    const std::string ж = журнал();
    const std::string_view строка = "Отсутствует ресурс с именем: ";
    for (auto место = ж.find(строка); место != std::string::npos; место = ж.find(строка, место + 1)) {
        const auto начало = место + строка.size();
        найденные += ж.substr(начало, ж.find('\n', начало) + 1 - начало);
    }
    EXPECT_EQ(найденные, ожидаемые);
}
