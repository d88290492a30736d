// The explosion's skinned mesh and skeleton fit each other and the game's use.
#include <gtest/gtest.h>

#include <set>

#include "tools/generator/vzryv.hpp"

using namespace generator;

TEST(ВзрывГенератора, КаждаяВершинаВОднойГруппеСКостьюТогоЖеИмени) {
    ГеометрияСоСкелетом м = модель_взрыва();
    ДанныеСкелета с = скелет_взрыва();
    ASSERT_EQ(м.группы.size(), static_cast<std::size_t>(ОСКОЛКОВ));
    ASSERT_EQ(с.кости.size(), м.группы.size());
    for (std::size_t k = 0; k < м.группы.size(); ++k) EXPECT_EQ(с.кости[k].имя, м.группы[k]);
    std::vector<int> весов(м.геометрия.вершин(), 0);
    for (const auto& в : м.веса) {
        ASSERT_LT(в.вершина, весов.size());
        ASSERT_LT(в.группа, м.группы.size());
        EXPECT_FLOAT_EQ(в.вес, 1.0f);
        ++весов[в.вершина];
    }
    for (int n : весов) EXPECT_EQ(n, 1);
}

TEST(ВзрывГенератора, АнимацияActionРазбрасываетИУменьшаетОсколки) {
    ДанныеСкелета с = скелет_взрыва();
    ASSERT_EQ(с.анимации.size(), 1u);
    const auto& а = с.анимации[0];
    EXPECT_EQ(а.имя, "Action");
    EXPECT_EQ(а.первый_кадр, 1);
    EXPECT_EQ(а.последний_кадр, 26);
    ASSERT_EQ(а.строки.size(), 26u);
    for (const auto& строка : а.строки) ASSERT_EQ(строка.size(), а.кривые.size());
    // Per bone: translation x, y, z, rotation w, x, y, z, scale x, y, z, in that order.
    for (std::size_t k = 0; k < с.кости.size(); ++k) {
        SCOPED_TRACE(k);
        const auto& первая = а.строки.front();
        const auto& последняя = а.строки.back();
        std::size_t о = 10 * k;
        EXPECT_EQ(а.кривые[о].номер_кости, k);
        EXPECT_FLOAT_EQ(первая[о], 0);
        EXPECT_FLOAT_EQ(первая[о + 3], 1);
        EXPECT_FLOAT_EQ(первая[о + 7], 1);
        В3 голова{с.кости[k].голова[0], с.кости[k].голова[1], с.кости[k].голова[2]};
        В3 сдвиг{последняя[о], последняя[о + 1], последняя[о + 2]};
        EXPECT_GT(скаляр(сдвиг, голова), 0);  // outwards
        EXPECT_GT(длина(сдвиг), 8.0f);
        EXPECT_LT(последняя[о + 7], 0.3f);
        float q = последняя[о + 3] * последняя[о + 3] + последняя[о + 4] * последняя[о + 4] +
                  последняя[о + 5] * последняя[о + 5] + последняя[о + 6] * последняя[о + 6];
        EXPECT_NEAR(q, 1, 1e-4);
    }
}

TEST(ВзрывГенератора, ОсколкиСоставляютШарик) {
    Геометрия г = модель_взрыва().геометрия;
    EXPECT_EQ(проверить(г), "");
    EXPECT_NEAR(г.максимум().x - г.минимум().x, 9.334f, 1e-3);
    EXPECT_NEAR(г.максимум().y - г.минимум().y, 9.334f, 1e-3);
}
