// The game's settings record and the object counter.
#include "src/nastroiki.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "support/igra/stend_igry.hpp"
#include "support/support.hpp"

namespace {

using test_support::ВременнаяПапка;
using test_support::РабочаяПапка;
using test_support::записать_файл;

TEST(НастройкиИгры, БезФайлаИграИдётНаУмолчаниях) {
    ВременнаяПапка папка;
    РабочаяПапка рабочая(папка.путь());
    nastroiki::НастройкиИгры н;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(н.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК, '\n'));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Не найден файл с настройками настройки.cfg\n");

    EXPECT_EQ(н.ресурсы(), std::vector<std::string>{"."});
    EXPECT_EQ(н.данные(), ".");
    EXPECT_EQ(н.цвет_лампы1(), (std::vector<double>{1, 1, 1, 1}));
    EXPECT_EQ(н.общий_уровень(), "Информация");
    EXPECT_EQ(н.файл_журнала(), "журнал.log");
    EXPECT_EQ(н.уровни_модулей(), (nastroiki::АссоциативныйМассив{{"nastroyki", "Информация"}}));
    EXPECT_EQ(н.скорости(), (std::vector<double>{0, -150, 150, -60, -20, 5, 10, 15, 60, 0, 0}));
    EXPECT_EQ(н.время_жизни_действующего_шарика(), 20.0);
    EXPECT_EQ(н.время_паузы(), 5.0);
    EXPECT_EQ(н.время_назад(), 5.0);
    EXPECT_EQ(н.время_прицела(), 20.0);
    EXPECT_EQ(н.радиус_взрыва_бомбы(), 40.0);
    EXPECT_EQ(н.радиус_взрыва_авиабомбы(), 30.0);
    EXPECT_EQ(н.количество_шаров_на_пути(), 200);
    EXPECT_EQ(н.количество_выбегающих_шаров(), 15);
    EXPECT_EQ(н.скорость_ядра(), 200.0);
    EXPECT_EQ(н.высота_унитаза(), 14.0);
    EXPECT_EQ(н.радиус_унитаза(), 7.2);
    EXPECT_EQ(н.стоимости_бонусов(), (std::vector<std::int64_t>{100, 200, 300}));
    EXPECT_EQ(н.паника(), 0);
    EXPECT_EQ(н.имена_свойств().size(), 20u);
    EXPECT_EQ(н.имена_свойств().front(), "ресурсы");
    EXPECT_EQ(н.имена_свойств().back(), "паника");
}

TEST(НастройкиИгры, ФайлЗаменяетСпискиЦеликомАНеверныйКлючМолчаОставляетУмолчание) {
    ВременнаяПапка папка;
    РабочаяПапка рабочая(папка.путь());
    записать_файл(папка / "настройки.cfg",
                  "скорости = [1, 2, 3]\n"
                  "количество_шаров_на_пути = много\n"
                  "ресурсы = [\"ресурсы\", \"ещё ресурсы\"]\n"
                  "данные = \"уровни/\"\n"
                  "уровни_модулей = [\"меш\":\"Отладка\", \"шарики\":\"Ошибка\"]\n"
                  "паника = 1\n");
    nastroiki::НастройкиИгры н;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(н.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК, '\n'));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(н.скорости(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(н.количество_шаров_на_пути(), 200);
    EXPECT_EQ(н.ошибочные_переменные(), std::vector<std::string>{"количество_шаров_на_пути"});
    EXPECT_EQ(н.ресурсы(), (std::vector<std::string>{"ресурсы", "ещё ресурсы"}));
    EXPECT_EQ(н.данные(), "уровни/");
    EXPECT_EQ(н.уровни_модулей().size(), 2u);
    EXPECT_EQ(н.уровни_модулей().at("меш"), "Отладка");
    EXPECT_EQ(н.паника(), 1);
}

// inf, nan and reals beyond the float range are read as doubles; the game's start
// puts the defaults back, since the game uses them as floats.
class НастройкиВнеFloat : public test_stend::СтендИгры {};

TEST_F(НастройкиВнеFloat, БерутУмолчаниеСОднимПредупреждениемНаКлюч) {
    настроить(
        "время_паузы = nan\nвремя_назад = -inf\nскорость_ядра = 1e39\nвремя_прицела = -1e39\n"
        "радиус_унитаза = 3.4e38\nцвет_лампы1 = [0.5, 0.5]\n"
        "скорости = [1, nan, 3, inf, -inf, 6, 7, 1e39, -1e39, 10, 11, nan]\n");
    nastroiki::исправить_настройки_вне_float();
    const auto& н = nastroiki::настройки;
    const nastroiki::НастройкиИгры умолчания;
    EXPECT_EQ(н.время_паузы(), 5.0);
    EXPECT_EQ(н.время_назад(), 5.0);
    EXPECT_EQ(н.скорость_ядра(), умолчания.скорость_ядра());
    EXPECT_EQ(н.время_прицела(), умолчания.время_прицела());
    EXPECT_EQ(н.радиус_унитаза(), 3.4e38);
    EXPECT_EQ(н.цвет_лампы1(), (std::vector<double>{0.5, 0.5}));
    EXPECT_EQ(н.скорости(), (std::vector<double>{1, -150, 3, -60, -20, 6, 7, 15, 60, 10, 11, 0}));
    const std::string текст = журнал();
    for (const char* ключ : {"скорости", "время_паузы", "время_назад", "скорость_ядра", "время_прицела"})
        EXPECT_EQ(test_stend::сколько_раз(текст, std::string("значение настройки ") + ключ + " заменено"), 1u) << ключ;
    EXPECT_EQ(test_stend::сколько_раз(текст, "Предупрежд."), 5u);
}

TEST(НовыйНомер, ВыдаётсяПоПорядкуИПереходитЧерезНоль) {
    nastroiki::новый_номер = 0;
    EXPECT_EQ(nastroiki::получить_новый_номер(), 0u);
    EXPECT_EQ(nastroiki::получить_новый_номер(), 1u);
    EXPECT_EQ(nastroiki::получить_новый_номер(), 2u);
    EXPECT_EQ(nastroiki::новый_номер, 3u);
    nastroiki::новый_номер = std::numeric_limits<std::uint32_t>::max();
    EXPECT_EQ(nastroiki::получить_новый_номер(), std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(nastroiki::получить_новый_номер(), 0u);
}

}  // namespace
