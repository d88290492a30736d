// The shipped level files and plane path: readable, inside the field, paths apart
// from each other, bonus sites on free ground, the plane in the field camera's
// picture; the level text round-trips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <iostream>
#include <limits>
#include <numbers>
#include <sstream>

#include "src/pole_sostojanie.hpp"
#include "src/samolet.hpp"
#include "support/support.hpp"
#include "tools/generator/uroven.hpp"
#include "zyr/camera.hpp"
#include "zyr/mesto.hpp"

using namespace generator;

namespace {

using zyr::camera::Камера;
using zyr::mesto::Место;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

const std::filesystem::path ДАННЫЕ = std::filesystem::path(IGRA_SOURCE_DIR) / "data";

float до_отрезка(В2 p, В2 a, В2 b) {
    В2 ab = b - a;
    float t = std::clamp(скаляр(p - a, ab) / std::max(скаляр(ab, ab), 1e-9f), 0.0f, 1.0f);
    return длина(p - (a + ab * t));
}

В2 земля(В3 p) { return {p.x, p.z}; }

// The camera as a field hangs it on the cannon, unturned: the cannon turns it about
// the same vertical axis as a flight's heading turns the path, so the headings cover
// the cannon's turns too.
std::shared_ptr<Камера> камера_поля(Место& корень) {
    const Вектор3 Е = Вектор3::ЕДИНИЦА_МАСШТАБА;
    auto камера = std::make_shared<Камера>("камера");
    корень.создать_ребёнка("место_основания", pole::ПОЗИЦИЯ_ПУШКИ, Кватернион::НОЛЬ, Е)
        ->создать_ребёнка("место_камеры_у_пушки", pole::ПОЗИЦИЯ_КАМЕРЫ_У_ПУШКИ, Кватернион::НОЛЬ, Е)
        ->создать_ребёнка("место_камеры", pole::ПОЛОЖЕНИЕ_ВЗГЛЯДА, pole::НАПРАВЛЕНИЕ_ВЗГЛЯДА, Е)
        ->присоединить_объект(камера);
    камера->ближнее_отсечение(pole::БЛИЖНЕЕ_ОТСЕЧЕНИЕ);
    камера->дальнее_отсечение(pole::ДАЛЬНЕЕ_ОТСЕЧЕНИЕ);
    камера->обновить_матрицу();
    return камера;
}

// The renderer's frustum spans ±width/height across and ±1 up at the near plane;
// the window is 800 × 600.
bool в_кадре(const Камера& камера, const Место& место) {
    const Вектор3 у_глаза = (камера.матрица_вида() * место.получить_унаследованную_матрицу()).Позиция();
    const float глубина = -у_глаза.z, ближнее = камера.ближнее_отсечение();
    return глубина >= ближнее && глубина <= камера.дальнее_отсечение() &&
           std::fabs(у_глаза.x) * ближнее <= глубина * 800.0f / 600.0f && std::fabs(у_глаза.y) * ближнее <= глубина;
}

}  // namespace

class ФайлУровня : public testing::TestWithParam<int> {
protected:
    std::string текст() const {
        return test_support::прочитать_файл(ДАННЫЕ / "уровни" / fmt::format("поле{:02d}.txt", GetParam()));
    }
};

TEST_P(ФайлУровня, ЧитаетсяИПутиВнутриКольцаВокругПушки) {
    std::string т = текст();
    EXPECT_EQ(т.find('\r'), std::string::npos);
    Уровень у = разобрать_уровень(т);
    ASSERT_GE(у.пути.size(), 1u);
    ASSERT_EQ(у.разрывы.size(), у.пути.size());
    for (std::size_t п = 0; п < у.пути.size(); ++п) {
        SCOPED_TRACE(п);
        const auto& путь = у.пути[п];
        ASSERT_GE(путь.size(), 4u);
        for (std::size_t i = 0; i < путь.size(); ++i) {
            EXPECT_NEAR(путь[i].y, ВЫСОТА_ЦЕНТРА_ШАРИКА, 1e-3);
            float r = длина(земля(путь[i]));
            if (i == 0) {
                EXPECT_LE(r, 200.0f);  // the lead-in starts out of the way, still on the ground
            } else {
                EXPECT_GE(r, 25.0f);
                EXPECT_LE(r, 170.0f);
            }
        }
        // Gaps cover neither the lead-in nor the exit, which must stay visible.
        std::vector<bool> в_разрыве = сегменты_в_разрывах(у, п);
        for (auto [a, b] : у.разрывы[п]) {
            EXPECT_LT(a, путь.size());
            EXPECT_LT(b, путь.size());
        }
        EXPECT_FALSE(в_разрыве.front());
        EXPECT_FALSE(в_разрыве.back());
    }
}

