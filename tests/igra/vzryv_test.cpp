// Explosions over a private resource folder whose skinned mesh "взрыв" moves every
// vertex by the animation frame along x, so a vertex tells which frame is shown.
#include <gtest/gtest.h>

#include "src/nastroiki.hpp"
#include "src/vzryv.hpp"
#include "support/igra/stend_igry.hpp"
#include "tools/pisatel.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using namespace vzryv;
using zyr::vector::Вектор3;

enum class Ресурсы { все, нет_меша, нет_скелета, меш_версии_1 };

void записать_ресурсы(const std::filesystem::path& папка, Ресурсы ресурсы) {
    const pisatel::ДанныеМеша меш = pisatel::полоса_квадратов(1);
    std::vector<pisatel::ЗаписьВеса> веса;
    for (std::uint16_t v = 0; v < меш.позиции.size() / 3; ++v) веса.push_back({0, v, 1.0f});
    // Frame f of "Action" moves the bone, and so every vertex, by f along x.
    pisatel::АнимацияФайла анимация{"Action", 0, 50, {{0, pisatel::ПЕРЕНОС_X}}, {}};
    for (int кадр = 0; кадр <= 50; ++кадр) анимация.строки.push_back({static_cast<float>(кадр)});
    if (ресурсы != Ресурсы::нет_меша)
        pisatel::записать(папка / "взрыв.me", ресурсы == Ресурсы::меш_версии_1
                                                  ? pisatel::меш_версии_1(меш)
                                                  : pisatel::меш_версии_2(меш, {"кость"}, веса));
    if (ресурсы != Ресурсы::нет_скелета)
        pisatel::записать(папка / "взрыв.sk", pisatel::скелет({{"кость"}}, {анимация}));
}

// The animation frame the explosion shows.
float кадр(const Взрыв& взрыв) {
    return взрыв.меш->текущие_положения()[0].x - взрыв.меш->начальные_положения()[0].x;
}

class Взрывы : public test_stend::СтендБезРесурсов {
protected:
    void SetUp() override {
        записать_ресурсы(ресурсы(), Ресурсы::все);
        СтендБезРесурсов::SetUp();
    }
};

TEST_F(Взрывы, ИграютПятьдесятКадровВСекундуКаждыйСвоюКопиюИКончаютсяПослеПолусекунды) {
    Взрыв первый(nastroiki::получить_новый_номер(), 2, {10, 0, 5});
    const Взрыв второй(nastroiki::получить_новый_номер(), 2, {20, 0, 5});
    ASSERT_TRUE(первый.живой());
    EXPECT_EQ(корень()->получить_ребёнка("место_взрыва_" + первый.номер), первый.место);
    EXPECT_EQ(первый.объект->получить_меш(), первый.меш);
    EXPECT_FLOAT_EQ(кадр(первый), 1.0f);
    const std::vector<std::pair<float, bool>> кадры{{12.5f, false}, {25.0f, false}, {37.5f, true}};
    for (const auto& [ожидаемый, кончился] : кадры) {
        EXPECT_EQ(первый.анимация(0.25f), кончился) << ожидаемый;
        EXPECT_FLOAT_EQ(кадр(первый), ожидаемый);
    }
    EXPECT_FLOAT_EQ(кадр(второй), 1.0f);
}

TEST_F(Взрывы, УдаляютсяОтБольшегоНомераВПулИВозрождаютсяСПервогоВПуле) {
    const auto данные = [](std::uint32_t цвет, float x) { return ДанныеВзрыва{цвет, {x, 0, 0}}; };
    настроить("паника = 1");
    добавить_взрывы({данные(0, 0), данные(1, 10)});
    EXPECT_TRUE(живые_взрывы.empty());
    настроить("паника = 0");
    добавить_взрывы({данные(0, 0), данные(1, 10), данные(2, 20), данные(3, 30), данные(4, 40)});
    const auto было = живые_взрывы;
    анимация_взрывов(0.3f);
    ASSERT_EQ(живые_взрывы, было);
    const auto ориентация = было[0]->место->получить_ориентацию();

    удалить_взрывы({0, 2, 2, 1});
    EXPECT_EQ(живые_взрывы, (std::vector{было[3], было[4]}));
    EXPECT_EQ(std::vector(мёртвые_взрывы.begin(), мёртвые_взрывы.end()), (std::vector{было[0], было[1], было[2]}));
    EXPECT_FALSE(было[0]->живой());
    EXPECT_FALSE(было[0]->место->получить_видимость());

    добавить_взрывы({данные(5, 50)});
    const Взрыв& возрождённый = *живые_взрывы.back();
    ASSERT_EQ(&возрождённый, было[0].get());
    EXPECT_TRUE(возрождённый.живой());
    EXPECT_TRUE(возрождённый.место->получить_видимость());
    EXPECT_EQ(возрождённый.прошло, 0.0f);
    EXPECT_EQ(возрождённый.место->получить_позицию(), Вектор3(50, 0, 0));
    EXPECT_EQ(возрождённый.объект->получить_материал(), sharik::материалы_основные.at(5));
    EXPECT_TRUE(возрождённый.место->получить_ориентацию().equals(ориентация, 0.0f));

    // The two older ones pass 0.5 s and leave, the revived one plays on.
    анимация_взрывов(0.25f);
    EXPECT_EQ(живые_взрывы, (std::vector{было[0]}));
    EXPECT_FLOAT_EQ(кадр(возрождённый), 12.5f);
    EXPECT_EQ(мёртвые_взрывы.front(), было[3]);
}

struct БезВзрыва {
    Ресурсы ресурсы = Ресурсы::все;
    std::uint32_t цвет = 0;
};

class ВзрывыБезРесурсов : public test_stend::СтендБезРесурсов, public testing::WithParamInterface<БезВзрыва> {
protected:
    void SetUp() override {
        записать_ресурсы(ресурсы(), GetParam().ресурсы);
        СтендБезРесурсов::SetUp();
    }
};

// Unbuilt or without its mesh, an explosion shows nothing, is over at once and
// comes back from the pool as quietly; only a refused colour is written down.
TEST_P(ВзрывыБезРесурсов, НеЖивИКончаетсяСразу) {
    const bool цвет_допустим = GetParam().цвет < 6;
    for (int раз = 0; раз < 2; ++раз) {
        добавить_взрывы({{GetParam().цвет, {1, 2, 3}}});
        ASSERT_EQ(живые_взрывы.size(), 1u);
        const auto взрыв = живые_взрывы[0];
        EXPECT_FALSE(взрыв->живой());
        EXPECT_EQ(взрыв->объект, nullptr);
        EXPECT_EQ(взрыв->место != nullptr, цвет_допустим);
        анимация_взрывов(0.01f);
        EXPECT_TRUE(живые_взрывы.empty());
        EXPECT_EQ(!мёртвые_взрывы.empty() && мёртвые_взрывы.front() == взрыв, цвет_допустим);
    }
    const std::string текст = журнал();
    EXPECT_EQ(test_stend::сколько_раз(текст, "Попытка построения взрыва с недопустимым номером цвета"),
              цвет_допустим ? 0u : 2u);
    EXPECT_EQ(test_stend::сколько_раз(текст, "Попытка возрождения"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Случаи, ВзрывыБезРесурсов,
                         testing::Values(БезВзрыва{Ресурсы::нет_меша, 1}, БезВзрыва{Ресурсы::нет_скелета, 1},
                                         БезВзрыва{Ресурсы::меш_версии_1, 1}, БезВзрыва{Ресурсы::все, 6},
                                         БезВзрыва{Ресурсы::все, 4294967295u}));

}  // namespace
