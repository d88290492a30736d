// The program entry's start-up in a working folder that holds the game's
// resource files and no "настройки.cfg": the defaults (resources in ".", the
// journal "журнал.log" at Информация) bring up the start screen, and the ball
// and digit material tables are built.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <utility>

#include "my_utils/format.hpp"
#include "src/cifry.hpp"
#include "src/dialogy.hpp"
#include "src/igra.hpp"
#include "src/nastroiki.hpp"
#include "src/sharik.hpp"
#include "src/sobytija.hpp"
#include "zapusk_dvizhka.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/material.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

namespace fs = std::filesystem;

class ЗапускИгры : public test_gl_dvizhok::ЗапускДвижкаВТесте {
protected:
    void SetUp() override {
        ЗапускДвижкаВТесте::SetUp();
        nastroiki::настройки.инициализация();
        for (const auto& запись : fs::directory_iterator(fs::path(IGRA_BINARY_DIR) / "game" / "ресурсы")) {
            if (запись.is_regular_file()) fs::copy_file(запись.path(), рабочая / запись.path().filename().string());
        }
        ASSERT_FALSE(fs::exists(рабочая / "настройки.cfg"));
    }
    void TearDown() override {
        // The program never lets its switcher go; a test does, while the manager lives.
        delete std::exchange(igra::переключатель_состояний, nullptr);
        sobytija::события_игры.reset();
        sharik::материалы_основные.clear();
        sharik::материалы_действующие.clear();
        cifry::материалы_цифр.clear();
        nastroiki::настройки.инициализация();
        ЗапускДвижкаВТесте::TearDown();
    }
};

TEST_F(ЗапускИгры, БезФайлаНастроекНачальнаяЗаставкаИзРабочейПапки) {
    igra::запуск();

    ASSERT_TRUE(igra::переключатель_состояний);
    const auto& стек = igra::переключатель_состояний->стек();
    ASSERT_EQ(стек.size(), 1u);
    const auto заставка = std::dynamic_pointer_cast<dialogy::НачальнаяЗаставка>(стек.back());
    ASSERT_TRUE(заставка);
    ASSERT_TRUE(заставка->главная_инфопанель());
    EXPECT_TRUE(zyr::менеджер->инфопанели().contains("начальная_заставка"));
    EXPECT_TRUE(заставка->кнопка_игра() && заставка->кнопка_выход());

    my_utils::journal::завершить_журнал();
    const auto журнал_игры = test_support::прочитать_файл(рабочая / "журнал.log");
    EXPECT_NE(журнал_игры.find("|Информация  | Состояние НачальнаяЗаставка"), std::string::npos) << журнал_игры;
}

TEST_F(ЗапускИгры, ТриТаблицыПоШестьМатериаловПрозрачнаТолькоДляДействующихШаров) {
    igra::запуск();

    struct Таблица {
        const char* имя;
        const sharik::ТаблицаМатериалов& материалы;
        const char* текстура;
        bool прозрачная;
        bool с_окружающим;
    };
    const Таблица таблицы[] = {
        {"основные", sharik::материалы_основные, "текстура_шарик%d", false, false},
        {"действующие", sharik::материалы_действующие, "текстура_прозрачный_шарик%d", true, false},
        {"цифры", cifry::материалы_цифр, "текстура_шарик%d", false, true},
    };
    for (const auto& т : таблицы) {
        SCOPED_TRACE(т.имя);
        ASSERT_EQ(т.материалы.size(), 6u);
        for (std::size_t цвет = 0; цвет < 6; ++цвет) {
            SCOPED_TRACE(цвет);
            const auto& м = *т.материалы[цвет];
            const auto текстура = zyr::менеджер->получить_текстуру(my_utils::format::sprintf(т.текстура, цвет + 1));
            ASSERT_TRUE(текстура);
            EXPECT_EQ(м.диффузная_текстура(), текстура);
            EXPECT_EQ(м.получить_прозрачность(), т.прозрачная);
            EXPECT_EQ(м.окружающий_задан(), т.с_окружающим);
        }
    }
}

}  // namespace
