// Objects: unique names, copies that share mesh and material, the drawing pass,
// and the registry of object descriptions with its refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "my_utils/format.hpp"
#include "support/support.hpp"
#include "tools/pisatel.hpp"
#include "zhurnal_v_teste.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using zyr::material::Материал;
using zyr::mesh::Меш;
using zyr::zyr_object::ЗагруженныеОбъекты;
using zyr::zyr_object::Объект;

using Журнал = std::vector<std::string>;

// A mesh and a material that note their drawing instead of calling OpenGL.
class ЗаписывающийМеш : public Меш {
public:
    explicit ЗаписывающийМеш(Журнал& журнал)
        : Меш(std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}, std::vector<float>{0, 0, 1, 0, 0, 1}, {},
              std::vector<std::uint16_t>{0, 1, 2}, false),
          журнал_(журнал) {}
    void рисовать() override { журнал_.push_back("меш"); }

private:
    Журнал& журнал_;
};

class ЗаписывающийМатериал : public Материал {
public:
    ЗаписывающийМатериал(Журнал& журнал, bool прозрачный) : журнал_(журнал) {
        задать_присутствие_прозрачности(прозрачный);
    }
    void рисовать() override { журнал_.push_back("материал"); }

private:
    Журнал& журнал_;
};

std::string с_номером(const std::string& база) { return база + std::to_string(zyr::zyr_object::номер_объекта); }

TEST(Объект, ИменаУникальныАКопииДелятМешИМатериал) {
    Журнал журнал;
    const auto меш = std::make_shared<ЗаписывающийМеш>(журнал);
    Объект первый("шар", меш, nullptr);
    EXPECT_EQ(первый.получить_имя(), с_номером("шар"));
    Объект второй("шар", меш, nullptr);
    EXPECT_EQ(второй.получить_имя(), с_номером("шар"));
    EXPECT_NE(первый.получить_имя(), второй.получить_имя());
    EXPECT_NE(первый.получить_материал(), второй.получить_материал());
    EXPECT_EQ(первый.количество_граней(), 1);

    Объект копия(первый);
    EXPECT_EQ(копия.получить_имя(), с_номером("шар"));
    Объект копия_копии(копия);
    EXPECT_EQ(копия_копии.получить_имя(), с_номером("шар"));
    EXPECT_EQ(копия_копии.базовое_имя(), "шар");
    EXPECT_EQ(копия_копии.получить_меш(), меш);
    EXPECT_EQ(копия_копии.получить_материал(), первый.получить_материал());

    копия_копии.получить_материал()->задать_диффузный_цвет({1, 0, 0, 1});
    EXPECT_EQ(первый.получить_материал()->диффузный_цвет(), (zyr::material::Цвет{1, 0, 0, 1}));

    // A null material is replaced by a new default one, when built and when replaced.
    ASSERT_NE(второй.получить_материал(), nullptr);
    второй.новый_материал(nullptr);
    EXPECT_NE(второй.получить_материал(), nullptr);
}

struct СлучайПрохода {
    bool прозрачный;
    std::uint32_t проход;
    bool рисует;
};

void PrintTo(const СлучайПрохода& с, std::ostream* поток) {
    *поток << (с.прозрачный ? "прозрачный" : "непрозрачный") << ", проход " << с.проход;
}

class ПроходОбъекта : public testing::TestWithParam<СлучайПрохода> {};

// The object starts opaque; a transparent material arrives through новый_материал.
TEST_P(ПроходОбъекта, РисуетМатериалИМешЛишьВСвоёмПроходе) {
    const auto& с = GetParam();
    Журнал журнал;
    Объект объект("куб", std::make_shared<ЗаписывающийМеш>(журнал),
                  std::make_shared<ЗаписывающийМатериал>(журнал, false));
    if (с.прозрачный) объект.новый_материал(std::make_shared<ЗаписывающийМатериал>(журнал, true));
    объект.рисовать(с.проход);
    EXPECT_EQ(журнал, (с.рисует ? Журнал{"материал", "меш"} : Журнал{}));
}

INSTANTIATE_TEST_SUITE_P(Случаи, ПроходОбъекта,
                         testing::Values(СлучайПрохода{false, 1, true}, СлучайПрохода{false, 2, false},
                                         СлучайПрохода{true, 1, false}, СлучайПрохода{true, 2, true},
                                         СлучайПрохода{false, 0, false}, СлучайПрохода{true, 3, false}));

// Meshes from a registry over the resource directory; no textures.
class ИсточникМешей : public zyr::istochnik_resursov::ПустойИсточникРесурсов {
public:
    explicit ИсточникМешей(std::shared_ptr<const zyr::resources::ИменаРесурсов> имена) : меши(std::move(имена)) {}
    std::shared_ptr<Меш> получить_меш(const std::string& имя) override { return меши.получить(имя); }
    zyr::mesh::ЗагруженныеМеши меши;
};

