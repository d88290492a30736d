// The skeleton reader, animation states at any frame, blending and the registry.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "support/support.hpp"
#include "tools/pisatel.hpp"
#include "zhurnal_v_teste.hpp"
#include "zyr/skelet.hpp"

namespace {

using namespace zyr::skelet;
namespace п = pisatel;

// Bones: "а" (root, head (1, 2, 3)), "б" (child of "а"), "в" (only a curve of
// type 3, which names no component), "г" (no curves).
// "ход", frames 0..10: "а" moves by (r, 10 r), "б" turns by (w, z) = (1 - r/10, r/10).
// "сдвиг", frames 0..1: "б" moves along z by 4 r.
std::string файл_скелета() {
    std::vector<п::КостьФайла> кости(4);
    кости[0] = {"а", -1, {1, 2, 3}, {9, 9, 9}, {0.5f, 0.5f, 0.5f, 0.5f}};
    кости[1] = {"б", 0, {0, 0, 0}, {0, 1, 0}, {1, 0, 0, 0}};
    кости[2] = {"в", 0, {4, 5, 6}, {0, 1, 0}, {1, 0, 0, 0}};
    кости[3] = {"г", -1, {7, 8, 9}, {0, 1, 0}, {1, 0, 0, 0}};

    п::АнимацияФайла ход{"ход", 0, 10, {{0, п::ПЕРЕНОС_X}, {0, п::ПЕРЕНОС_Y}, {1, п::ПОВОРОТ_W}, {1, п::ПОВОРОТ_Z}, {2, 3}}, {}};
    for (int r = 0; r <= 10; ++r) {
        const float f = static_cast<float>(r);
        ход.строки.push_back({f, 10 * f, 1 - f / 10, f / 10, 100 + f});
    }
    п::АнимацияФайла сдвиг{"сдвиг", 0, 1, {{1, п::ПЕРЕНОС_Z}}, {{0}, {4}}};
    return п::скелет(кости, {ход, сдвиг});
}

class ФайлСкелета : public ::testing::Test {
protected:
    test_support::ВременнаяПапка папка;

