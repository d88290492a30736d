// The engine manager made without a window, as tests of the game's logic make
// it: its scene roots and camera, its registries over chosen resource
// directories, the lazily installed handler and the measured scene-update time.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <chrono>
#include <cmath>
#include <tuple>
#include <thread>
#include <vector>

#include "support/support.hpp"
#include "tools/pisatel.hpp"
#include "zhurnal_v_teste.hpp"
#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr_object.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using zyr::zyr_manager::ZYRМенеджер;
using zyr::zyr_manager::Часы;
namespace события = zyr::zavisimost::sobytija_SDL2;
namespace источник = zyr::istochnik_resursov;

class МенеджерБезОкна : public ::testing::Test {
protected:
    // The manager installs itself as the resource source; the guard puts the previous one back.
    источник::ЗаменаИсточникаРесурсов замена{nullptr};
    test_support::ВременнаяПапка ресурсы;
    test_support::ВременнаяПапка ещё_ресурсы;
};

TEST_F(МенеджерБезОкна, СтроитКорниКамеруИСтановитсяИсточникомРесурсов) {
    std::shared_ptr<ZYRМенеджер> менеджер;
    const auto журнал = test_zhurnal::журнал_во_время(
        [&] { менеджер = ZYRМенеджер::создать({ресурсы.путь().string()}); }, my_utils::journal::УровниЖурнала::Отладка);

    EXPECT_EQ(менеджер->начальное_место()->получить_имя(), "Начальное место");
    EXPECT_EQ(менеджер->место_фона()->получить_имя(), "Место фона");
    const auto& место_камеры = менеджер->место_камеры();
    EXPECT_EQ(место_камеры->получить_имя(), "Место камеры");
    EXPECT_EQ(место_камеры->получить_позицию(), (zyr::vector::Вектор3{0.0f, 0.0f, 5.0f}));
    const auto ориентация = место_камеры->получить_ориентацию();
    EXPECT_EQ(std::tie(ориентация.w, ориентация.x, ориентация.y, ориентация.z), std::make_tuple(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(место_камеры->получить_родителя(), nullptr);
    EXPECT_EQ(менеджер->начальное_место()->количество_детей(), 0);
    ASSERT_NE(менеджер->камера(), nullptr);
    EXPECT_EQ(менеджер->камера()->получить_имя(), "Камера по-умолчанию");
    EXPECT_EQ(место_камеры->получить_объект("Камера по-умолчанию"), менеджер->камера());
    EXPECT_EQ(менеджер->камера()->родитель(), место_камеры);
    EXPECT_TRUE(менеджер->обработка_событий_отсутствует());
    EXPECT_EQ(источник::источник_ресурсов(), менеджер);

    const auto визуализатор = журнал.find("Сейчас будем создавать визуализатор");
    const auto место = журнал.find(место_камеры->toString());
    ASSERT_NE(визуализатор, std::string::npos) << журнал;
    ASSERT_NE(место, std::string::npos) << журнал;
    EXPECT_LT(визуализатор, место);
}

TEST_F(МенеджерБезОкна, ГеттерыИщутВВыбранныхКаталогахПозднийЗаменяетРанний) {
    pisatel::записать(ресурсы / "полоса.me", pisatel::меш_версии_1(pisatel::полоса_квадратов(1)));
    pisatel::записать(ещё_ресурсы / "полоса.me", pisatel::меш_версии_1(pisatel::полоса_квадратов(3)));
    pisatel::записать(ресурсы / "одна.me", pisatel::меш_версии_1(pisatel::полоса_квадратов(2)));
    pisatel::записать(ресурсы / "кость.sk",
                      pisatel::скелет({pisatel::КостьФайла{"корень", -1, {0, 0, 0}, {0, 1, 0}, {1, 0, 0, 0}}}, {}));

    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string(), ещё_ресурсы.путь().string()});
    std::shared_ptr<zyr::mesh::Меш> полоса;
    std::shared_ptr<zyr::mesh::Меш> нет;
    const auto журнал = test_zhurnal::журнал_во_время([&] {
        полоса = менеджер->получить_меш("полоса");
        нет = менеджер->получить_меш("нет_такого");
    });

    ASSERT_NE(полоса, nullptr);
    EXPECT_EQ(полоса->количество_граней(), 6);
    EXPECT_EQ(менеджер->получить_меш("полоса"), полоса);
    ASSERT_NE(менеджер->получить_меш("одна"), nullptr);
    EXPECT_EQ(менеджер->получить_меш("одна")->количество_граней(), 4);
    EXPECT_NE(менеджер->получить_скелет("кость"), nullptr);
    EXPECT_EQ(нет, nullptr);
    EXPECT_NE(журнал.find("Отсутствует файл меша нет_такого"), std::string::npos) << журнал;
    // The same registries serve the modules that fetch through the current source.
    EXPECT_EQ(источник::источник_ресурсов()->получить_меш("полоса"), полоса);
}

