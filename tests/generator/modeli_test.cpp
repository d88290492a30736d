// The game's models keep the sizes and orientations the game places them by.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <string>

#include "tools/generator/cifry.hpp"
#include "tools/generator/modeli.hpp"
#include "tools/generator/vzryv.hpp"

using namespace generator;

namespace {

struct Модель {
    std::string имя;
    std::function<Геометрия()> построить;
};

std::vector<Модель> все_модели() {
    std::vector<Модель> м = {
        {"шарик", модель_шарика},           {"основание", модель_основания},
        {"индикатор", модель_индикатора},   {"лафет", модель_лафета},
        {"ось", модель_оси},                {"колесо", модель_колеса},
        {"дуло", модель_дула},              {"луч", модель_луча},
        {"пауза", модель_паузы},            {"назад", модель_назад},
        {"прицел", модель_прицела},         {"бомба", модель_бомбы},
        {"микросамолётик", модель_микросамолётика}, {"горшок", модель_горшка},
        {"писсуар", модель_писсуара},       {"унитаз", модель_унитаза},
        {"бонус_основа", модель_основы_бонуса}, {"самолёт", модель_самолёта},
        {"винт", модель_винта},             {"авиабомба", модель_авиабомбы},
        {"взрыв", [] { return модель_взрыва().геометрия; }},
    };
    for (int d = 0; d <= 9; ++d) м.push_back({"цифра_" + std::to_string(d), [d] { return модель_цифры(d); }});
    return м;
}

float наибольшее_удаление(const Геометрия& г) {
    float r = 0;
    for (std::size_t i = 0; i < г.вершин(); ++i) r = std::max(r, длина(г.позиция(i)));
    return r;
}

float горизонтальный_радиус(const Геометрия& г) {
    float r = 0;
    for (std::size_t i = 0; i < г.вершин(); ++i) r = std::max(r, длина(В2{г.позиция(i).x, г.позиция(i).z}));
    return r;
}

}  // namespace

class МодельИгры : public testing::TestWithParam<Модель> {};