class РеестрОбъектов : public testing::Test {
protected:
    void SetUp() override {
        pisatel::записать(папка / "плоский.me", pisatel::меш_версии_1(pisatel::полоса_квадратов(2)));
        описание("шар", R"({"имя": "шар", "меш": {"имя": "плоский"},
                            "материал": {"диффузный_цвет": [1, 0, 0, 1], "присутствует_прозрачность": true}})");
        описание("голый", R"({"имя": "голый_объект", "меш": {"имя": "плоский"}})");
        описание("битый", R"({"имя": "битый", "меш": )");
        описание("без_меша", R"({"имя": "x", "меш": {"имя": "нет_такого"}})");
        описание("без_имени", R"({"меш": {"имя": "плоский"}})");
        описание("меш_строкой", R"({"имя": "x", "меш": "плоский"})");
        описание("плохой_блик", R"({"имя": "x", "меш": {"имя": "плоский"}, "материал": {"степень_блика": 12}})");
        описание("материал_массивом", R"({"имя": "x", "меш": {"имя": "плоский"}, "материал": [1, 0, 0, 1]})");
        std::filesystem::create_directory(папка / "папка.ob");
        имена = zyr::resources::ИменаРесурсов::создать({папка.путь().string()});
        источник = std::make_unique<ИсточникМешей>(имена);
        реестр = std::make_unique<ЗагруженныеОбъекты>(имена, *источник);
    }

    void описание(const std::string& имя, const std::string& json) {
        test_support::записать_файл(папка / (имя + ".ob"), json);
    }

    test_support::ВременнаяПапка папка;
    std::shared_ptr<zyr::resources::ИменаРесурсов> имена;
    std::unique_ptr<ИсточникМешей> источник;
    std::unique_ptr<ЗагруженныеОбъекты> реестр;
};

TEST_F(РеестрОбъектов, ПервыйЗапросПолучаетЭкземплярДальшеКопии) {
    const auto первый = реестр->получить("шар");
    ASSERT_NE(первый, nullptr);
    EXPECT_EQ(первый->получить_имя(), с_номером("шар"));
    EXPECT_TRUE(первый->получить_материал()->получить_прозрачность());
    EXPECT_EQ(первый->получить_меш(), источник->меши.получить("плоский"));
    EXPECT_EQ(первый->количество_граней(), 4);

    const auto второй = реестр->получить("шар");
    ASSERT_NE(второй, nullptr);
    EXPECT_NE(второй, первый);
    EXPECT_EQ(второй->получить_имя(), с_номером("шар"));
    EXPECT_NE(второй->получить_имя(), первый->получить_имя());
    EXPECT_EQ(второй->получить_меш(), первый->получить_меш());
    EXPECT_EQ(второй->получить_материал(), первый->получить_материал());

    // Later copies are made from the first object handed out.
    const auto другой_меш = std::make_shared<Меш>(*первый->получить_меш());
    первый->новый_меш(другой_меш);
    EXPECT_EQ(реестр->получить("шар")->получить_меш(), другой_меш);
}

TEST_F(РеестрОбъектов, БезМатериалаОбъектНепрозрачныйСМатериаломПоУмолчанию) {
    const auto объект = реестр->получить("голый");
    ASSERT_NE(объект, nullptr);
    EXPECT_EQ(объект->базовое_имя(), "голый_объект");
    EXPECT_FALSE(объект->получить_материал()->получить_прозрачность());
    EXPECT_EQ(объект->получить_материал()->диффузный_цвет(), (zyr::material::Цвет{0.7f, 0.7f, 0.7f, 1}));
}

struct СлучайОтказа {
    const char* имя;
    // The registry's own line; "%s" stands for the file's path.
    const char* строка;
};

void PrintTo(const СлучайОтказа& с, std::ostream* поток) { *поток << с.имя; }

class ОтказРеестраОбъектов : public РеестрОбъектов, public testing::WithParamInterface<СлучайОтказа> {};

// A bad data file, a faulty material part included, never reaches the caller:
// each request writes both lines and yields nothing.
TEST_P(ОтказРеестраОбъектов, ПишетСвоюСтрокуИНичегоНеОтдаёт) {
    const auto& с = GetParam();
    std::shared_ptr<Объект> первый, второй;
    const auto журнал = test_zhurnal::журнал_во_время([&] {
        первый = реестр->получить(с.имя);
        второй = реестр->получить(с.имя);
    });
    EXPECT_EQ(первый, nullptr);
    EXPECT_EQ(второй, nullptr);
    const auto путь = (папка / (std::string(с.имя) + ".ob")).string();
    const auto строка = my_utils::format::sprintf(с.строка, путь);
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, строка + "\n"), 2u) << журнал;
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, std::string("Отсутствует ресурс объекта с именем: ") + с.имя), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Файлы, ОтказРеестраОбъектов,
    testing::Values(СлучайОтказа{"нет_такого", "Отсутствует файл объекта нет_такого"},
                    СлучайОтказа{"битый", "Ошибка в файле объекта %s"},
                    СлучайОтказа{"папка", "Ошибка в файле объекта %s"},
                    СлучайОтказа{"плохой_блик", "Ошибка в файле объекта %s"},
                    СлучайОтказа{"материал_массивом", "Ошибка в файле объекта %s"},
                    СлучайОтказа{"без_меша", "Ошибка в файле объекта или меша %s"},
                    СлучайОтказа{"без_имени", "Ошибка в файле объекта или меша %s"},
                    СлучайОтказа{"меш_строкой", "Ошибка в файле объекта или меша %s"}));

TEST_F(РеестрОбъектов, ИзОписанияОтдаётNullЗаИмяИМешАОшибкуМатериалаПередаёт) {
    EXPECT_EQ(Объект::из_JSON(nlohmann::json::parse(R"([1, 2])"), *источник), nullptr);
    EXPECT_EQ(Объект::из_JSON(nlohmann::json::parse(R"({"имя": 5, "меш": {"имя": "плоский"}})"), *источник), nullptr);
    EXPECT_THROW(Объект::из_JSON(nlohmann::json::parse(R"({"имя": "x", "меш": {"имя": "плоский"}, "материал": 1})"),
                                 *источник),
                 nlohmann::json::type_error);
}

}  // namespace