TEST_F(МенеджерБезОкна, ОбъектыСтроятсяИзМешейЭтогоЖеМенеджера) {
    pisatel::записать(ресурсы / "полоса.me", pisatel::меш_версии_1(pisatel::полоса_квадратов(2)));
    test_support::записать_файл(ресурсы / "лента.ob",
                                R"({"имя": "лента", "меш": {"имя": "полоса"},
                                    "материал": {"диффузный_цвет": [1, 0, 0, 1]}})");
    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});

    const auto первый = менеджер->получить_объект("лента");
    const auto второй = менеджер->получить_объект("лента");
    ASSERT_NE(первый, nullptr);
    ASSERT_NE(второй, nullptr);
    EXPECT_NE(первый->получить_имя(), второй->получить_имя());
    EXPECT_EQ(первый->получить_меш(), менеджер->получить_меш("полоса"));
    EXPECT_EQ(второй->получить_материал(), первый->получить_материал());
    EXPECT_EQ(менеджер->получить_объект("нет_такого"), nullptr);
}

TEST_F(МенеджерБезОкна, ПанелиНаЭкранеПоИмени) {
    using zyr::infopanel::Инфопанель;
    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    const auto первая = std::make_shared<Инфопанель>("меню", *менеджер);
    const auto вторая = std::make_shared<Инфопанель>("меню", *менеджер);
    const auto счёт = std::make_shared<Инфопанель>("счёт", *менеджер);

    менеджер->добавить_инфопанель(первая);
    менеджер->добавить_инфопанель(счёт);
    менеджер->добавить_инфопанель(вторая);
    ASSERT_EQ(менеджер->инфопанели().size(), 2u);
    EXPECT_EQ(менеджер->инфопанели().at("меню"), вторая);

    // A panel never added, but of the name of one on screen, removes that one.
    менеджер->удалить_инфопанель(первая);
    EXPECT_EQ(менеджер->инфопанели().count("меню"), 0u);
    менеджер->удалить_инфопанель("нет_такой");
    менеджер->удалить_инфопанель(std::make_shared<Инфопанель>("тоже_нет", *менеджер));
    EXPECT_EQ(менеджер->инфопанели().size(), 1u);
    менеджер->удалить_инфопанель("счёт");
    EXPECT_TRUE(менеджер->инфопанели().empty());

    менеджер->добавить_инфопанель(первая);
    менеджер->добавить_инфопанель(счёт);
    менеджер->удалить_все_инфопанели();
    EXPECT_TRUE(менеджер->инфопанели().empty());
}

TEST_F(МенеджерБезОкна, СтандартныйОбработчикСтавитсяЛенивоИНеЗаменяетЗаданный) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    EXPECT_FALSE(менеджер->обработка_событий());
    EXPECT_FALSE(менеджер->обработка_событий_отсутствует());
    const auto стандартный = менеджер->обработчик_событий();
    EXPECT_NE(std::dynamic_pointer_cast<события::СтандартныйОбработчикСобытий>(стандартный), nullptr);
    EXPECT_FALSE(менеджер->обработка_событий());
    EXPECT_EQ(менеджер->обработчик_событий(), стандартный);

    // The installed handler answers: the release of Esc ends the loop for the standard one only.
    SDL_Event событие{};
    событие.type = SDL_KEYUP;
    событие.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&событие), 1);
    EXPECT_TRUE(менеджер->обработка_событий());

    const auto минимальный = события::создать<события::МинимальныйОбработчикСобытий>();
    менеджер->задать_обработчик_событий(минимальный);
    ASSERT_EQ(SDL_PushEvent(&событие), 1);
    EXPECT_FALSE(менеджер->обработка_событий());
    EXPECT_EQ(менеджер->обработчик_событий(), минимальный);
    SDL_Quit();
}