TEST_P(МодельИгры, ВершиныНормалиИОбходВПорядке) {
    Геометрия г = GetParam().построить();
    EXPECT_GT(г.треугольников(), 0u);
    EXPECT_EQ(проверить(г), "");
    for (std::size_t i = 0; i < г.вершин(); ++i) {
        В2 uv = г.uv(i);
        ASSERT_TRUE(uv.x >= 0 && uv.x <= 1 && uv.y >= 0 && uv.y <= 1) << "вершина " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Все, МодельИгры, testing::ValuesIn(все_модели()),
                         [](const testing::TestParamInfo<Модель>& и) { return "model" + std::to_string(и.index); });

TEST(МоделиИгры, ШарикДиаметра9_334ВНачалеКоординат) {
    Геометрия г = модель_шарика();
    EXPECT_NEAR(г.максимум().x - г.минимум().x, 9.334f, 1e-3);
    EXPECT_NEAR(г.максимум().y - г.минимум().y, 9.334f, 1e-3);
    EXPECT_NEAR(наибольшее_удаление(г), 4.667f, 1e-3);
    // Its texture runs from the top row at +y to the bottom row at -y.
    const float пv = 0.5f / ВЫСОТА_ТЕКСТУРЫ_ШАРИКА;
    for (std::size_t i = 0; i < г.вершин(); ++i) {
        if (г.позиция(i).y > 4.66f) {
            EXPECT_FLOAT_EQ(г.uv(i).y, пv);
        }
        if (г.позиция(i).y < -4.66f) {
            EXPECT_FLOAT_EQ(г.uv(i).y, 1 - пv);
        }
    }
}

// The ball texture is clamped to a black border: coordinates of 0 or 1 would
// blend it in at the seam where u wraps, and at the poles. Both spheres that wear
// it keep half a texel inside, and still span the whole texture.
TEST(МоделиИгры, ШарыСТекстуройШарикаДержатсяНаПолтекселяОтКраёв) {
    const float пu = 0.5f / ШИРИНА_ТЕКСТУРЫ_ШАРИКА, пv = 0.5f / ВЫСОТА_ТЕКСТУРЫ_ШАРИКА;
    for (const auto& [имя, построить] : std::vector<Модель>{{"шарик", модель_шарика}, {"индикатор", модель_индикатора}}) {
        SCOPED_TRACE(имя);
        const Геометрия г = построить();
        В2 наименьшие{1, 1}, наибольшие{0, 0};
        for (std::size_t i = 0; i < г.вершин(); ++i) {
            наименьшие = {std::min(наименьшие.x, г.uv(i).x), std::min(наименьшие.y, г.uv(i).y)};
            наибольшие = {std::max(наибольшие.x, г.uv(i).x), std::max(наибольшие.y, г.uv(i).y)};
        }
        EXPECT_FLOAT_EQ(наименьшие.x, пu);
        EXPECT_FLOAT_EQ(наибольшие.x, 1 - пu);
        EXPECT_FLOAT_EQ(наименьшие.y, пv);
        EXPECT_FLOAT_EQ(наибольшие.y, 1 - пv);
    }
}

TEST(МоделиИгры, ЗнакиДействийПомещаютсяВШарик) {
    for (auto f : {модель_паузы, модель_назад, модель_прицела, модель_бомбы, модель_микросамолётика}) {
        EXPECT_LT(наибольшее_удаление(f()), РАДИУС_ШАРИКА - 0.2f);
    }
}

TEST(МоделиИгры, ЦифрыЛежатВПлоскостиXZВерхомКМинусZ) {
    for (int d = 0; d <= 9; ++d) {
        SCOPED_TRACE(d);
        Геометрия г = модель_цифры(d);
        В3 мин = г.минимум(), макс = г.максимум();
        EXPECT_LE(макс.x - мин.x, 0.62f);
        EXPECT_GE(макс.x - мин.x, 0.3f);
        EXPECT_NEAR(макс.z - мин.z, 1.0f, 0.12f);
        EXPECT_LT(макс.y - мин.y, 0.25f);
        // The face towards +y is the front: it carries normals along +y.
        bool лицо = false;
        for (std::size_t i = 0; i < г.вершин(); ++i) лицо |= г.нормаль(i).y > 0.99f;
        EXPECT_TRUE(лицо);
        // Texture coordinates fall in the plain band of the ball textures.
        for (std::size_t i = 0; i < г.вершин(); ++i) {
            EXPECT_GE(г.uv(i).y, 0.1f);
            EXPECT_LE(г.uv(i).y, 0.25f);
        }
    }
    // "7": its bar lies at the top, towards -z.
    Геометрия семь = модель_цифры(7);
    float ширина_верха = 0;
    for (std::size_t i = 0; i < семь.вершин(); ++i)
        if (семь.позиция(i).z < -0.4f) ширина_верха = std::max(ширина_верха, std::fabs(семь.позиция(i).x));
    EXPECT_GT(ширина_верха, 0.2f);
}

TEST(МоделиИгры, БонусныеЦелиСтоятНаЗемлеВПределахВысотыИРадиуса) {
    for (auto f : {модель_горшка, модель_писсуара, модель_унитаза}) {
        Геометрия г = f();
        EXPECT_NEAR(г.минимум().y, 0, 1e-4);
        EXPECT_LE(г.максимум().y, 14.0f);
        EXPECT_GT(г.максимум().y, 8.0f);
        EXPECT_LE(горизонтальный_радиус(г), 9.0f);
    }
    // The base flips with its site: the same seen from above and below.
    Геометрия основа = модель_основы_бонуса();
    EXPECT_NEAR(основа.максимум().y, -основа.минимум().y, 1e-4);
}

TEST(МоделиИгры, ПушкаСобираетсяВСвоихУзлах) {
    Геометрия основание = модель_основания();
    EXPECT_NEAR(основание.минимум().y, -10.0f, 1e-4);  // the node stands 10 above the ground
    Геометрия дуло = модель_дула();
    EXPECT_LT(дуло.минимум().z, -15.0f);  // the muzzle points along -z
    EXPECT_LT(дуло.максимум().z, 8.0f);
    Геометрия колесо = модель_колеса();
    EXPECT_LT(колесо.максимум().x - колесо.минимум().x, 2.0f);  // its axle along x
    EXPECT_NEAR(колесо.максимум().y, 5.0f, 1e-3);
    // The wheels, 10 above the ground, stand on the turntable's top.
    EXPECT_NEAR(10.0f - колесо.максимум().y, 10.0f + основание.максимум().y, 1e-3);
    Геометрия ось = модель_оси();
    EXPECT_NEAR(ось.минимум().y, -7.0f, 1e-4);  // from the middle out to the wheel
    Геометрия луч = модель_луча();
    for (std::size_t i = 0; i < луч.вершин(); ++i) EXPECT_NEAR(луч.нормаль(i).y, 1, 1e-5);
}

TEST(МоделиИгры, СамолётНосомКПлюсZВинтНаНосуНаОсиZ) {
    Геометрия самолёт = модель_самолёта(), винт = модель_винта();
    EXPECT_GT(самолёт.максимум().z, 2.0f);
    EXPECT_LT(самолёт.минимум().z, -2.0f);
    EXPECT_GT(самолёт.максимум().x - самолёт.минимум().x, 5.0f);  // wings across x
    В3 ц = (винт.минимум() + винт.максимум()) * 0.5f;
    EXPECT_NEAR(ц.x, 0, 1e-3);
    EXPECT_NEAR(ц.y, 0, 1e-3);
    EXPECT_GE(винт.минимум().z, самолёт.максимум().z - 0.05f);
}