    std::string записать(const std::string& имя, const std::string& байты) {
        const auto путь = папка / имя;
        п::записать(путь, байты);
        return путь.string();
    }
    Скелет прочитать() { return Скелет(записать("с.sk", файл_скелета())); }
};

TEST_F(ФайлСкелета, КостиИерархияИАнимацииЧитаются) {
    const auto скелет = прочитать();
    EXPECT_EQ(скелет.получить_имена_костей(), (std::vector<std::string>{"а", "б", "в", "г"}));
    EXPECT_EQ(скелет.получить_имена_анимаций(), (std::vector<std::string>{"сдвиг", "ход"}));
    EXPECT_EQ(скелет.начальные_кости()[0].голова, Вектор3(1, 2, 3));
    EXPECT_EQ(скелет.начальные_кости()[0].ориентация.x, 0.5f);
    EXPECT_EQ(скелет.корни(), (std::vector<std::uint16_t>{0, 3}));
    EXPECT_EQ(скелет.дети().at(0), (std::vector<std::uint16_t>{1, 2}));
    const auto& ход = скелет.анимации().at("ход");
    EXPECT_EQ(ход.последний_кадр, 10);
    ASSERT_EQ(ход.кривые.size(), 11u);
    EXPECT_EQ(ход.кривые[3][1], 30.0f);
}

TEST_F(ФайлСкелета, ДробныйКадрСмешиваетДвеСтроки) {
    const auto с = прочитать().получить_состояние_анимации("ход", 2.5f);
    ASSERT_EQ(с.size(), 4u);
    const auto& а = с.at("а");
    EXPECT_EQ(а.флаги, ФЛАГ_ПЕРЕНОСА);
    EXPECT_FLOAT_EQ(а.перенос.x, 2.5f);
    EXPECT_FLOAT_EQ(а.перенос.y, 25.0f);
    EXPECT_EQ(а.перенос.z, 0.0f);
    EXPECT_EQ(а.начальная_кость.голова, Вектор3(1, 2, 3));
    const auto& б = с.at("б");
    EXPECT_EQ(б.флаги, ФЛАГ_ПОВОРОТА);
    EXPECT_FLOAT_EQ(б.поворот.w, 0.75f);
    EXPECT_FLOAT_EQ(б.поворот.z, 0.25f);
    EXPECT_EQ(б.поворот.x, 0.0f);  // components without a curve keep the default
}

TEST_F(ФайлСкелета, КадрыЗаКраямиБерутКрайнююСтрокуАНеЧислоПервую) {
    const auto скелет = прочитать();
    const struct {
        float кадр;
        float x;
    } случаи[] = {{-3.0f, 0}, {0.0f, 0}, {4.0f, 4}, {10.0f, 10}, {99.5f, 10},
                  {std::numeric_limits<float>::quiet_NaN(), 0}, {std::numeric_limits<float>::infinity(), 10},
                  {-std::numeric_limits<float>::infinity(), 0}};
    for (const auto& случай : случаи) {
        EXPECT_EQ(скелет.получить_состояние_анимации("ход", случай.кадр).at("а").перенос.x, случай.x) << случай.кадр;
    }
}

TEST_F(ФайлСкелета, КостиБезДействующихКривыхВСостоянииСНулевымиФлагами) {
    const auto с = прочитать().получить_состояние_анимации("ход", 1);
    for (const char* имя : {"в", "г"}) {
        const auto& кость = с.at(имя);
        EXPECT_EQ(кость.флаги, 0u) << имя;
        EXPECT_EQ(кость.перенос, Вектор3(0, 0, 0));
        EXPECT_EQ(кость.масштаб, Вектор3(1, 1, 1));
        EXPECT_EQ(кость.поворот.w, 1.0f);
    }
    EXPECT_EQ(с.at("г").начальная_кость.голова, Вектор3(7, 8, 9));
}

TEST_F(ФайлСкелета, НеизвестнаяАнимацияДаётПокойИСтрокуЖурнала) {
    const auto скелет = прочитать();
    СостояниеАнимации с;
    const auto журнал = test_zhurnal::журнал_во_время([&] { с = скелет.получить_состояние_анимации("полёт", 3); });
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "отсутствует анимация с именем полёт"), 1u);
    ASSERT_EQ(с.size(), 4u);
    for (const auto& [имя, кость] : с) EXPECT_EQ(кость.флаги, 0u) << имя;
}

TEST_F(ФайлСкелета, СмешениеОбъединяетФлагиИЗначения) {
    const auto скелет = прочитать();
    const auto с = скелет.объединить_состояния_анимации("ход", 10, "сдвиг", 1, 0.25f);
    const auto& б = с.at("б");
    EXPECT_EQ(б.флаги, ФЛАГ_ПЕРЕНОСА | ФЛАГ_ПОВОРОТА);
    EXPECT_FLOAT_EQ(б.перенос.z, 1.0f);
    // Half a turn about z at k = 0 blended towards the identity: a quarter of the way.
    const auto ожидаемый = Кватернион(0, 0, 0, 1).сферическая_интерполяция(Кватернион::НОЛЬ, 0.25f);
    EXPECT_FLOAT_EQ(б.поворот.w, ожидаемый.w);
    EXPECT_FLOAT_EQ(б.поворот.z, ожидаемый.z);
    EXPECT_FLOAT_EQ(с.at("а").перенос.x, 7.5f);

    const auto первая = скелет.объединить_состояния_анимации("ход", 4, "сдвиг", 1, 0.0f);
    EXPECT_FLOAT_EQ(первая.at("а").перенос.x, 4.0f);
    EXPECT_FLOAT_EQ(первая.at("б").перенос.z, 0.0f);
}

