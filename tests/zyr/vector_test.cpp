// Vectors: normalisation, angles, the shortest-arc rotation and the array constructor.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "zyr/vector.hpp"

namespace {

using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

constexpr float КОРЕНЬ_ПОЛОВИНЫ = 0.70710678f;

void ожидать_вектор(const Вектор3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f) << v.toString();
    EXPECT_NEAR(v.y, y, 1e-6f) << v.toString();
    EXPECT_NEAR(v.z, z, 1e-6f) << v.toString();
}

void ожидать_кватернион(const Кватернион& q, float w, float x, float y, float z) {
    EXPECT_NEAR(q.w, w, 1e-6f) << q.toString();
    EXPECT_NEAR(q.x, x, 1e-6f) << q.toString();
    EXPECT_NEAR(q.y, y, 1e-6f) << q.toString();
    EXPECT_NEAR(q.z, z, 1e-6f) << q.toString();
}

TEST(Вектор3, НормализацияВозвращаетПрежнююДлинуИНеТрогаетНулевойВектор) {
    Вектор3 ноль;
    EXPECT_EQ(ноль.нормализация(), 0.0f);
    EXPECT_EQ(ноль, Вектор3::НОЛЬ);

    Вектор3 v{3, 0, 4};
    EXPECT_FLOAT_EQ(v.нормализация(), 5.0f);
    ожидать_вектор(v, 0.6f, 0.0f, 0.8f);

    Вектор3 не_число{NAN, 0, 0};
    EXPECT_TRUE(std::isnan(не_число.нормализация()));
    EXPECT_TRUE(std::isnan(не_число.x));
    EXPECT_EQ(не_число.y, 0.0f);

    EXPECT_EQ(Вектор3::НОЛЬ.нормализованная_копия(), Вектор3::НОЛЬ);
    ожидать_вектор(Вектор3{0, 0, -2}.нормализованная_копия(), 0, 0, -1);
}

TEST(Вектор3, ДлиныИРасстоянияСчитаютсяСОднимОкруглением) {
    EXPECT_FLOAT_EQ((Вектор3{1, 2, 2}).длина(), 3.0f);
    EXPECT_EQ((Вектор3{1, 2, 2}).length(), (Вектор3{1, 2, 2}).длина());
    EXPECT_FLOAT_EQ((Вектор3{1, 1, 1}).расстояние({4, 5, 1}), 5.0f);
    // Single-precision squares would overflow here.
    EXPECT_FLOAT_EQ((Вектор3{3e20f, 0, 4e20f}).длина(), 5e20f);
    EXPECT_FLOAT_EQ((Вектор3{1e-25f, 0, 0}).длина(), 1e-25f);
}

TEST(Вектор3, НулеваяДлинаПоПорогу) {
    EXPECT_TRUE((Вектор3{1e-7f, 0, 0}).нулевая_длина());
    EXPECT_FALSE((Вектор3{1e-5f, 0, 0}).нулевая_длина());
    EXPECT_TRUE(Вектор3::НОЛЬ.нулевая_длина());
}

TEST(Вектор3, УголМеждуНаправлениями) {
    const float пи = std::numbers::pi_v<float>;
    EXPECT_FLOAT_EQ(Вектор3::ЕДИНИЦА_X.угол_между({0, 2, 0}), пи / 2);
    EXPECT_FLOAT_EQ(Вектор3::ЕДИНИЦА_X.угол_между(Вектор3::НОЛЬ), пи / 2);
    EXPECT_FLOAT_EQ(Вектор3::ЕДИНИЦА_X.угол_между({-5, 0, 0}), пи);
    EXPECT_FLOAT_EQ((Вектор3{2, 2, 0}).угол_между({3, 3, 0}), 0.0f);
}

TEST(Вектор3, ВекторноеПроизведениеПравое) {
    EXPECT_EQ(Вектор3::ЕДИНИЦА_X.векторное_произведение(Вектор3::ЕДИНИЦА_Y), Вектор3::ЕДИНИЦА_Z);
    EXPECT_EQ(Вектор3::ЕДИНИЦА_Z.векторное_произведение(Вектор3::ЕДИНИЦА_Y), Вектор3::МИНУС_ЕДИНИЦА_X);
}

struct СлучайПоворотаК {
    const char* имя;
    Вектор3 от;
    Вектор3 к;
    Вектор3 запасная_ось;
    Кватернион ожидается;
};

class ПоворотК : public testing::TestWithParam<СлучайПоворотаК> {};

TEST_P(ПоворотК, ДаётОжидаемыйКватернион) {
    const auto& с = GetParam();
    const Кватернион q = с.от.поворот_к(с.к, с.запасная_ось);
    ожидать_кватернион(q, с.ожидается.w, с.ожидается.x, с.ожидается.y, с.ожидается.z);
}

INSTANTIATE_TEST_SUITE_P(
    Случаи, ПоворотК,
    testing::Values(
        СлучайПоворотаК{"opposite_without_fallback", {1, 0, 0}, {-1, 0, 0}, {}, {0, 0, 1, 0}},
        СлучайПоворотаК{"opposite_with_fallback_axis", {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, 0, 1}},
        СлучайПоворотаК{"opposite_along_z", {0, 0, 2}, {0, 0, -3}, {}, {0, 0, -1, 0}},
        СлучайПоворотаК{"quarter_turn_about_z", {1, 0, 0}, {0, 1, 0}, {}, {КОРЕНЬ_ПОЛОВИНЫ, 0, 0, КОРЕНЬ_ПОЛОВИНЫ}},
        СлучайПоворотаК{"same_direction", {0, 3, 0}, {0, 1, 0}, {}, {1, 0, 0, 0}},
        СлучайПоворотаК{"from_zero_vector", {0, 0, 0}, {0, 1, 0}, {}, {1, 0, 0, 0}},
        СлучайПоворотаК{"to_zero_vector", {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {1, 0, 0, 0}}),
    [](const testing::TestParamInfo<СлучайПоворотаК>& info) { return std::string(info.param.имя); });

TEST(Вектор3, ПоворотКПереводитНаправлениеВЦель) {
    const Вектор3 от{1, 2, -0.5f};
    const Вектор3 к{-3, 0.25f, 2};
    const Вектор3 результат = от.поворот_к(к) * от.нормализованная_копия();
    const Вектор3 цель = к.нормализованная_копия();
    EXPECT_NEAR(результат.x, цель.x, 1e-5f);
    EXPECT_NEAR(результат.y, цель.y, 1e-5f);
    EXPECT_NEAR(результат.z, цель.z, 1e-5f);
}

TEST(Вектор3, КонструкторИзМассиваБерётПервыеТриЭлемента) {
    const std::vector<float> два{1, 2};
    const std::vector<float> четыре{1, 2, 3, 4};
    EXPECT_EQ(Вектор3(два), Вектор3::НОЛЬ);
    EXPECT_EQ(Вектор3(четыре), (Вектор3{1, 2, 3}));
    EXPECT_EQ(Вектор3(2.5f), (Вектор3{2.5f, 2.5f, 2.5f}));
    EXPECT_EQ(Вектор3{}, Вектор3::НОЛЬ);
}

TEST(Вектор3, ТекстоваяФорма) {
    EXPECT_EQ((Вектор3{1, -2.5f, 1234567}).toString(), "Вектор3(1,-2.5,1.235e+06)");
}

}  // namespace
