// The engine manager and its OpenGL renderer in a real window: the initial
// pipeline state, the frustum, the mouse set-up of installed handlers, the
// frame loop's counts, the background colour's one-frame delay and the lighting
// of scaled nodes.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "my_utils/journal.hpp"
#include "kontekst_gl.hpp"
#include "support/support.hpp"
#include "tools/generator/holst.hpp"
#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/lamp.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/okno.hpp"
#include "zyr/vis.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"
#include "zyr/zyr_manager.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using zyr::zyr_manager::ZYRМенеджер;
namespace окно = zyr::zavisimost::okno_SDL2;
namespace события = zyr::zavisimost::sobytija_SDL2;

// Answers false for `до_остановки` event passes, then true.
class ОстановкаНаПроходе : public события::СтандартныйОбработчикСобытий {
public:
    int до_остановки = 0;
    int проходов = 0;
    bool обработка() override {
        ++проходов;
        return проходов > до_остановки;
    }
};

class МенеджерВОкне : public ::testing::Test, public test_gl::ЧтениеGL {
protected:
    void SetUp() override {
        my_utils::journal::инициализация_журнала(файл_журнала.string(), my_utils::journal::УровниЖурнала::Отладка, {});
        zyr::types::ПараметрыОкна п;
        п.ширина = 800;
        п.высота = 600;
        п.имя = "менеджер";
        ASSERT_TRUE(окно::инициализация_окна_SDL_GL(п));
        менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    }

    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        менеджер.reset();
        zyr::okno::закрыть_окно();
        my_utils::journal::завершить_журнал();
    }

    std::string журнал() {
        my_utils::journal::завершить_журнал();
        return test_support::прочитать_файл(файл_журнала);
    }

    // The frustum's projection matrix for (−a, a, −1, 1, n, f).
    static void проверить_проекцию(float a, float n, float f) {
        const auto m = матрица(GL_PROJECTION_MATRIX);
        EXPECT_NEAR(m[0], n / a, 1e-5f);
        EXPECT_NEAR(m[5], n, 1e-5f);
        EXPECT_NEAR(m[10], -(f + n) / (f - n), 1e-5f);
        EXPECT_NEAR(m[11], -1.0f, 1e-6f);
        EXPECT_NEAR(m[14], -2.0f * f * n / (f - n), 1e-4f);
        EXPECT_EQ(m[8], 0.0f);
        EXPECT_EQ(m[9], 0.0f);
        EXPECT_EQ(m[15], 0.0f);
    }

    test_support::ВременнаяПапка папка;
    test_support::ВременнаяПапка ресурсы;
    std::filesystem::path файл_журнала = папка / "журнал.log";
    zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена{nullptr};
    std::shared_ptr<ZYRМенеджер> менеджер;
};

