// The mesh file readers, meshes from memory, their buffers and the mesh registry.
#include <gtest/gtest.h>

#include <functional>

#include <nlohmann/json.hpp>

#include "support/support.hpp"
#include "tools/pisatel.hpp"
#include "zhurnal_v_teste.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"

namespace {

using zyr::mesh::ЗагруженныеМеши;
using zyr::mesh::Меш;
using zyr::mesh::МешИсключение;
using zyr::mesh::МешСоСкелетом;
using zyr::mesh::выбор_меша;

// Two triangles over four vertices whose every value differs, so a mixed-up
// block or interleaving order shows.
pisatel::ДанныеМеша квадрат() {
    pisatel::ДанныеМеша м;
    м.позиции = {0, 0, 0.5f, 1, 0, 0.25f, 1, 1, 0.125f, 0, 1, 0.0625f};
    м.текстурные_координаты = {10, 11, 12, 13, 14, 15, 16, 17};
    м.нормали = {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
    м.индексы = {0, 1, 2, 0, 2, 3};
    return м;
}

class ФайлыМешей : public ::testing::Test {
protected:
    test_support::ВременнаяПапка папка;

    std::string записать(const std::string& имя, const std::string& байты) {
        const auto путь = папка / имя;
        pisatel::записать(путь, байты);
        return путь.string();
    }
};

TEST_F(ФайлыМешей, ВерсияОдинОтдельныеБлокиКакВФайле) {
    const auto м = квадрат();
    const auto байты = pisatel::меш_версии_1(м);
    ASSERT_EQ(байты.size(), 10u + 32 * 4 + 6 * 2);

    const Меш меш(записать("к.me", байты), true);
    EXPECT_EQ(меш.количество_вершин(), 4);
    EXPECT_EQ(меш.количество_граней(), 2);
    EXPECT_EQ(меш.версия(), 1);
    EXPECT_FALSE(меш.независимые_копии());
    EXPECT_TRUE(меш.отдельные_буферы());
    ASSERT_EQ(меш.блок_данных().size(), байты.size() - 10);
    EXPECT_EQ(std::memcmp(меш.блок_данных().data(), байты.data() + 10, байты.size() - 10), 0);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(меш.позиции()[i], м.позиции[i]);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(меш.текстурные_координаты()[i], м.текстурные_координаты[i]);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(меш.нормали()[i], м.нормали[i]);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(меш.индексы()[i], м.индексы[i]);
    EXPECT_TRUE(меш.чередующийся_массив().empty());
}

TEST_F(ФайлыМешей, ЧередующийсяМассивИдётUVНормальПозиция) {
    const auto м = квадрат();
    const auto меш = выбор_меша(записать("к.me", pisatel::меш_версии_1(м)));
    ASSERT_FALSE(меш->отдельные_буферы());
    const auto массив = меш->чередующийся_массив();
    ASSERT_EQ(массив.size(), 8u * 4);
    for (std::size_t v = 0; v < 4; ++v) {
        const float ожидаемое[8] = {м.текстурные_координаты[2 * v], м.текстурные_координаты[2 * v + 1],
                                    м.нормали[3 * v],             м.нормали[3 * v + 1],
                                    м.нормали[3 * v + 2],         м.позиции[3 * v],
                                    м.позиции[3 * v + 1],         м.позиции[3 * v + 2]};
        for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(массив[8 * v + i], ожидаемое[i]) << v << ":" << i;
    }
    EXPECT_EQ(меш->начало_чередующегося(), массив.data());
    EXPECT_EQ(меш->индексы()[4], 2);
}

TEST_F(ФайлыМешей, ВыборМешаОтдаётВерсиюДваЧитателюСоСкелетом) {
    const auto путь = записать("в2.me", pisatel::меш_версии_2(квадрат(), {"кость"}, {{0, 1, 1.0f}}));
    const auto меш = выбор_меша(путь);
    ASSERT_NE(dynamic_cast<МешСоСкелетом*>(меш.get()), nullptr);
    EXPECT_EQ(меш->версия(), 2);
    EXPECT_TRUE(меш->независимые_копии());
    EXPECT_TRUE(меш->отдельные_буферы());

    try {
        Меш(путь, false);
        FAIL();
    } catch (const МешИсключение& e) {
        EXPECT_STREQ(e.what(), "Заголовок файла не соответствует требуемому для меша 1 версии!");
    }
}

TEST_F(ФайлыМешей, ПустойМешДопустим) {
    const auto меш = выбор_меша(записать("пусто.me", pisatel::меш_версии_1({})));
    EXPECT_EQ(меш->количество_вершин(), 0);
    EXPECT_EQ(меш->количество_граней(), 0);
}

TEST_F(ФайлыМешей, ВыборМешаОтказываетКороткомуИЧужомуЗаголовку) {
    for (const std::string& байты : {std::string("ZYR "), std::string("ZYR \x01", 5), std::string("ZYR \x03\x00", 6),
                                    std::string("ZYX \x01\x00", 6), std::string()}) {
        try {
            выбор_меша(записать("плохой.me", байты));
            FAIL() << байты.size();
        } catch (const МешИсключение& e) {
            EXPECT_STREQ(e.what(), "Заголовок файла не соответствует требуемому для меша 1 или 2 версии!");
        }
    }
    EXPECT_THROW(выбор_меша((папка / "нет.me").string()), МешИсключение);
}

// A file spoilt in one way; every one must be refused, never read past its end.
struct ИспорченныйМеш {
    const char* название;
    std::function<std::string()> байты;
};

std::string меш_1() { return pisatel::меш_версии_1(квадрат()); }
std::string меш_2() {
    return pisatel::меш_версии_2(квадрат(), {"кость", "вторая"}, {{0, 1, 0.5f}, {1, 3, 1.0f}});
}
std::string обрезать(std::string байты, std::size_t сколько) {
    байты.resize(байты.size() - сколько);
    return байты;
}
std::string заменить(std::string байты, std::size_t смещение, std::uint16_t значение) {
    pisatel::заменить_u16(байты, смещение, значение);
    return байты;
}
// Offsets in version 2: blocks from 14, names after 14 + 32·4 + 6·2 = 154.
constexpr std::size_t ИМЕНА_2 = 154;
constexpr std::size_t ВЕСА_2 = ИМЕНА_2 + 2 + 10 + 2 + 12;  // "кость" is 10 bytes, "вторая" 12

class ИспорченныйФайлМеша : public ФайлыМешей, public ::testing::WithParamInterface<ИспорченныйМеш> {};

TEST_P(ИспорченныйФайлМеша, ОтвергаетсяИсключениемМеша) {
    const auto путь = записать("испорчен.me", GetParam().байты());
    EXPECT_THROW(выбор_меша(путь), МешИсключение);
}

INSTANTIATE_TEST_SUITE_P(
    Меши, ИспорченныйФайлМеша,
    ::testing::Values(
        ИспорченныйМеш{"v1_header_cut", [] { return меш_1().substr(0, 8); }},
        ИспорченныйМеш{"v1_last_byte_cut", [] { return обрезать(меш_1(), 1); }},
        ИспорченныйМеш{"v1_indices_cut", [] { return обрезать(меш_1(), 12); }},
        ИспорченныйМеш{"v1_vertex_count_too_big", [] { return заменить(меш_1(), 6, 5); }},
        ИспорченныйМеш{"v1_triangle_count_too_big", [] { return заменить(меш_1(), 8, 3); }},
        // 32 · 2048 is 65536: a 16-bit size would wrap to 0 and accept a bare header.
        ИспорченныйМеш{"v1_size_past_16_bits", [] { return заменить(меш_1().substr(0, 10), 6, 2048); }},
        ИспорченныйМеш{"v1_index_past_vertices", [] { return заменить(меш_1(), 10 + 128 + 10, 4); }},
        ИспорченныйМеш{"v2_header_cut", [] { return меш_2().substr(0, 12); }},
        ИспорченныйМеш{"v2_blocks_cut", [] { return меш_2().substr(0, 100); }},
        ИспорченныйМеш{"v2_name_past_end", [] { return заменить(меш_2(), ИМЕНА_2, 5000); }},
        ИспорченныйМеш{"v2_group_count_too_big", [] { return заменить(меш_2(), 10, 3); }},
        ИспорченныйМеш{"v2_weight_count_too_big", [] { return заменить(меш_2(), 12, 3); }},
        ИспорченныйМеш{"v2_last_byte_cut", [] { return обрезать(меш_2(), 1); }},
        ИспорченныйМеш{"v2_weight_group_past_groups", [] { return заменить(меш_2(), ВЕСА_2, 2); }},
        ИспорченныйМеш{"v2_weight_vertex_past_vertices", [] { return заменить(меш_2(), ВЕСА_2 + 2, 4); }},
        ИспорченныйМеш{"v2_index_past_vertices", [] { return заменить(меш_2(), 14 + 128, 9); }}),
    [](const auto& info) { return std::string(info.param.название); });

TEST_F(ФайлыМешей, ЛюбоеНачалоФайлаОтвергается) {
    for (const auto& байты : {меш_1(), меш_2()}) {
        EXPECT_NO_THROW(выбор_меша(записать("целый.me", байты)));
        for (std::size_t длина = 0; длина < байты.size(); ++длина) {
            EXPECT_THROW(выбор_меша(записать("обрезан.me", байты.substr(0, длина))), МешИсключение) << длина;
        }
    }
}

TEST(МешВПамяти, СобираетБлокИНулевыеНормали) {
    const std::vector<float> позиции{0, 0, 0, 1, 0, 0, 0, 1, 0};
    const std::vector<float> текстуры{0, 0, 1, 0, 0, 1};
    const std::vector<std::uint16_t> индексы{0, 1, 2};
    const Меш меш(позиции, текстуры, {}, индексы, true);
    EXPECT_EQ(меш.количество_вершин(), 3);
    EXPECT_EQ(меш.количество_граней(), 1);
    ASSERT_EQ(меш.блок_данных().size(), 32u * 3 + 6);
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(меш.нормали()[i], 0.0f);
    EXPECT_EQ(меш.текстурные_координаты()[2], 1.0f);
    EXPECT_EQ(меш.индексы()[2], 2);

    const Меш чередующийся(позиции, текстуры, {}, индексы, false);
    EXPECT_EQ(чередующийся.чередующийся_массив()[5 + 8], 1.0f);  // x of vertex 1
}

struct НесогласныеМассивы {
    const char* название;
    std::vector<float> позиции, текстуры, нормали;
    std::vector<std::uint16_t> индексы;
};

class МешВПамятиОтвергает : public ::testing::TestWithParam<НесогласныеМассивы> {};

TEST_P(МешВПамятиОтвергает, НесогласныеДлины) {
    const auto& п = GetParam();
    EXPECT_THROW(Меш(п.позиции, п.текстуры, п.нормали, п.индексы, false), МешИсключение);
}

INSTANTIATE_TEST_SUITE_P(
    Массивы, МешВПамятиОтвергает,
    ::testing::Values(
        НесогласныеМассивы{"positions_not_by_three", {0, 0, 0, 1}, {0, 0}, {}, {}},
        НесогласныеМассивы{"too_few_texcoords", {0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 1, 0}, {}, {0, 1, 2}},
        НесогласныеМассивы{"too_many_texcoords", {0, 0, 0}, {0, 0, 1}, {}, {}},
        НесогласныеМассивы{"normals_not_by_vertex", {0, 0, 0}, {0, 0}, {0, 0}, {}},
        НесогласныеМассивы{"indices_not_by_three", {0, 0, 0}, {0, 0}, {}, {0, 0}},
        НесогласныеМассивы{"index_past_vertices", {0, 0, 0}, {0, 0}, {}, {0, 0, 1}},
        // 65538 floats: taken as 16 bits the count would wrap to 2 and pass.
        НесогласныеМассивы{"over_65535_vertices", std::vector<float>(3 * 65536), std::vector<float>(2 * 65536), {}, {}}),
    [](const auto& info) { return std::string(info.param.название); });

TEST(МешВПамяти, НовыеТекстурныеКоординатыПереводятНаОтдельныеБуферы) {
    const std::vector<float> позиции{0, 0, 0, 1, 0, 0, 0, 1, 0};
    Меш меш(позиции, std::vector<float>{0, 0, 1, 0, 0, 1}, {}, std::vector<std::uint16_t>{0, 1, 2}, false);

    EXPECT_THROW(меш.изменить_координаты_текстур(std::vector<float>{1, 2, 3, 4, 5}), МешИсключение);
    EXPECT_FALSE(меш.отдельные_буферы());

    меш.изменить_координаты_текстур(std::vector<float>{1, 2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(меш.отдельные_буферы());
    EXPECT_TRUE(меш.чередующийся_массив().empty());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(меш.текстурные_координаты()[i], float(i + 1));
    EXPECT_EQ(меш.позиции()[3], 1.0f);
    EXPECT_EQ(меш.индексы()[1], 1);

    const Меш копия(меш);
    EXPECT_TRUE(копия.отдельные_буферы());
    EXPECT_NE(копия.текстурные_координаты(), меш.текстурные_координаты());
    EXPECT_EQ(копия.текстурные_координаты()[5], 6.0f);
}

// The registry over a resource directory holding "плоский" (version 1),
// "гибкий" (version 2) and "битый" (a broken file).
class РеестрМешей : public ФайлыМешей {
protected:
    void SetUp() override {
        записать("плоский.me", меш_1());
        записать("гибкий.me", меш_2());
        записать("битый.me", обрезать(меш_1(), 1));
        реестр = std::make_unique<ЗагруженныеМеши>(zyr::resources::ИменаРесурсов::создать({папка.путь().string()}));
    }
    std::unique_ptr<ЗагруженныеМеши> реестр;
};

TEST_F(РеестрМешей, ПервыйЗапросПолучаетЭкземплярРеестраДальшеКопииДляНезависимых) {
    const auto плоский = реестр->получить("плоский");
    ASSERT_NE(плоский, nullptr);
    EXPECT_EQ(реестр->получить("плоский"), плоский);

    const auto гибкий = реестр->получить("гибкий");
    ASSERT_NE(гибкий, nullptr);
    const auto копия = реестр->получить("гибкий");
    ASSERT_NE(копия, nullptr);
    EXPECT_NE(копия, гибкий);
    EXPECT_NE(dynamic_cast<МешСоСкелетом*>(копия.get()), nullptr);
    EXPECT_EQ(копия->версия(), 2);
    EXPECT_EQ(реестр->получить("гибкий") != копия, true);

    плоский->задать_независимые_копии(true);
    const auto копия_плоского = реестр->получить("плоский");
    EXPECT_NE(копия_плоского, плоский);
    EXPECT_EQ(копия_плоского->версия(), 1);
    EXPECT_EQ(копия_плоского->количество_граней(), 2);
}

TEST_F(РеестрМешей, НеудачныйЗапросПовторяетсяИПишетСтрокиСнова) {
    std::shared_ptr<Меш> битый = std::make_shared<Меш>(std::vector<float>{}, std::vector<float>{},
                                                       std::vector<float>{}, std::vector<std::uint16_t>{}, false);
    const auto журнал = test_zhurnal::журнал_во_время([&] {
        битый = реестр->получить("битый");
        EXPECT_EQ(реестр->получить("битый"), nullptr);
        EXPECT_EQ(реестр->получить("нет_такого"), nullptr);
    });
    EXPECT_EQ(битый, nullptr);
    const auto путь = (папка / "битый.me").string();
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Ошибка в файле меша " + путь), 2u) << журнал;
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует ресурс меша с именем: битый"), 2u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует файл меша нет_такого"), 1u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Отсутствует ресурс меша с именем: нет_такого"), 1u);
}

// A source serving meshes and skeletons from registries over one directory.
class ИсточникИзРеестров : public zyr::istochnik_resursov::ПустойИсточникРесурсов {
public:
    explicit ИсточникИзРеестров(const std::string& каталог)
        : имена(zyr::resources::ИменаРесурсов::создать({каталог})), меши(имена), скелеты(имена) {}

    std::shared_ptr<Меш> получить_меш(const std::string& имя) override { return меши.получить(имя); }
    std::shared_ptr<zyr::skelet::Скелет> получить_скелет(const std::string& имя) override {
        return скелеты.получить(имя);
    }

    std::shared_ptr<zyr::resources::ИменаРесурсов> имена;
    ЗагруженныеМеши меши;
    zyr::skelet::ЗагруженныеСкелеты скелеты;
};

class МешИзОписания : public ФайлыМешей {
protected:
    void SetUp() override {
        записать("плоский.me", меш_1());
        записать("гибкий.me", меш_2());
        pisatel::КостьФайла кость;
        кость.имя = "кость";
        записать("скелет.sk", pisatel::скелет({кость}, {}));
        источник = std::make_unique<ИсточникИзРеестров>(папка.путь().string());
    }
    std::shared_ptr<Меш> из(const char* json) {
        return zyr::mesh::меш_из_JSON(nlohmann::json::parse(json), *источник);
    }
    std::unique_ptr<ИсточникИзРеестров> источник;
};

TEST_F(МешИзОписания, ТипОтрисовкиИНезависимостьПрименяютсяКЭкземпляруРеестра) {
    const auto меш = из(R"({"имя": "плоский", "тип_отрисовки": true, "независимые_копии": true})");
    EXPECT_TRUE(меш->отдельные_буферы());
    EXPECT_TRUE(меш->независимые_копии());
    EXPECT_EQ(источник->меши.получить("плоский") == меш, false);
}

TEST_F(МешИзОписания, НеверныеЗначенияПишутОшибкуИНичегоНеМеняют) {
    std::shared_ptr<Меш> плоский, гибкий;
    const auto журнал = test_zhurnal::журнал_во_время([&] {
        плоский = из(R"({"имя": "плоский", "тип_отрисовки": 1, "независимые_копии": "да"})");
        гибкий = из(R"({"имя": "гибкий", "тип_отрисовки": "что-то", "независимые_копии": false})");
    });
    EXPECT_FALSE(плоский->отдельные_буферы());
    EXPECT_FALSE(плоский->независимые_копии());
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Ошибка определения типа отрисовки для Меша с именем плоский"), 1u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "Ошибка определения независимости копий для Меша с именем плоский"),
              1u);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, "гибкий"), 0u) << журнал;
    EXPECT_FALSE(гибкий->независимые_копии());
}

TEST_F(МешИзОписания, СкелетПрисваиваетсяАОшибкаВНёмНеМешает) {
    const auto меш = std::dynamic_pointer_cast<МешСоСкелетом>(из(R"({"имя": "гибкий", "скелет": "скелет"})"));
    ASSERT_NE(меш, nullptr);
    ASSERT_NE(меш->скелет(), nullptr);
    EXPECT_EQ(меш->группы_костей(), std::vector<std::uint16_t>{0});
    EXPECT_NE(из(R"({"имя": "гибкий", "скелет": "нет_такого"})"), nullptr);
    EXPECT_NE(из(R"({"имя": "гибкий", "скелет": 5})"), nullptr);
}

TEST_F(МешИзОписания, БезМешаОписаниеОтвергается) {
    for (const char* json : {R"({"имя": "нет_такого"})", R"({"имя": 3})", R"({"тип_отрисовки": true})", R"([1, 2])"}) {
        try {
            из(json);
            FAIL() << json;
        } catch (const МешИсключение& e) {
            EXPECT_STREQ(e.what(), "Не удалось создать меш из json-файла!");
        }
    }
}

}  // namespace
