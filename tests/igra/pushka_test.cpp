// The cannon: tilt limits and what tilts, the recoil's poses, the colours against
// those on the field, the aim marker against the shot's own landing point, and a
// cannon without any of its objects.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "src/pushka.hpp"
#include "src/shariki.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using namespace pushka;

// The angle about x by which a node turned in its own frame since it stood at было.
float наклон_от(const Кватернион& было, const Место& место) {
    const auto разница = было.UnitInverse() * место.получить_ориентацию();
    EXPECT_NEAR(std::hypot(разница.y, разница.z), 0.0f, 1e-5f);
    return 2.0f * std::atan2(разница.x, разница.w);
}

void цвета_на_поле(const std::vector<std::uint32_t>& цвета) {
    shariki::счётчик_цветов = {};
    for (const auto цвет : цвета) shariki::обновить_живые_цвета(цвет, 1);
    shariki::обновить_живые_цвета(0, 0);
}

class Пушки : public test_stend::СтендИгры {};

class НаклонПушки : public Пушки, public testing::WithParamInterface<std::pair<std::vector<float>, float>> {};

TEST_P(НаклонПушки, УпираетсяВПределИНаклоняетТолькоДулоИндикаторИЛафет) {
    const auto& [запросы, итог] = GetParam();
    Пушка пушка({0, 10, 0});
    std::map<std::string, Кватернион> было;
    for (const auto& [часть, данные] : ЧАСТИ) было[часть] = пушка.место_части(часть)->получить_ориентацию();
    for (const float угол : запросы) пушка.наклонить(угол);
    EXPECT_FLOAT_EQ(пушка.наклон(), итог);
    for (const auto& [часть, данные] : ЧАСТИ) {
        const bool наклоняется = часть == "дуло" || часть == "индикатор" || часть == "лафет";
        EXPECT_NEAR(наклон_от(было[часть], *пушка.место_части(часть)), наклоняется ? итог : 0.0f, 1e-5f) << часть;
    }
}

INSTANTIATE_TEST_SUITE_P(Пушки, НаклонПушки,
                         testing::Values(std::pair{std::vector{0.2f, 0.1f}, 0.3f},
                                         std::pair{std::vector{1.0f}, НАИБОЛЬШИЙ_НАКЛОН},
                                         std::pair{std::vector{0.5f, 0.5f, 0.5f}, НАИБОЛЬШИЙ_НАКЛОН},
                                         std::pair{std::vector{-1.0f}, НАИМЕНЬШИЙ_НАКЛОН},
                                         std::pair{std::vector{0.6f, -2.0f, 0.1f}, НАИМЕНЬШИЙ_НАКЛОН + 0.1f}));

struct Откат {
    std::vector<float> кадры;
    float сдвиг;
    float угол_колёс;
};

class ОткатПушки : public Пушки, public testing::WithParamInterface<Откат> {};

TEST_P(ОткатПушки, ПозаПоКлючевымКадрамИКонечнаяВПоследнемКадре) {
    const auto& [кадры, сдвиг, угол_колёс] = GetParam();
    Пушка пушка({0, 10, 0});
    пушка.выстрелить();
    for (const float dt : кадры) пушка.движение(dt);
    EXPECT_EQ(пушка.откат(), сдвиг != 0.0f);
    EXPECT_LE(пушка.фаза_отката(), 1);
    EXPECT_NEAR(пушка.внутреннее_место()->получить_позицию().z, ПОЛОЖЕНИЕ_ВНУТРЕННЕГО_МЕСТА + сдвиг, 1e-5f);
    EXPECT_NEAR(наклон_от(пушка.ориентация_колеса1(), *пушка.место_части("колесо1")), угол_колёс, 1e-5f);
    EXPECT_NEAR(наклон_от(пушка.ориентация_колеса2(), *пушка.место_части("колесо2")), угол_колёс, 1e-5f);
}

// The last rows pass the middle keyframe and land on the end.
INSTANTIATE_TEST_SUITE_P(Пушки, ОткатПушки,
                         testing::Values(Откат{{0.05f}, 1, 0.70710677f}, Откат{{0.1f}, 2, 1.4142135f},
                                         Откат{{0.05f, 0.1f}, 1, 0.70710677f}, Откат{{0.5f}, 0, 0},
                                         Откат{{0.15f, 0.05f}, 0, 0}, Откат{{0.05f, 0.05f, 0.05f, 0.05f}, 0, 0},
                                         Откат{{0.11f, 0.09f}, 0, 0}, Откат{{0.1f, 0.1f, 0.3f}, 0, 0}));

TEST_F(Пушки, ВыстрелОтдаётТекущийИБерётСледующийНовыйИзЦветовНаПоле) {
    Пушка пушка({0, 10, 0});
    цвета_на_поле({1, 3, 5});
    std::set<std::uint32_t> следующие;
    for (int выстрел = 0; выстрел < 40; ++выстрел) {
        const auto текущий = пушка.текущий_цвет();
        const auto следующий = пушка.следующий_цвет();
        EXPECT_EQ(пушка.выстрелить().цвет, текущий - 1);
        const auto новый = пушка.следующий_цвет();
        // While the recoil plays the cannon refuses and nothing changes.
        EXPECT_EQ(пушка.выстрелить().цвет, НЕТ_ЦВЕТА);
        EXPECT_EQ(std::pair(пушка.текущий_цвет(), пушка.следующий_цвет()), std::pair(следующий, новый));
        EXPECT_EQ(пушка.индикатор()->получить_материал(), пушка.материалы().at(int(следующий)));
        следующие.insert(новый);
        пушка.движение(0.2f);
    }
    EXPECT_EQ(следующие, (std::set<std::uint32_t>{2, 4, 6}));
    EXPECT_EQ(test_stend::сколько_раз(журнал(), "выстрел пушки"), 40u);
}

