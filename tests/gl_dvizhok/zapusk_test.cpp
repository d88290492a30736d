// The engine start: the settings file as written, the failed keys reported, the
// window made from the settings, the manager made, and the frame loop's run.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <string>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zapusk_dvizhka.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr.hpp"

namespace {

namespace окно = zyr::zavisimost::okno_SDL2;

std::size_t сколько_раз(const std::string& текст, const std::string& образец) {
    std::size_t раз = 0;
    for (auto место = текст.find(образец); место != std::string::npos; место = текст.find(образец, место + 1)) ++раз;
    return раз;
}

class ЗапускДвижка : public test_gl_dvizhok::ЗапускДвижкаВТесте {
protected:
    bool запустить(const std::string& файл_настроек = "") {
        return zyr::инициализация_zyr({рабочая.путь().string()}, файл_настроек);
    }
};

TEST_F(ЗапускДвижка, БезФайлаНастроекОкно800на600ТестZYR) {
    ASSERT_TRUE(запустить());
    EXPECT_TRUE(zyr::окно_инициализировано);
    ASSERT_NE(zyr::менеджер, nullptr);
    EXPECT_EQ(zyr::istochnik_resursov::источник_ресурсов(), zyr::менеджер);
    const auto& п = окно::параметры_окна;
    EXPECT_EQ(п.ширина, 800);
    EXPECT_EQ(п.высота, 600);
    EXPECT_EQ(п.флаги, 0u);
    EXPECT_EQ(п.синхронизация, 1);
    ASSERT_NE(п.id_окна, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(окно::SDL_получить_окно()), "Тест ZYR");

    const auto текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Незагруженные переменные конфигурации zyr"), 0u) << текст;
    // The settings dump: one record, its keys on continuation lines.
    const auto дамп = текст.find("|Отладка     | настройки zyr = \n");
    ASSERT_NE(дамп, std::string::npos) << текст;
    EXPECT_NE(текст.find(std::string(39, ' ') + "| размеры_окна = [800, 600]", дамп), std::string::npos) << текст;
    EXPECT_LT(текст.find("Шаг 1.1 Загружен SDL"), текст.find("Сейчас будем создавать визуализатор"));
}

struct СлучайНастроек {
    const char* текст;
    int ширина;
    int высота;
    int синхронизация;
    const char* имя;

    friend void PrintTo(const СлучайНастроек& с, std::ostream* поток) { *поток << с.текст; }
};

class НастройкиЗапуска : public ЗапускДвижка, public ::testing::WithParamInterface<СлучайНастроек> {};

TEST_P(НастройкиЗапуска, ОкноПоФайлуНастроек) {
    const auto& с = GetParam();
    test_support::записать_файл(рабочая / "настройки_zyr.cfg", с.текст);
    ASSERT_TRUE(запустить());
    const auto& п = окно::параметры_окна;
    EXPECT_EQ(п.ширина, с.ширина);
    EXPECT_EQ(п.высота, с.высота);
    EXPECT_EQ(п.синхронизация, с.синхронизация);
    EXPECT_STREQ(SDL_GetWindowTitle(окно::SDL_получить_окно()), с.имя);
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(окно::SDL_получить_окно(), &w, &h);
    EXPECT_EQ(w, с.ширина);
    EXPECT_EQ(h, с.высота);
}

INSTANTIATE_TEST_SUITE_P(
    Файлы, НастройкиЗапуска,
    ::testing::Values(СлучайНастроек{"размеры_окна = [1024, 768, 5]\nсинхронизация_экрана = 0\n", 1024, 768, 0, "Тест ZYR"},
                      СлучайНастроек{"размеры_окна = [320, 240]\nимя_окна = Шарики\n", 320, 240, 1, "Шарики"},
                      СлучайНастроек{"размеры_окна = [0, 600]\n", 800, 600, 1, "Тест ZYR"},
                      СлучайНастроек{"размеры_окна = [640, -480]\n", 800, 600, 1, "Тест ZYR"}));

TEST_F(ЗапускДвижка, НеизвестныйКлючМолчаОшибочныйТипОднимПредупреждением) {
    test_support::записать_файл(рабочая / "другие.cfg",
                                "нет_такого_ключа = 5\nполный_экран = \"да\"\nразмеры_окна = [640, 480]\n");
    ASSERT_TRUE(запустить("другие.cfg"));
    EXPECT_EQ(окно::параметры_окна.ширина, 640);
    EXPECT_EQ(окно::параметры_окна.флаги, 0u);
    const auto текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Незагруженные переменные конфигурации zyr: [\"полный_экран\"]"), 1u) << текст;
    EXPECT_EQ(сколько_раз(текст, "Незагруженные переменные"), 1u) << текст;
}

TEST_F(ЗапускДвижка, ЗапуститьВизуализациюРисуетИЗакрываетОкно) {
    ASSERT_TRUE(запустить());
    // The standard handler would wait for Esc: a quit event ends the loop in the third pass.
    int обновлений = 0;
    zyr::менеджер->задать_функцию_обновления_сцены([&](float) {
        if (++обновлений == 2) {
            SDL_Event выход{};
            выход.type = SDL_QUIT;
            SDL_PushEvent(&выход);
        }
    });
    EXPECT_TRUE(zyr::запустить_визуализацию(-1));
    EXPECT_EQ(обновлений, 2);
    EXPECT_EQ(окно::параметры_окна.id_окна, 0u);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    const auto текст = журнал();
    EXPECT_NE(текст.find("Закончили рендерить 2 кадров"), std::string::npos) << текст;
    EXPECT_NE(текст.find("Окно закрыто пользователем"), std::string::npos) << текст;
}

}  // namespace
