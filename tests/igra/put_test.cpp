#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "src/pole.hpp"
#include "src/put.hpp"
#include "support/igra/stend_igry.hpp"

namespace put {
void PrintTo(const Пересечение& п, std::ostream* os) {
    *os << "Пересечение(" << п.номер_пути << ", " << п.сегмент << ", " << п.смещение << ", " << п.точка.toString() << ")";
}
}  // namespace put

namespace {

using put::Луч;
using put::Пересечение;
using put::Путь;
using put::ПутьИсключение;
using zyr::vector::Вектор3;

// Guards the refusals and the widest grid against a hang, not their speed
// (milliseconds here; bench/put_bench.cpp measures it): room for a loaded
// machine and the sanitizer build.
constexpr auto ПРЕДЕЛ_ЗАВИСАНИЯ = std::chrono::seconds(10);

// A point on the ground (x, z).
Вектор3 З(float x, float z) { return {x, 0.0f, z}; }

// A zigzag across the field: 2·зубцов + 1 vertices with a lead-in from far away.
std::vector<Вектор3> зигзаг(int вершин, float шаг = 15.0f, float размах = 60.0f) {
    std::vector<Вектор3> в{З(-200.0f, -200.0f)};
    for (int i = 1; i < вершин; ++i) в.push_back(З(i * шаг, (i % 2) ? размах : -размах));
    return в;
}

TEST(Путь, КороткиеПутиНеИмеютСеткиИПересечений) {
    for (const auto& вершины : {std::vector{З(0, 0), З(100, 0)}, std::vector{З(0, 0), З(100, 0), З(100, 100)}}) {
        const Путь путь(вершины, {});
        EXPECT_TRUE(путь.живой());
        EXPECT_EQ(путь.length(), вершины.size() - 1);
        EXPECT_TRUE(путь.сетка().empty());
        EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(50, -50), З(0, 200))).empty());
        EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(0, 50), З(100, 0))).empty());
    }
    for (const auto& вершины : {std::vector<Вектор3>{}, std::vector{З(1, 1)}}) {
        const Путь путь(вершины, {{0, 5}});
        EXPECT_FALSE(путь.живой());
        EXPECT_EQ(путь.length(), 0u);
        EXPECT_TRUE(путь.сегменты_разрывов().empty());
        EXPECT_THROW(путь.точка(0, 0), ПутьИсключение);
        EXPECT_THROW(путь.поиск_ближайшей_точки(0, 0, З(0, 0)), ПутьИсключение);
        EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(0, 0), З(1, 1))).empty());
    }
}

TEST(Путь, СегментыИПределы) {
    const Путь путь({З(-500, 7), Вектор3(0, 0, 0), Вектор3(3, 4, 0), Вектор3(3, 4, 0), Вектор3(3, 4, -12)}, {});
    ASSERT_EQ(путь.длины().size(), 4u);
    EXPECT_FLOAT_EQ(путь.длины()[0], std::sqrt(500.0f * 500.0f + 7.0f * 7.0f));
    EXPECT_EQ(путь.длины()[1], 5.0f);
    EXPECT_EQ(путь.длины()[2], 0.0f);
    EXPECT_EQ(путь.получить_вектор(1), Вектор3(0.6f, 0.8f, 0.0f));
    EXPECT_EQ(путь.получить_вектор(2), Вектор3::НОЛЬ);  // a zero-length segment keeps the raw difference
    EXPECT_EQ(путь.получить_вектор(3), Вектор3(0, 0, -1));
    EXPECT_EQ(путь.получить_длину_вектора(3), 12.0f);
    // Vertex 0 (the lead-in's start) is not part of the bounds.
    EXPECT_EQ(путь.пределы().мин_x, 0.0f);
    EXPECT_EQ(путь.пределы().макс_x, 3.0f);
    EXPECT_EQ(путь.пределы().мин_z, -12.0f);
    EXPECT_EQ(путь.пределы().макс_z, 0.0f);
    EXPECT_EQ(путь.начало_сетки(), (zyr::types::Координаты2D<float>{0, -20}));
    EXPECT_EQ(путь.конец_сетки(), (zyr::types::Координаты2D<float>{0, 0}));
    // The offset is not clamped to the segment.
    EXPECT_EQ(путь.точка(3, 20), Вектор3(3, 4, -20));
    EXPECT_EQ(путь.точка(3, -1), Вектор3(3, 4, 1));
}

