// The engine's settings record: keys, defaults and their text form.
#include "zyr/nastroyki_zyr.hpp"

#include <gtest/gtest.h>

namespace {

TEST(НастройкиZyr, УмолчанияИИхТекстоваяФорма) {
    zyr::nastroyki_zyr::НастройкиZyr н;
    EXPECT_FALSE(н.прочитать_настройки("", '\n'));
    EXPECT_EQ(н.размеры_окна(), (std::vector<std::int64_t>{800, 600}));
    EXPECT_EQ(н.общий_уровень(), "Информация");
    EXPECT_EQ(н.имя_окна(), "Тест ZYR");
    EXPECT_EQ(н.полный_экран(), 0);
    EXPECT_EQ(н.синхронизация_экрана(), 1);
    EXPECT_EQ(н.режим_desktop(), 1);
    EXPECT_EQ(н.toString(),
              "полный_экран = 0 \nрежим_desktop = 1 \nсинхронизация_экрана = 1 \n"
              "имя_окна = Тест ZYR \nобщий_уровень = Информация \n"
              "размеры_окна = [800, 600] \n");
}

TEST(НастройкиZyr, НеверныеКлючиПеречисляютсяДляЖурнала) {
    zyr::nastroyki_zyr::НастройкиZyr н;
    EXPECT_TRUE(н.прочитать_настройки("размеры_окна = 1024, 768\nполный_экран = 1\nимя_окна = Шарики\n", '\n'));
    EXPECT_EQ(н.размеры_окна(), (std::vector<std::int64_t>{800, 600}));
    EXPECT_EQ(н.полный_экран(), 1);
    EXPECT_EQ(н.имя_окна(), "Шарики");
    EXPECT_EQ(н.ошибочные_переменные(), std::vector<std::string>{"размеры_окна"});
}

}  // namespace