// Every proper prefix of a valid file, and every file that names what it lacks.
TEST_F(ФайлСкелета, ЛюбоеНачалоФайлаОтвергается) {
    const auto байты = файл_скелета();
    EXPECT_NO_THROW(Скелет(записать("целый.sk", байты)));
    for (std::size_t длина = 0; длина < байты.size(); ++длина) {
        EXPECT_THROW(Скелет(записать("обрезан.sk", байты.substr(0, длина))), СкелетИсключение) << длина;
    }
}

struct ИспорченныйСкелет {
    const char* название;
    std::function<std::string()> байты;
};

п::КостьФайла кость(const char* имя) { return {имя, -1, {}, {}, {1, 0, 0, 0}}; }

class ИспорченныйФайлСкелета : public ФайлСкелета, public ::testing::WithParamInterface<ИспорченныйСкелет> {};

TEST_P(ИспорченныйФайлСкелета, ОтвергаетсяИсключениемСкелета) {
    EXPECT_THROW(Скелет(записать("испорчен.sk", GetParam().байты())), СкелетИсключение);
}

INSTANTIATE_TEST_SUITE_P(
    Скелеты, ИспорченныйФайлСкелета,
    ::testing::Values(
        ИспорченныйСкелет{"wrong_version",
                          [] {
                              auto б = п::скелет({кость("а")}, {});
                              п::заменить_u16(б, 4, 1);
                              return б;
                          }},
        ИспорченныйСкелет{"curve_bone_past_bones",
                          [] { return п::скелет({кость("а")}, {{"х", 0, 0, {{1, п::ПЕРЕНОС_X}}, {{1}}}}); }},
        ИспорченныйСкелет{"last_frame_before_first",
                          [] { return п::скелет({кость("а")}, {{"х", 3, 1, {{0, п::ПЕРЕНОС_X}}, {{1}, {2}, {3}}}}); }},
        ИспорченныйСкелет{"fewer_rows_than_frames",
                          [] { return п::скелет({кость("а")}, {{"х", -2, 2, {{0, п::ПЕРЕНОС_X}}, {{1}, {2}}}}); }},
        ИспорченныйСкелет{"bone_count_past_names",
                          [] {
                              auto б = п::скелет({кость("а")}, {});
                              п::заменить_u16(б, 6, 40000);
                              return б;
                          }},
        ИспорченныйСкелет{"rows_count_past_data",
                          [] {
                              auto б = п::скелет({кость("а")}, {{"х", 0, 0, {{0, п::ПЕРЕНОС_X}}, {{1}}}});
                              // Animation block: after header 10, name 2+2, parent 2, rest 40, name 2+2.
                              п::заменить_u16(б, 10 + 4 + 2 + 40 + 4 + 2, 65535);
                              return б;
                          }}),
    [](const auto& info) { return std::string(info.param.название); });

TEST_F(ФайлСкелета, РеестрОтдаётОдинЭкземплярИПовторяетНеудачи) {
    записать("целый.sk", файл_скелета());
    записать("битый.sk", файл_скелета().substr(0, 20));
    ЗагруженныеСкелеты реестр(zyr::resources::ИменаРесурсов::создать({папка.путь().string()}));

    std::shared_ptr<Скелет> целый;
    const auto журнал = test_zhurnal::журнал_во_время([&] {
        целый = реестр.получить("целый");
        EXPECT_EQ(реестр.получить("целый"), целый);
        for (int раз = 0; раз < 2; ++раз) {
            EXPECT_EQ(реестр.получить("битый"), nullptr);
            EXPECT_EQ(реестр.получить("нет"), nullptr);
        }
    });
    ASSERT_NE(целый, nullptr);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Ошибка в файле скелета " + (папка / "битый.sk").string()), 2u)
        << журнал;
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует ресурс с именем: битый"), 2u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует файл скелета нет"), 2u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует ресурс с именем: нет"), 2u);
}

}  // namespace