TEST(Путь, НомерСегментаВнеПутиОтвергается) {
    const Путь путь(зигзаг(6), {});
    for (const std::uint32_t сегмент : {5u, 6u, 1000u, std::numeric_limits<std::uint32_t>::max()}) {
        EXPECT_THROW(путь.точка(сегмент, 0), ПутьИсключение) << сегмент;
        EXPECT_THROW(путь.получить_вектор(сегмент), ПутьИсключение);
        EXPECT_THROW(путь.получить_длину_вектора(сегмент), ПутьИсключение);
        EXPECT_THROW(путь.расстояние(0, 0, сегмент, 0), ПутьИсключение);
        EXPECT_THROW(путь.расстояние(сегмент, 0, 1, 0), ПутьИсключение);
        EXPECT_THROW(путь.поиск_ближайшей_точки(0, сегмент, З(0, 0)), ПутьИсключение);
        EXPECT_THROW(путь.расчёт_ближайшей_точки_сегмента(0, сегмент, З(1, 0), З(-1, 0)), ПутьИсключение);
        EXPECT_TRUE(путь.сегмент_не_в_разрыве(сегмент));
    }
    EXPECT_NO_THROW(путь.точка(4, 0));
}

TEST(Путь, ВершиныВнеПределовОтвергаютсяСразу) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const float плохое : {inf, -inf, nan, 1e30f, -1e30f, 100001.0f}) {
        for (int ось = 0; ось < 3; ++ось) {
            auto вершины = зигзаг(5);
            (&вершины[2].x)[ось] = плохое;
            const auto начало = std::chrono::steady_clock::now();
            EXPECT_THROW(Путь(вершины, {}), ПутьИсключение) << плохое << " на оси " << ось;
            EXPECT_LT(std::chrono::steady_clock::now() - начало, ПРЕДЕЛ_ЗАВИСАНИЯ);
        }
    }
    // The largest allowed coordinates still build the grid fast.
    const auto начало = std::chrono::steady_clock::now();
    const Путь широкий({З(0, 0), З(-1e5f, -1e5f), З(1e5f, 1e5f), З(1e5f, -1e5f), З(0, 0)}, {});
    const auto пересечения = широкий.пересечения_с_лучом(0, Луч(З(-50000, 0), З(60000, 0)));
    EXPECT_LT(std::chrono::steady_clock::now() - начало, ПРЕДЕЛ_ЗАВИСАНИЯ);
    ASSERT_EQ(пересечения.size(), 1u);
    EXPECT_EQ(пересечения[0].сегмент, 1u);
    EXPECT_NEAR(пересечения[0].точка.x, 0.0f, 0.05f);
}

struct СлучайРазрывов {
    std::vector<put::Разрыв> разрывы;
    std::vector<std::uint32_t> сегменты;
};

class РазрывыПути : public testing::TestWithParam<СлучайРазрывов> {};

TEST_P(РазрывыПути, ОтмечаютСегментыВнутриПути) {
    const Путь путь(зигзаг(11), GetParam().разрывы);  // ten segments
    EXPECT_EQ(путь.сегменты_разрывов(), GetParam().сегменты);
    for (std::uint32_t k = 0; k < 10; ++k)
        EXPECT_EQ(путь.сегмент_не_в_разрыве(k),
                  std::find(GetParam().сегменты.begin(), GetParam().сегменты.end(), k) == GetParam().сегменты.end());
}

