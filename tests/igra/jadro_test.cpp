// The shot: its flight against the landing point that loading reports, the age
// limit, rolling at ball height, and the shots it refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "src/jadro.hpp"
#include "src/sharik.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"

namespace {

using namespace jadro;
using test_stend::сколько_раз;
using Тип = ТипРезультатаДвижения;

class Выстрелы : public test_stend::СтендИгры {};

struct Полёт {
    float высота;
    float наклон;
    float поворот;
};

class ПолётИЗарядка : public Выстрелы, public testing::WithParamInterface<Полёт> {};

// Stepping the flight in small frames must come down in the frame that passes the
// landing time loading computed, at the landing point it reported.
TEST_P(ПолётИЗарядка, ОпускаетсяКогдаИГдеСказалаЗарядка) {
    const auto [высота, наклон, поворот] = GetParam();
    const Заряд заряд{3, {12, высота, -7}, поворот, наклон};
    Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
    const auto ответ = ядро.выстрелить(заряд);
    ASSERT_TRUE(ответ.выстрел);
    const float скорость = std::hypot(ответ.направление.x, ответ.направление.y);
    EXPECT_NEAR(скорость, 200.0f * std::cos(наклон), 1e-3f);
    // The horizontal velocity points where the cannon looks: −z turned by поворот about y.
    EXPECT_NEAR(ответ.направление.x, -скорость * std::sin(поворот), 1e-3f);
    EXPECT_NEAR(ответ.направление.y, -скорость * std::cos(поворот), 1e-3f);
    const float время_падения =
        std::hypot(ответ.точка_падения.x - 12.0f, ответ.точка_падения.y + 7.0f) / скорость;

    constexpr float dt = 0.001f;
    РезультатДвижения шаг;
    for (int кадр = 0; кадр < 1000; ++кадр) {
        шаг = ядро.движение(dt);
        if (шаг.тип != Тип::В_ПОЛЁТЕ) break;
        ASSERT_GT(шаг.точка.y, ВЫСОТА_ШАРИКА);
    }
    ASSERT_EQ(шаг.тип, Тип::НА_ВЫСОТЕ_ШАРА);
    EXPECT_EQ(шаг.цвет, 3u);
    EXPECT_GE(ядро.время(), время_падения - 1e-4f);
    EXPECT_LT(ядро.время(), время_падения + dt + 1e-4f);
    EXPECT_NEAR(шаг.точка.y, ВЫСОТА_ШАРИКА, 1e-5f);
    const float за_точкой = скорость * (ядро.время() - время_падения);
    EXPECT_NEAR(std::hypot(шаг.точка.x - ответ.точка_падения.x, шаг.точка.z - ответ.точка_падения.y), за_точкой,
                0.05f);
}

INSTANTIATE_TEST_SUITE_P(Выстрелы, ПолётИЗарядка,
                         testing::Values(Полёт{10, 0, 0}, Полёт{10, 0.5f, 1.0f}, Полёт{10, -0.17453292f, -2.5f},
                                         Полёт{30, 0.6981317f, 3.0f}, Полёт{4.7f, 0.1f, 0.7f}));

TEST_F(Выстрелы, ПрямойВыстрелСВысоты10ПадаетЗа0_163ВдольМинусZ) {
    Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
    const auto ответ = ядро.выстрелить(Заряд{1, {5, 10, 5}, 0, 0});
    const float время = std::sqrt(5.333f * 800.0f) / 400.0f;
    EXPECT_NEAR(время, 0.163f, 1e-3f);
    EXPECT_EQ(ответ.направление, (Координаты2D<float>{0, -200}));
    EXPECT_EQ(ответ.точка_падения.x, 5.0f);
    EXPECT_NEAR(ответ.точка_падения.y, 5.0f - 200.0f * время, 1e-3f);
    EXPECT_EQ(ответ.позиция, (Вектор3{5, 10, 5}));
}

TEST_F(Выстрелы, СтартНеВышеШарикаПадаетВТочкеСтарта) {
    for (const float высота : {ВЫСОТА_ШАРИКА, 0.0f, -3.0f}) {
        Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
        const auto ответ = ядро.зарядить(Заряд{2, {8, высота, -4}, 1.2f, 0.5f});
        EXPECT_FALSE(ответ.выстрел);
        EXPECT_EQ(ответ.точка_падения, (Координаты2D<float>{8, -4})) << высота;
    }
}

struct Возраст {
    float высота;
    float наклон;
    Тип последний;  // the kind the frame past the age limit reports
};

class ПределВозраста : public Выстрелы, public testing::WithParamInterface<Возраст> {};

TEST_P(ПределВозраста, КадрЗаСекундойЕщёОтчитываетсяСледующийНет) {
    const auto [высота, наклон, последний] = GetParam();
    Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
    ASSERT_TRUE(ядро.выстрелить(Заряд{4, {0, высота, 0}, 0, наклон}).выстрел);
    // Eight frames of 0.125 s make exactly 1.0 s: not past the limit yet.
    for (int кадр = 0; кадр < 8; ++кадр) ASSERT_NE(ядро.движение(0.125f).тип, Тип::НЕ_ЛЕТИТ) << кадр;
    ASSERT_TRUE(ядро.живое());
    const auto место = ядро.шарик()->получить_позицию();
    const auto девятый = ядро.движение(0.125f);
    EXPECT_EQ(девятый.тип, последний);
    EXPECT_NE(девятый.точка, место);
    EXPECT_EQ(девятый.точка, ядро.шарик()->получить_позицию());
    EXPECT_FALSE(ядро.живое());
    EXPECT_FALSE(ядро.шарик()->место->получить_видимость());
    EXPECT_EQ(ядро.движение(0.125f).тип, Тип::НЕ_ЛЕТИТ);

    // The field fires the same shot again: a fresh flight from the new start.
    const auto ответ = ядро.выстрелить(Заряд{2, {0, 10, 0}, 0, 0});
    ASSERT_TRUE(ответ.выстрел);
    EXPECT_TRUE(ядро.шарик()->место->получить_видимость());
    const auto первый = ядро.движение(0.01f);
    EXPECT_EQ(первый.тип, Тип::В_ПОЛЁТЕ);
    EXPECT_EQ(первый.цвет, 2u);
    EXPECT_NEAR(первый.точка.y, 10.0f - 200.0f * 0.01f * 0.01f, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Выстрелы, ПределВозраста,
                         testing::Values(Возраст{10, 0, Тип::НА_ВЫСОТЕ_ШАРА}, Возраст{2000, 0.6f, Тип::В_ПОЛЁТЕ}));

TEST_F(Выстрелы, ПослеПаденияКатитсяНаВысотеШараСГоризонтальнойСкоростью) {
    Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
    const auto ответ = ядро.выстрелить(Заряд{5, {0, 10, 0}, 0.8f, 0.3f});
    while (ядро.движение(0.02f).тип == Тип::В_ПОЛЁТЕ) {
    }
    const auto& место_вращения = ядро.шарик()->место_вращения;
    for (int кадр = 0; кадр < 10; ++кадр) {
        const auto до = ядро.шарик()->получить_позицию();
        const auto ориентация = место_вращения->получить_ориентацию();
        const auto шаг = ядро.движение(0.02f);
        ASSERT_EQ(шаг.тип, Тип::НА_ВЫСОТЕ_ШАРА);
        EXPECT_NEAR(шаг.точка.y, ВЫСОТА_ШАРИКА, 1e-5f);
        EXPECT_NEAR(шаг.точка.x - до.x, ответ.направление.x * 0.02f, 1e-4f);
        EXPECT_NEAR(шаг.точка.z - до.z, ответ.направление.y * 0.02f, 1e-4f);
        // It rolls: the ball turns as it goes.
        EXPECT_LT(std::abs(ориентация.Dot(место_вращения->получить_ориентацию())), 0.9999f);
    }
}

struct Отказ {
    std::uint32_t цвет;
    const char* строка;  // the journal error, or none for a shot already flying
};

class ОтказВыстрела : public Выстрелы, public testing::WithParamInterface<Отказ> {};

TEST_P(ОтказВыстрела, НичегоНеМеняетИОтвечаетNaN) {
    const auto [цвет, строка] = GetParam();
    Ядро ядро(Заряд{0, {0, 0, 0}, 0, 0});
    EXPECT_FALSE(ядро.живое());
    EXPECT_FALSE(ядро.шарик()->место->получить_видимость());
    const bool летит = строка == nullptr;
    if (летит) {
        ASSERT_TRUE(ядро.выстрелить(Заряд{1, {0, 10, 0}, 0.4f, 0.2f}).выстрел);
        ядро.движение(0.05f);
    }
    const auto позиция = ядро.шарик()->получить_позицию();
    const auto скорость = ядро.скорость_z();
    const auto ответ = ядро.выстрелить(Заряд{цвет, {30, 40, 50}, 1, 1});
    EXPECT_FALSE(ответ.выстрел);
    EXPECT_TRUE(std::isnan(ответ.позиция.x) && std::isnan(ответ.позиция.y) && std::isnan(ответ.позиция.z));
    EXPECT_TRUE(std::isnan(ответ.точка_падения.x) && std::isnan(ответ.точка_падения.y));
    EXPECT_TRUE(std::isnan(ответ.направление.x) && std::isnan(ответ.направление.y));
    EXPECT_EQ(ядро.живое(), летит);
    EXPECT_EQ(ядро.шарик()->получить_позицию(), позиция);
    EXPECT_EQ(ядро.скорость_z(), скорость);
    EXPECT_EQ(ядро.шарик()->получить_номер_материала(), летит ? 1u : 0u);
    EXPECT_FLOAT_EQ(ядро.время(), летит ? 0.05f : 0.0f);
    const auto текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Выстрел "), летит ? 1u : 0u);
    if (строка) {
        EXPECT_EQ(сколько_раз(текст, строка), 1u);
    }
    EXPECT_EQ(сколько_раз(текст, "Попытка выстрелить"), летит ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Выстрелы, ОтказВыстрела,
    testing::Values(Отказ{4294967295u, "Попытка выстрелить ядром с недопустимым номером цвета -1"},
                    Отказ{6, "Попытка выстрелить ядром с недопустимым номером цвета 6"}, Отказ{2, nullptr}));

}  // namespace