TEST_P(ФайлУровня, ДорожкиНеКасаютсяДругДругаИСебя) {
    Уровень у = разобрать_уровень(текст());
    const float ЗАЗОР = 2 * 4.667f + 2;  // two balls side by side with room between
    for (std::size_t п = 0; п < у.пути.size(); ++п) {
        const auto& а = у.пути[п];
        for (std::size_t i = 1; i < а.size(); ++i) {
            for (std::size_t к = п; к < у.пути.size(); ++к) {
                const auto& б = у.пути[к];
                for (std::size_t j = 1; j + 1 < б.size(); ++j) {
                    // Along one path, only stretches more than 40 units apart are compared.
                    if (к == п && std::fabs(float(i) - float(j)) * 9.0f < 40.0f) continue;
                    float d = до_отрезка(земля(а[i]), земля(б[j]), земля(б[j + 1]));
                    ASSERT_GE(d, ЗАЗОР) << "путь " << п << " вершина " << i << " у пути " << к << " сегмента " << j;
                }
            }
        }
    }
}

TEST_P(ФайлУровня, ПлощадкиБонусовНаСвободнойЗемле) {
    Уровень у = разобрать_уровень(текст());
    EXPECT_GE(у.площадки.size(), 2u);
    for (В2 п : у.площадки) {
        float r = длина(п);
        EXPECT_GE(r, 30.0f);
        EXPECT_LE(r, 190.0f);
        for (const auto& путь : у.пути)
            for (std::size_t i = 0; i + 1 < путь.size(); ++i)
                EXPECT_GE(до_отрезка(п, земля(путь[i]), земля(путь[i + 1])), 15.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Двенадцать, ФайлУровня, testing::Range(1, УРОВНЕЙ + 1));

TEST(УровниГенератора, ТекстУровняВозвращаетсяПослеЧтения) {
    for (int n : {1, 7, 12}) {
        Уровень у = задуманный_уровень(n);
        std::string т = текст_уровня(у);
        EXPECT_EQ(текст_уровня(разобрать_уровень(т)), т);
    }
}

TEST(УровниГенератора, СтрокиФайлаПереводятсяВКоординатыСцены) {
    Уровень у = разобрать_уровень(
        "количество_путей=1\n\nвершины 0\n10,20,30\n0,0,0\n50,0,0\n50,50,0\n\nразрывы 0\n5,3\n\nунитазы\n5,7\n\n");
    ASSERT_EQ(у.пути.size(), 1u);
    EXPECT_FLOAT_EQ(у.пути[0][0].x, 10);
    EXPECT_FLOAT_EQ(у.пути[0][0].y, 30);
    EXPECT_FLOAT_EQ(у.пути[0][0].z, -20);
    ASSERT_EQ(у.площадки.size(), 1u);
    EXPECT_FLOAT_EQ(у.площадки[0].y, -7);
    std::vector<bool> р = сегменты_в_разрывах(у, 0);
    EXPECT_EQ(р, (std::vector<bool>{false, false, false}));  // segments 3 and 4 do not exist here
}

TEST(УровниГенератора, ОшибкиФайлаУровняОтклоняются) {
    const char* плохие[] = {
        "",
        "количество_путей=x\n\n",
        "количество_путей=1\n\nвершины 1\n\n",
        "количество_путей=1\n\nвершины 0\n1,2\n\nразрывы 0\n\nунитазы\n\n",
        "количество_путей=1\n\nвершины 0\n1,2,a\n\nразрывы 0\n\nунитазы\n\n",
        "количество_путей=1\n\nвершины 0\n\nразрывы 0\n-1,2\n\nунитазы\n\n",
        "количество_путей=0\n\n",
    };
    for (const char* т : плохие) EXPECT_THROW(разобрать_уровень(т), УровеньИсключение) << т;
}

// Bombs fall from the whole flight, so all of it stays over the field.
TEST(ПутьСамолёта, ВсеТочкиНеДальше200ОтЦентраПоляПервыйОтрезокВдольНоса) {
    std::string т = test_support::прочитать_файл(ДАННЫЕ / "путь_самолёта.csv");
    EXPECT_EQ(т.find('\r'), std::string::npos);
    std::vector<В3> точки;
    std::istringstream поток(т);
    std::string строка;
    while (std::getline(поток, строка) && !строка.empty()) {
        float a, b, c;
        char з1, з2;
        std::istringstream с(строка);
        ASSERT_TRUE(с >> a >> з1 >> b >> з2 >> c) << строка;
        ASSERT_EQ(з1, ',');
        ASSERT_EQ(з2, ',');
        точки.push_back({a, c, -b});  // the file's third column is the height
    }
    ASSERT_GE(точки.size(), 2u);
    ASSERT_LE(точки.size(), 10u);  // bombs may fall along the whole flight
    В3 первый = нормировать(точки[1] - точки[0]);
    EXPECT_NEAR(первый.z, 1, 1e-3);  // the plane model's nose points along +z
    for (const В3& точка : точки) EXPECT_LE(длина(земля(точка)), 200.0f) << точка.x << ", " << -точка.z;
    for (std::size_t i = 1; i < точки.size(); ++i) EXPECT_GT(длина(точки[i] - точки[i - 1]), 1.0f);
}

// Releasing M puts the plane at the path's first point at once, and it moves from the
// next frame on: the time along the path is the time after M. Whatever heading a
// flight takes, the plane shows within 2 s and stays in the picture for 4 s in all.
TEST(ПутьСамолёта, ПриКаждомКурсеСамолётПролетаетВКадреКамерыПоля) {
    std::vector<Вектор3> путь;
    {
        test_support::РабочаяПапка игра(std::filesystem::path(IGRA_BINARY_DIR) / "game");
        путь = samolet::загрузка_файла();
    }
    for (const Вектор3& точка : путь)  // a bomb falls from under the plane before it explodes
        EXPECT_GT(samolet::ВЫСОТА_ПОЛЁТА + точка.y - samolet::ОТСТУП_БОМБЫ, samolet::ВЫСОТА_ВЗРЫВА);
    const auto корень = std::make_shared<Место>("корень");
    const auto камера = камера_поля(*корень);
    std::vector<float> впервые, секунды;
    for (int курс = 0; курс < 360; курс += 15) {
        const auto траектория = корень->создать_ребёнка(fmt::format("место_траектории_{}", курс),
                                                        {0.0f, samolet::ВЫСОТА_ПОЛЁТА, 0.0f}, Кватернион::НОЛЬ,
                                                        Вектор3::ЕДИНИЦА_МАСШТАБА);
        траектория->поворот(static_cast<float>(курс) * std::numbers::pi_v<float> / 180.0f);
        const auto самолёт =
            траектория->создать_ребёнка("место_самолёта", путь.front(), Кватернион::НОЛЬ, Вектор3::ЕДИНИЦА_МАСШТАБА);
        float видно = 0.0f, пройдено = 0.0f, первый_раз = std::numeric_limits<float>::infinity();
        for (std::size_t i = 1; i < путь.size(); ++i) {
            const Вектор3 отрезок = путь[i] - путь[i - 1];
            // Steps of 0.01 s of flight, each looked at in its middle.
            const float шагов = std::ceil(отрезок.длина() / (samolet::СКОРОСТЬ * 0.01f));
            for (float ш = 0.5f; ш < шагов; ++ш) {
                самолёт->задать_позицию(путь[i - 1] + отрезок * (ш / шагов));
                if (!в_кадре(*камера, *самолёт)) continue;
                первый_раз = std::min(первый_раз, (пройдено + отрезок.длина() * ш / шагов) / samolet::СКОРОСТЬ);
                видно += отрезок.длина() / шагов / samolet::СКОРОСТЬ;
            }
            пройдено += отрезок.длина();
        }
        впервые.push_back(первый_раз);
        секунды.push_back(видно);
    }
    const std::string отчёт =
        fmt::format("по курсам 0°, 15°, …, 345°: впервые в кадре, с: {:.2f}; в кадре всего, с: {:.2f}",
                    fmt::join(впервые, ", "), fmt::join(секунды, ", "));
    RecordProperty("впервые_в_кадре", fmt::format("{:.2f}", fmt::join(впервые, " ")));
    RecordProperty("в_кадре_всего", fmt::format("{:.2f}", fmt::join(секунды, " ")));
    std::cout << отчёт << "\n";
    EXPECT_LE(std::ranges::max(впервые), 2.0f) << отчёт;
    EXPECT_GE(std::ranges::min(секунды), 4.0f) << отчёт;
}