INSTANTIATE_TEST_SUITE_P(
    Случаи, РазрывыПути,
    testing::Values(СлучайРазрывов{{{5, 3}}, {3, 4}}, СлучайРазрывов{{{3, 5}}, {3, 4}}, СлучайРазрывов{{{4, 4}}, {}},
                    СлучайРазрывов{{{1, 3}, {2, 4}}, {1, 2, 2, 3}},  // duplicates stay
                    СлучайРазрывов{{{8, 12}}, {8, 9}},                 // cut to the ten segments
                    СлучайРазрывов{{{0, 4294967295u}}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                    СлучайРазрывов{{{4294967295u, 4294967290u}}, {}}));

TEST(Путь, РасстояниеВдольПути) {
    const Путь путь({З(0, 0), З(10, 0), З(10, 7), З(13, 3), З(13, 0)}, {});  // lengths 10, 7, 5, 3
    EXPECT_EQ(путь.расстояние(2, 1.5f, 2, 4.0f), 2.5f);
    EXPECT_EQ(путь.расстояние(2, 4.0f, 2, 1.5f), -2.5f);
    EXPECT_EQ(путь.расстояние(3, 0, 1, 0), -12.0f);
    EXPECT_EQ(путь.расстояние(1, 0, 3, 0), 12.0f);
    EXPECT_EQ(путь.расстояние(0, 4, 3, 1), 6.0f + 7.0f + 5.0f + 1.0f);
    EXPECT_EQ(путь.расстояние(3, 1, 0, 4), -(6.0f + 7.0f + 5.0f + 1.0f));
    // Offsets beyond their segment count as they stand.
    EXPECT_EQ(путь.расстояние(1, 9, 2, 0), -2.0f);
}

struct СлучайЯчейки {
    Вектор3 p, q;
    float x, z;
    bool в_ячейке;
};

class ОтрезокВЯчейке : public testing::TestWithParam<СлучайЯчейки> {};

TEST_P(ОтрезокВЯчейке, ЗамкнутаяЯчейка) {
    const auto& с = GetParam();
    EXPECT_EQ(Путь::отрезок_в_ячейке(с.p, с.q, с.x, с.z), с.в_ячейке);
    EXPECT_EQ(Путь::отрезок_в_ячейке(с.q, с.p, с.x, с.z), с.в_ячейке);
}

INSTANTIATE_TEST_SUITE_P(Случаи, ОтрезокВЯчейке,
                         testing::Values(СлучайЯчейки{З(5, 5), З(100, 100), 0, 0, true},     // an end inside
                                         СлучайЯчейки{З(20, 20), З(50, 90), 0, 0, true},     // an end on the corner
                                         СлучайЯчейки{З(-10, 10), З(30, 10), 0, 0, true},    // straight through
                                         СлучайЯчейки{З(10, -10), З(10, 30), 0, 0, true},    // up through
                                         СлучайЯчейки{З(-5, 5), З(10, 35), 0, 0, true},      // left edge to top
                                         СлучайЯчейки{З(-10, 15), З(15, -10), 0, 0, true},   // lower-left corner
                                         СлучайЯчейки{З(-30, 50), З(50, -30), 0, 0, true},   // corner to corner
                                         СлучайЯчейки{З(0, 80), З(80, 0), 20, 40, true},     // corner to corner
                                         СлучайЯчейки{З(10, 30), З(30, 10), 0, 0, true},     // touches a corner
                                         СлучайЯчейки{З(-10, 5), З(5, -10), 0, 0, false},    // misses the corner
                                         СлучайЯчейки{З(25, 0), З(25, 20), 0, 0, false},     // right of the cell
                                         СлучайЯчейки{З(-30, 80), З(80, -30), 0, 0, false},  // box overlaps only
                                         СлучайЯчейки{З(-100, -100), З(-50, -50), 0, 0, false}));

std::set<std::pair<float, float>> ячейки_сегмента_перебором(const Вектор3& p, const Вектор3& q) {
    std::set<std::pair<float, float>> ячейки;
    for (float z = std::floor(std::min(p.z, q.z) / 20) * 20; z <= std::max(p.z, q.z); z += 20)
        for (float x = std::floor(std::min(p.x, q.x) / 20) * 20; x <= std::max(p.x, q.x); x += 20)
            if (Путь::отрезок_в_ячейке(p, q, x, z)) ячейки.insert({x, z});
    return ячейки;
}

TEST(Путь, СеткаСодержитВнутренниеСегментыВСвоихЯчейках) {
    std::mt19937 случай(7);
    std::uniform_real_distribution<float> место(-300.0f, 300.0f);
    std::vector<Вектор3> вершины;
    for (int i = 0; i < 60; ++i) вершины.push_back(З(место(случай), место(случай)));
    вершины.push_back(З(-500, 0));  // a long straight last segment
    const Путь путь(вершины, {});

    std::map<std::uint32_t, std::set<std::pair<float, float>>> из_сетки;
    for (const auto& [ячейка, сегменты] : путь.сетка()) {
        EXPECT_EQ(std::set(сегменты.begin(), сегменты.end()).size(), сегменты.size()) << "повтор в ячейке";
        for (const auto k : сегменты) из_сетки[k].insert({ячейка.x, ячейка.y});
    }
    EXPECT_FALSE(из_сетки.contains(0));
    EXPECT_FALSE(из_сетки.contains(путь.количество_сегментов() - 1));
    for (std::uint32_t k = 1; k + 1 < путь.количество_сегментов(); ++k)
        EXPECT_EQ(из_сетки[k], ячейки_сегмента_перебором(вершины[k], вершины[k + 1])) << "сегмент " << k;
}

TEST(Путь, ЛучПараллельныйСегментуНеПересекаетЕго) {
    const Путь путь({З(0, 0), З(0, 10), З(100, 10), З(100, 50), З(200, 50)}, {});
    for (const Луч& луч : {Луч(З(10, 10), З(20, 0)), Луч(З(-20, 10), З(100, 0)), Луч(З(10, 30), З(20, 0)),
                           Луч(З(50, 10), З(40, 0))}) {
        const auto пересечения = путь.пересечения_с_лучом(0, луч);
        EXPECT_TRUE(std::none_of(пересечения.begin(), пересечения.end(),
                                 [](const Пересечение& п) { return п.сегмент == 1; }))
            << луч.toString();
    }
    const auto пересечения = путь.пересечения_с_лучом(3, Луч(З(95, 0), З(0, 40)));
    ASSERT_EQ(пересечения.size(), 1u);
    EXPECT_EQ(пересечения[0], (Пересечение{3, 1, 95.0f, З(95, 10)}));
}

TEST(Путь, СегментВНесколькихЯчейкахПересекаетсяОдинРаз) {
    // The ray runs beside the long segment 1 through many of its cells and crosses it in the middle.
    const Путь путь({З(-50, 0), З(0, 0), З(200, 100), З(200, 200), З(300, 200)}, {});
    const auto пересечения = путь.пересечения_с_лучом(1, Луч(З(0, 10), З(100, 40)));
    ASSERT_EQ(пересечения.size(), 1u);
    EXPECT_EQ(пересечения[0].сегмент, 1u);
    EXPECT_NEAR(пересечения[0].смещение, std::sqrt(50000.0f) / 2, 1e-3);
    EXPECT_NEAR(пересечения[0].точка.x, 100.0f, 1e-3);
    EXPECT_NEAR(пересечения[0].точка.z, 50.0f, 1e-3);
}

TEST(Путь, ЛучСквозьУглыЯчеекНаходитДиагональ) {
    // Segment 1 runs at 45° through cell corners; the short ray lies within one cell it crosses.
    const Путь путь({З(-50, 0), З(0, 80), З(80, 0), З(100, 0), З(200, 0)}, {});
    const auto пересечения = путь.пересечения_с_лучом(0, Луч(З(25, 45), З(5, 5)));
    ASSERT_EQ(пересечения.size(), 1u);
    EXPECT_EQ(пересечения[0].сегмент, 1u);
    EXPECT_NEAR(пересечения[0].точка.x, 30.0f, 1e-3);
    EXPECT_NEAR(пересечения[0].точка.z, 50.0f, 1e-3);
}

// Independent crossing of the ray segment s..s+2d with segment p..q, in double
// precision: the fraction of the way from p to q.
std::optional<double> доля_перебором(const Вектор3& p, const Вектор3& q, const Луч& луч) {
    const double sx = луч.начало.x, sz = луч.начало.z, dx = 2.0 * луч.направление.x, dz = 2.0 * луч.направление.z;
    const double ex = q.x - p.x, ez = q.z - p.z;
    const double det = ex * dz - ez * dx;
    if (std::fabs(det) < 1e-9) return std::nullopt;
    const double μ = ((sx - p.x) * dz - (sz - p.z) * dx) / det;  // along p..q
    const double λ = ((sx - p.x) * ez - (sz - p.z) * ex) / det;  // along the ray
    if (μ < 0 || μ > 1 || λ < 0 || λ > 1) return std::nullopt;
    return μ;
}

TEST(Путь, ПересеченияЗигзагаСовпадаютСПеребором) {
    const auto вершины = зигзаг(41);
    const Путь путь(вершины, {{12, 15}});
    std::mt19937 случай(11);
    std::uniform_real_distribution<float> место(-100.0f, 700.0f);
    int найдено = 0;
    for (int n = 0; n < 400; ++n) {
        const Луч луч(З(место(случай), место(случай) / 4 - 80), З(место(случай) / 2, место(случай) / 8));
        std::vector<Пересечение> ожидаемые;
        for (std::uint32_t k = 1; k + 2 < вершины.size(); ++k) {
            if (k >= 12 && k < 15) continue;
            const Вектор3& p = вершины[k];
            const Вектор3& q = вершины[k + 1];
            if (const auto μ = доля_перебором(p, q, луч))
                ожидаемые.push_back({5, k, static_cast<float>(*μ * std::hypot(q.x - p.x, q.z - p.z)),
                                     З(p.x + (q.x - p.x) * *μ, p.z + (q.z - p.z) * *μ)});
        }
        const auto пересечения = путь.пересечения_с_лучом(5, луч);
        ASSERT_EQ(пересечения.size(), ожидаемые.size()) << луч.toString();
        for (std::size_t i = 0; i < ожидаемые.size(); ++i) {
            EXPECT_EQ(пересечения[i].номер_пути, 5u);
            EXPECT_EQ(пересечения[i].сегмент, ожидаемые[i].сегмент);
            EXPECT_NEAR(пересечения[i].смещение, ожидаемые[i].смещение, 1e-3);
            EXPECT_NEAR(пересечения[i].точка.x, ожидаемые[i].точка.x, 1e-3);
            EXPECT_NEAR(пересечения[i].точка.z, ожидаемые[i].точка.z, 1e-3);
        }
        найдено += static_cast<int>(ожидаемые.size());
    }
    EXPECT_GT(найдено, 100);
    // Rays that are not finite or lie far outside the grid find nothing.
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(inf, 0), З(1, 1))).empty());
    EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(0, 0), З(NAN, 1))).empty());
    EXPECT_TRUE(путь.пересечения_с_лучом(0, Луч(З(1e30f, 1e30f), З(1e30f, 0))).empty());
    // From inside the grid to an end whose cell number no 64-bit integer holds:
    // the walk keeps to the grid (the sanitizer build checks the conversions).
    for (const float x : {1e37f, -1e37f, 3e38f})
        EXPECT_LE(путь.пересечения_с_лучом(0, Луч(З(7.5f, 0), З(x, 0.25f))).size(), 35u) << x;
}