TEST(МикросекундыМежду, ЦелыеМикросекундыОтбрасываяДоли) {
    const Часы::time_point начало{std::chrono::seconds(7)};
    struct Случай {
        std::chrono::nanoseconds прошло;
        std::int64_t микросекунд;
    };
    for (const auto& [прошло, микросекунд] : {Случай{std::chrono::nanoseconds(16'667'000), 16'667},
                                              Случай{std::chrono::nanoseconds(16'667'999), 16'667},
                                              Случай{std::chrono::nanoseconds(999), 0},
                                              Случай{std::chrono::nanoseconds(2'500'000'999), 2'500'000},
                                              Случай{std::chrono::nanoseconds(0), 0}}) {
        EXPECT_EQ(zyr::zyr_manager::микросекунды_между(начало, начало + прошло), микросекунд) << прошло.count();
    }
}

TEST_F(МенеджерБезОкна, ФункцияОбновленияПолучаетИзмеренныеСекунды) {
    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    // Without a function the update only takes the time.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto до_первого = Часы::now();
    менеджер->обновить_сцену();
    const auto после_первого = Часы::now();

    std::vector<float> переданные;
    менеджер->задать_функцию_обновления_сцены([&](float dt) { переданные.push_back(dt); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto до_второго = Часы::now();
    менеджер->обновить_сцену();
    const auto после_второго = Часы::now();

    ASSERT_EQ(переданные.size(), 1u);
    const float наименьшее = static_cast<float>(zyr::zyr_manager::микросекунды_между(после_первого, до_второго)) / 1e6f;
    const float наибольшее = static_cast<float>(zyr::zyr_manager::микросекунды_между(до_первого, после_второго)) / 1e6f;
    EXPECT_GE(переданные[0], 0.02f);
    EXPECT_GE(переданные[0], наименьшее);
    // The 30 ms before the first update are not counted again.
    EXPECT_LE(переданные[0], наибольшее);
    const float микросекунд = переданные[0] * 1e6f;
    EXPECT_NEAR(микросекунд, std::round(микросекунд), 0.01f);

    // A replaced function gets the next update, timed from the update before it
    // (not from the first: that would add the 20 ms slept above).
    float второй = -1.0f;
    менеджер->задать_функцию_обновления_сцены([&](float dt) { второй = dt; });
    менеджер->обновить_сцену();
    const auto после_третьего = Часы::now();
    EXPECT_EQ(переданные.size(), 1u);
    EXPECT_GE(второй, 0.0f);
    EXPECT_LE(второй, static_cast<float>(zyr::zyr_manager::микросекунды_между(до_второго, после_третьего)) / 1e6f);
}

// The moving handler with the test's own keyboard: Up held.
class ВпередНаПроверке : public события::ОбработчикСобытийСДвижением {
protected:
    ВпередНаПроверке() : ОбработчикСобытийСДвижением("") {}
    bool клавиша_нажата(SDL_Scancode клавиша) const override { return клавиша == SDL_SCANCODE_UP; }
    void относительное_движение_мыши(int& x, int& y) override { x = y = 0; }
};

TEST_F(МенеджерБезОкна, ДвижущийсяОбработчикДвигаетМестоКамерыМенеджера) {
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    const auto менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    const auto обработчик = события::создать<ВпередНаПроверке>();
    менеджер->задать_обработчик_событий(обработчик);
    SDL_Event событие{};
    событие.type = SDL_KEYDOWN;
    событие.key.keysym.sym = SDLK_UP;
    ASSERT_EQ(SDL_PushEvent(&событие), 1);
    EXPECT_FALSE(менеджер->обработка_событий());

    обработчик->события_в_обновлении_сцены(*менеджер, 0.5f);
    const auto позиция = менеджер->место_камеры()->получить_позицию();
    EXPECT_FLOAT_EQ(позиция.z, 4.5f);
    EXPECT_FLOAT_EQ(позиция.x, 0.0f);
    SDL_Quit();
}

}  // namespace