TEST_F(МенеджерВОкне, СозданиеЗадаётНачальноеСостояниеИПроекцию800на600) {
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint модель = 0;
    glGetIntegerv(GL_SHADE_MODEL, &модель);
    EXPECT_EQ(модель, GL_SMOOTH);
    GLint подсказка = 0;
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &подсказка);
    EXPECT_EQ(подсказка, GL_FASTEST);
    std::array<GLint, 4> область{};
    glGetIntegerv(GL_VIEWPORT, область.data());
    EXPECT_EQ(область, (std::array<GLint, 4>{0, 0, 800, 600}));

    // The renderer is made before the camera: 2 and 100 stand in for its distances.
    EXPECT_NEAR(менеджер->визуализатор().соотношение_сторон(), 1.33333f, 1e-5f);
    проверить_проекцию(800.0f / 600.0f, 2.0f, 100.0f);

    менеджер->камера()->ближнее_отсечение(4.0f);
    менеджер->камера()->дальнее_отсечение(250.0f);
    менеджер->визуализатор().поверхность_изменилась();
    проверить_проекцию(800.0f / 600.0f, 4.0f, 250.0f);
    EXPECT_EQ(матрица(GL_MODELVIEW_MATRIX), (std::array<float, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

TEST_F(МенеджерВОкне, УстановкаОбработчикаЗахватываетИОтпускаетМышь) {
    // A fresh manager installs the standard handler on the first pass: mouse free.
    SDL_SetRelativeMouseMode(SDL_TRUE);
    SDL_ShowCursor(0);
    EXPECT_FALSE(менеджер->обработка_событий());
    EXPECT_NE(std::dynamic_pointer_cast<события::СтандартныйОбработчикСобытий>(менеджер->обработчик_событий()),
              nullptr);
    EXPECT_EQ(SDL_ShowCursor(-1), 1);
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    EXPECT_FALSE(SDL_GetWindowGrab(окно::SDL_получить_окно()));

    менеджер->задать_обработчик_событий(события::создать<события::ОбработчикСобытийСДвижением>(""));
    EXPECT_EQ(SDL_ShowCursor(-1), 0);
    EXPECT_TRUE(SDL_GetRelativeMouseMode());

    менеджер->задать_обработчик_событий(события::создать<события::СтандартныйОбработчикСобытий>());
    EXPECT_EQ(SDL_ShowCursor(-1), 1);
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    EXPECT_FALSE(SDL_GetWindowGrab(окно::SDL_получить_окно()));
}

struct СлучайЦикла {
    std::int64_t кадров;
    int до_остановки;
    int нарисовано;
    int проходов;  // event passes

    friend void PrintTo(const СлучайЦикла& с, std::ostream* поток) {
        *поток << "кадров " << с.кадров << ", стоп после " << с.до_остановки << " проходов";
    }
};

class ЦиклКадров : public МенеджерВОкне, public ::testing::WithParamInterface<СлучайЦикла> {};

TEST_P(ЦиклКадров, СчитаетНарисованныеКадрыБезКадраОстановки) {
    const auto [кадров, до_остановки, нарисовано, проходов] = GetParam();
    auto обработчик = события::создать<ОстановкаНаПроходе>();
    обработчик->до_остановки = до_остановки;
    менеджер->задать_обработчик_событий(обработчик);
    int обновлений = 0;
    менеджер->задать_функцию_обновления_сцены([&](float) { ++обновлений; });

    менеджер->визуализатор().визуализация(кадров);

    EXPECT_EQ(обновлений, нарисовано);
    EXPECT_EQ(обработчик->проходов, проходов);
    const auto текст = журнал();
    EXPECT_NE(текст.find("Закончили рендерить " + std::to_string(нарисовано) + " кадров"), std::string::npos) << текст;
}

INSTANTIATE_TEST_SUITE_P(Кадры, ЦиклКадров,
                         ::testing::Values(СлучайЦикла{0, 100, 0, 0}, СлучайЦикла{3, 100, 3, 3},
                                           СлучайЦикла{-1, 4, 4, 5}, СлучайЦикла{10, 0, 0, 1},
                                           СлучайЦикла{3, 3, 3, 3}));

TEST_F(МенеджерВОкне, ЦветФонаВиденСоСледующегоКадра) {
    const std::array<float, 4> синий{0.0f, 0.0f, 1.0f, 1.0f};
    менеджер->визуализатор().задать_цвет_фона(синий);
    менеджер->визуализатор().поверхность_изменилась();
    менеджер->визуализатор().отрисовка_кадра();
    EXPECT_EQ(пиксель(5, 5), (std::array<unsigned char, 4>{0, 0, 0, 255}));
    менеджер->визуализатор().поверхность_изменилась();
    менеджер->визуализатор().отрисовка_кадра();
    EXPECT_EQ(пиксель(5, 5), (std::array<unsigned char, 4>{0, 0, 255, 255}));
    // The frame leaves the client arrays off.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

// Two panels overlap in the middle of the window: the one whose name sorts
// later is drawn later, so it shows there.
TEST_F(МенеджерВОкне, ПанелиРисуютсяПоПорядкуИмёнПоверхСцены) {
    for (const auto& [картинка, цвет] : {std::pair{"красная", generator::Цвет{1, 0, 0, 1}},
                                          std::pair{"зелёная", generator::Цвет{0, 1, 0, 1}}}) {
        generator::Холст(8, 8, цвет).сохранить_png((ресурсы / (std::string(картинка) + ".png")).string(), false);
    }
    test_support::записать_файл(ресурсы / "бета.ip", R"({"имя": "бета", "координаты": [300.0, 200.0, 300.0, 200.0],
        "элементы": [{"имя": "фон", "координаты": [0.0, 0.0, 1.0, 1.0], "текстура": "зелёная"}]})");
    test_support::записать_файл(ресурсы / "альфа.ip", R"({"имя": "альфа", "координаты": [100.0, 100.0, 300.0, 200.0],
        "элементы": [{"имя": "фон", "координаты": [0.0, 0.0, 1.0, 1.0], "текстура": "красная"}]})");
    менеджер = ZYRМенеджер::создать({ресурсы.путь().string()});
    const auto бета = менеджер->получить_инфопанель("бета");
    const auto альфа = менеджер->получить_инфопанель("альфа");
    ASSERT_NE(бета, nullptr);
    ASSERT_NE(альфа, nullptr);
    EXPECT_EQ(менеджер->получить_инфопанель("бета"), бета);

    менеджер->добавить_инфопанель(бета);
    менеджер->добавить_инфопанель(альфа);
    менеджер->визуализатор().поверхность_изменилась();
    менеджер->визуализатор().отрисовка_кадра();
    EXPECT_EQ(пиксель(150, 150), (std::array<unsigned char, 4>{255, 0, 0, 255}));
    EXPECT_EQ(пиксель(350, 250), (std::array<unsigned char, 4>{0, 255, 0, 255}));
    EXPECT_EQ(пиксель(550, 350), (std::array<unsigned char, 4>{0, 255, 0, 255}));
    EXPECT_EQ(пиксель(50, 50), (std::array<unsigned char, 4>{0, 0, 0, 255}));

    менеджер->удалить_инфопанель("бета");
    менеджер->визуализатор().поверхность_изменилась();
    менеджер->визуализатор().отрисовка_кадра();
    EXPECT_EQ(пиксель(350, 250), (std::array<unsigned char, 4>{255, 0, 0, 255}));
    EXPECT_EQ(пиксель(550, 350), (std::array<unsigned char, 4>{0, 0, 0, 255}));
}

// The fixed-function pipeline scales normals with the model-view matrix: without
// renormalising, a sphere on a node scaled by 6 comes out a sixth as bright.
TEST_F(МенеджерВОкне, ШарНаМасштабированномУзлеОсвещёнКакБезМасштаба) {
    // The root draws its own objects before its children: the lamp is set before the sphere.
    менеджер->начальное_место()->присоединить_объект(std::make_shared<zyr::lamp::Лампа>("лампа", 0));
    менеджер->камера()->обновить_матрицу();
    const auto меш = std::make_shared<zyr::mesh::Меш>(IGRA_BINARY_DIR "/game/ресурсы/шарик.me", false);
    auto центр_шара = [&](float масштаб) {
        const auto место = менеджер->начальное_место()->создать_ребёнка(
            "шар", {0.0f, 0.0f, -30.0f}, zyr::quaternion::Кватернион::НОЛЬ, zyr::vector::Вектор3(масштаб));
        место->присоединить_объект(std::make_shared<zyr::zyr_object::Объект>("шар", меш, nullptr));
        менеджер->визуализатор().поверхность_изменилась();
        менеджер->визуализатор().отрисовка_кадра();
        менеджер->начальное_место()->удалить_ребёнка("шар");
        return пиксель(400, 300);
    };
    const auto без_масштаба = центр_шара(1.0f);
    const auto в_шесть_раз = центр_шара(6.0f);
    EXPECT_GT(без_масштаба[0], 150);
    for (int канал = 0; канал < 3; ++канал) EXPECT_NEAR(в_шесть_раз[канал], без_масштаба[канал], 2) << канал;
}

}  // namespace