TEST(Путь, БлижайшаяТочка) {
    // A straight path along x: segments of 10 from x = 0 to x = 100.
    std::vector<Вектор3> вершины;
    for (int i = 0; i <= 10; ++i) вершины.push_back(З(i * 10.0f, 0));
    const Путь путь(вершины, {});
    struct Случай {
        std::uint32_t сегмент;
        Вектор3 точка;
        Пересечение ответ;
    };
    for (const Случай& с : {
             Случай{3, З(35, 4), {2, 3, 5, З(35, 0)}},
             Случай{3, З(57, -4), {2, 5, 7, З(57, 0)}},          // forward
             Случай{6, З(22, 4), {2, 2, 2, З(22, 0)}},           // backward
             Случай{3, З(40.00005f, 3), {2, 4, 0, З(40, 0)}},    // snaps to the vertex that starts segment 4
             Случай{0, З(5, 3), {2, 0, 5, З(5, 0)}},             // from segment 0: forward
             Случай{0, З(-5, 3), {2, 0, 0, З(0, 0)}},            // nothing ahead, no backward part
             Случай{1, З(75, 1), {2, 5, 0, З(50, 0)}},           // four segments forward only: the nearest end
             Случай{9, З(95, 1), {2, 8, 10, З(90, 0)}},          // the last segment is not searched...
             Случай{9, З(85, 1), {2, 8, 5, З(85, 0)}},           // ...but the one before it is
             Случай{9, З(15, 1), {2, 5, 0, З(50, 0)}},           // four backward only
         }) {
        EXPECT_EQ(путь.поиск_ближайшей_точки(2, с.сегмент, с.точка), с.ответ)
            << "из " << с.сегмент << " к " << с.точка.toString();
    }
    // Outside a corner the point projects past one segment and before the next: the vertex.
    const Путь угол({З(-50, 0), З(0, 0), З(100, 0), З(100, 100), З(100, 200)}, {});
    EXPECT_EQ(угол.поиск_ближайшей_точки(0, 1, Вектор3(104, 4.667f, -3)), (Пересечение{0, 2, 0, З(100, 0)}));
    // The end of a segment before a gap stays on that segment.
    const Путь до_разрыва({З(-50, 0), З(0, 0), З(100, 0), З(100, 100), З(100, 200)}, {{2, 3}});
    EXPECT_EQ(до_разрыва.поиск_ближайшей_точки(0, 1, Вектор3(104, 4.667f, -3)), (Пересечение{0, 1, 100, З(100, 0)}));
}