TEST_F(Пушки, ИсчезнувшийЦветЗаменяетсяТекущийИСледующийНезависимо) {
    struct Случай {
        std::vector<std::uint32_t> на_поле;
        std::set<std::uint32_t> текущие, следующие;
    };
    // The cannon starts with colours 0 and 1, stored plus 1; 0 is none.
    for (const auto& [на_поле, текущие, следующие] : std::vector<Случай>{{{0, 1}, {1}, {2}},
                                                                          {{1, 3}, {2, 4}, {2}},
                                                                          {{0, 4}, {1}, {1, 5}},
                                                                          {{2, 3, 4, 5}, {3, 4, 5, 6}, {3, 4, 5, 6}},
                                                                          {{}, {0}, {0}}}) {
        std::set<std::uint32_t> текущий, следующий;
        int разных = 0;
        for (int попытка = 0; попытка < 30; ++попытка) {
            Пушка пушка({0, 10, 0});
            цвета_на_поле(на_поле);
            пушка.обновить_цвета();
            текущий.insert(пушка.текущий_цвет());
            следующий.insert(пушка.следующий_цвет());
            разных += пушка.текущий_цвет() != пушка.следующий_цвет();
            // Without a colour the indicator shows its own material, key 0.
            EXPECT_EQ(пушка.индикатор()->получить_материал(), пушка.материалы().at(int(пушка.текущий_цвет())));
        }
        EXPECT_EQ(текущий, текущие);
        EXPECT_EQ(следующий, следующие);
        EXPECT_EQ(разных > 0, !на_поле.empty());
    }
}

// The first cannon's indicator shows colours; a later one still has the
// description's own material as key 0 and shows it when empty.
TEST_F(Пушки, КаждаяПушкаХранитСобственныйМатериалИндикатора) {
    цвета_на_поле({2});
    Пушка первая({0, 10, 0});
    const auto свой = первая.материалы().at(0);
    первая.обновить_цвета();
    ASSERT_EQ(первая.индикатор()->получить_материал(), первая.материалы().at(3));
    Пушка вторая({0, 10, 0});
    EXPECT_EQ(вторая.материалы().at(0), свой);
    EXPECT_EQ(zyr::менеджер->получить_объект("индикатор")->получить_материал(), свой);
    цвета_на_поле({});
    вторая.обновить_цвета();
    EXPECT_EQ(вторая.индикатор()->получить_материал(), свой);
    EXPECT_EQ(первая.индикатор()->получить_материал(), первая.материалы().at(3));
}

class ПрицелПушки : public Пушки, public testing::WithParamInterface<std::pair<float, float>> {};

TEST_P(ПрицелПушки, МеткаНаВысоте1ТамГдеЯдроОпускаетсяДоШарика) {
    const auto [поворот, наклон] = GetParam();
    Пушка пушка({20, 10, -30});
    пушка.повернуть(поворот);
    пушка.наклонить(наклон);
    пушка.прицел(true);
    EXPECT_TRUE(пушка.место_луча()->получить_видимость());
    jadro::Ядро ядро(jadro::Заряд{0, {0, 0, 0}, 0, 0});
    const auto падение = ядро.зарядить(пушка.получить_заряд()).точка_падения;
    const auto метка = пушка.место_луча()->получить_унаследованную_матрицу().Позиция();
    EXPECT_NEAR(std::hypot(метка.x - падение.x, метка.z - падение.y), 0.0f, 1e-3f);
    EXPECT_NEAR(метка.y, ВЫСОТА_ЛУЧА, 1e-4f);
    пушка.прицел(false);
    EXPECT_FALSE(пушка.место_луча()->получить_видимость());
}

INSTANTIATE_TEST_SUITE_P(Пушки, ПрицелПушки,
                         testing::Values(std::pair{0.0f, 0.0f}, std::pair{0.7f, 0.3f}, std::pair{-2.0f, -0.1f},
                                         std::pair{14.0f, 1.0f}));

class ПушкаБезРесурсов : public test_stend::СтендБезРесурсов {};

TEST_F(ПушкаБезРесурсов, СобираетсяИРаботаетБезОбъектов) {
    Пушка пушка({0, 10, 0});
    EXPECT_FALSE(пушка.индикатор());
    EXPECT_EQ(пушка.материалы().count(0), 0u);
    for (const auto& [часть, данные] : ЧАСТИ) EXPECT_EQ(пушка.место_части(часть)->количество_объектов(), 0);
    цвета_на_поле({3});
    пушка.повернуть(0.5f);
    пушка.наклонить(2.0f);
    пушка.обновить_цвета();
    EXPECT_EQ(пушка.выстрелить().цвет, 3u);
    пушка.движение(0.3f);
    пушка.прицел(true);
}

}  // namespace
