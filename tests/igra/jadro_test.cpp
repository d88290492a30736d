// The shot: its flight against the landing point that loading reports, the age
// limit and rolling at ball height, and the shots it refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "src/jadro.hpp"
#include "src/sharik.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"

namespace {

using namespace jadro;
using Тип = ТипРезультатаДвижения;

const Заряд ПУСТОЙ{0, {0, 0, 0}, 0, 0};

class Выстрелы : public test_stend::СтендИгры {};

struct Полёт {
    float высота, наклон, поворот;
};

class ПолётИЗарядка : public Выстрелы, public testing::WithParamInterface<Полёт> {};

// Stepped in small frames, the flight comes down in the frame that passes the
// landing time of loading, at the landing point it reported.
TEST_P(ПолётИЗарядка, ОпускаетсяКогдаИГдеСказалаЗарядка) {
    const auto [высота, наклон, поворот] = GetParam();
    Ядро ядро(ПУСТОЙ);
    const auto ответ = ядро.выстрелить(Заряд{3, {12, высота, -7}, поворот, наклон});
    ASSERT_TRUE(ответ.выстрел);
    const float скорость = 200.0f * std::cos(наклон);
    // Along −z turned by поворот about y, as the cannon looks.
    EXPECT_NEAR(ответ.направление.x, -скорость * std::sin(поворот), 1e-3f);
    EXPECT_NEAR(ответ.направление.y, -скорость * std::cos(поворот), 1e-3f);
    const float время_падения = std::hypot(ответ.точка_падения.x - 12.0f, ответ.точка_падения.y + 7.0f) / скорость;
    if (высота == 10.0f && наклон == 0.0f) {
        EXPECT_NEAR(время_падения, 0.1633f, 1e-4f);
    }

    constexpr float dt = 0.001f;
    РезультатДвижения шаг;
    do шаг = ядро.движение(dt);
    while (шаг.тип == Тип::В_ПОЛЁТЕ && шаг.точка.y > ВЫСОТА_ШАРИКА);
    ASSERT_EQ(шаг.тип, Тип::НА_ВЫСОТЕ_ШАРА);
    EXPECT_EQ(шаг.цвет, 3u);
    EXPECT_GE(ядро.время(), время_падения - 1e-4f);
    EXPECT_LT(ядро.время(), время_падения + dt + 1e-4f);
    EXPECT_NEAR(шаг.точка.y, ВЫСОТА_ШАРИКА, 1e-5f);
    EXPECT_NEAR(std::hypot(шаг.точка.x - ответ.точка_падения.x, шаг.точка.z - ответ.точка_падения.y),
                скорость * (ядро.время() - время_падения), 0.05f);
}

INSTANTIATE_TEST_SUITE_P(Выстрелы, ПолётИЗарядка,
                         testing::Values(Полёт{10, 0, 0}, Полёт{10, 0.5f, 1.0f}, Полёт{10, -0.17453292f, -2.5f},
                                         Полёт{30, 0.6981317f, 3.0f}, Полёт{4.7f, 0.1f, 0.7f}));

TEST_F(Выстрелы, СтартНеВышеШарикаПадаетВТочкеСтарта) {
    Ядро ядро(ПУСТОЙ);
    for (const float высота : {ВЫСОТА_ШАРИКА, -3.0f}) {
        EXPECT_EQ(ядро.зарядить(Заряд{2, {8, высота, -4}, 1.2f, 0.5f}).точка_падения,
                  (Координаты2D<float>{8, -4}));
    }
}

class ПределВозраста : public Выстрелы, public testing::WithParamInterface<std::pair<float, Тип>> {};

// From the height given with tilt 0.6, frames of 0.125 s: the ninth passes 1.0 s.
TEST_P(ПределВозраста, КатитсяДоКадраЗаСекундойОнЕщёОтчитываетсяСледующийНет) {
    const auto [высота, последний] = GetParam();
    Ядро ядро(ПУСТОЙ);
    const auto ответ = ядро.выстрелить(Заряд{4, {0, высота, 0}, 0, 0.6f});
    for (int кадр = 0; кадр < 8; ++кадр) {
        const auto до = ядро.шарик()->получить_позицию();
        const auto ориентация = ядро.шарик()->место_вращения->получить_ориентацию();
        const auto шаг = ядро.движение(0.125f);
        ASSERT_NE(шаг.тип, Тип::НЕ_ЛЕТИТ);
        if (шаг.тип != Тип::НА_ВЫСОТЕ_ШАРА) continue;
        // Rolling: at ball height, at the horizontal speed, turning.
        EXPECT_NEAR(шаг.точка.y, ВЫСОТА_ШАРИКА, 1e-5f);
        EXPECT_NEAR(шаг.точка.z - до.z, ответ.направление.y * 0.125f, 1e-3f);
        EXPECT_LT(std::abs(ориентация.Dot(ядро.шарик()->место_вращения->получить_ориентацию())), 0.999f);
    }
    ASSERT_TRUE(ядро.живое());
    const auto девятый = ядро.движение(0.125f);
    EXPECT_EQ(девятый.тип, последний);
    EXPECT_EQ(девятый.точка, ядро.шарик()->получить_позицию());
    EXPECT_FALSE(ядро.живое());
    EXPECT_FALSE(ядро.шарик()->место->получить_видимость());
    EXPECT_EQ(ядро.движение(0.125f).тип, Тип::НЕ_ЛЕТИТ);
}

INSTANTIATE_TEST_SUITE_P(Выстрелы, ПределВозраста,
                         testing::Values(std::pair{10.0f, Тип::НА_ВЫСОТЕ_ШАРА}, std::pair{2000.0f, Тип::В_ПОЛЁТЕ}));

class ОтказВыстрела : public Выстрелы, public testing::WithParamInterface<std::uint32_t> {};

// Colour 2 is refused silently because a shot flies already; the others with an error.
TEST_P(ОтказВыстрела, НичегоНеМеняетИОтвечаетNaN) {
    const auto цвет = GetParam();
    const bool летит = цвет == 2;
    Ядро ядро(ПУСТОЙ);
    EXPECT_FALSE(ядро.шарик()->место->получить_видимость());
    if (летит) ядро.выстрелить(Заряд{1, {0, 10, 0}, 0.4f, 0.2f});
    const auto позиция = ядро.шарик()->получить_позицию();
    const auto ответ = ядро.выстрелить(Заряд{цвет, {30, 40, 50}, 1, 1});
    EXPECT_FALSE(ответ.выстрел);
    EXPECT_TRUE(std::isnan(ответ.позиция.y) && std::isnan(ответ.точка_падения.x) && std::isnan(ответ.направление.y));
    EXPECT_EQ(ядро.живое(), летит);
    EXPECT_EQ(ядро.шарик()->получить_позицию(), позиция);
    EXPECT_EQ(ядро.шарик()->получить_номер_материала(), летит ? 1u : 0u);
    const auto текст = журнал();
    EXPECT_EQ(test_stend::сколько_раз(текст, "Выстрел "), летит ? 1u : 0u);
    const auto ошибка = "Попытка выстрелить ядром с недопустимым номером цвета " + std::to_string(int(цвет));
    EXPECT_EQ(test_stend::сколько_раз(текст, ошибка), летит ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Выстрелы, ОтказВыстрела, testing::Values(4294967295u, 6u, 2u));

}  // namespace