// Shot points within a ball of the shipped levels' paths: the answer is the
// nearest point of the segments searched, never on a segment in a gap.
class ПутиУровней : public test_stend::СтендИгры {};

float до_отрезка(const Путь& путь, std::uint32_t j, const Вектор3& p) {
    const Вектор3 начало = путь.точка(j, 0.0f);
    const Вектор3& u = путь.получить_вектор(j);
    const float t = std::clamp((p - начало).скалярное_произведение(u), 0.0f, путь.получить_длину_вектора(j));
    return (начало + u * t).расстояние(p);
}

TEST_F(ПутиУровней, БлижайшаяТочкаНеДальшеБлижайшейИзОсмотренных) {
    std::mt19937 случай(5);
    std::uniform_real_distribution<float> доля(0.0f, 1.0f);
    int проверено = 0;
    for (int номер = 1; номер <= 12; ++номер) {
        const auto данные = pole::загрузка_файла(номер, (test_stend::папка_игры() / "ресурсы/данные/").string());
        for (std::uint32_t i = 0; i < данные.вершины.size(); ++i) {
            const Путь путь(данные.вершины[i], данные.разрывы[i]);
            const auto n = static_cast<std::uint32_t>(путь.length());
            for (int k = 0; k < 400; ++k) {
                const std::uint32_t s = std::min(n - 2, 1 + static_cast<std::uint32_t>(доля(случай) * (n - 2)));
                if (!путь.сегмент_не_в_разрыве(s)) continue;
                const float угол = 6.2831853f * доля(случай), r = 9.334f * доля(случай);
                const Вектор3 p = путь.точка(s, доля(случай) * путь.получить_длину_вектора(s)) +
                                  Вектор3(r * std::cos(угол), 4.667f, r * std::sin(угол));
                float ближе = std::numeric_limits<float>::infinity();
                for (std::uint32_t j = s < 5 ? 1 : s - 4; j <= std::min(s + 3, n - 2); ++j)
                    if (путь.сегмент_не_в_разрыве(j)) ближе = std::min(ближе, до_отрезка(путь, j, p));
                const Пересечение ответ = путь.поиск_ближайшей_точки(i, s, p);
                ASSERT_LE(ответ.точка.расстояние(p), ближе + 1e-3f) << номер << " " << i << " " << p.toString();
                ASSERT_TRUE(путь.сегмент_не_в_разрыве(ответ.сегмент) && ответ.сегмент + 1 < n);
                ASSERT_LT(ответ.точка.расстояние(путь.точка(ответ.сегмент, ответ.смещение)), 1e-3f);
                ++проверено;
            }
        }
    }
    EXPECT_GT(проверено, 5000);
    EXPECT_EQ(журнал().find("Поиск не удался"), std::string::npos);
}

}  // namespace
