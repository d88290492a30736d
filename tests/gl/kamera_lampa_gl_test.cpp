// Camera and lamps against a real pipeline: what the camera loads, and which light
// state a lamp sends on each draw, read back with glGetLightfv.
#include <gtest/gtest.h>

#include <array>

#include "kontekst_gl.hpp"
#include "zyr/camera.hpp"
#include "zyr/lamp.hpp"
#include "zyr/mesto.hpp"

namespace {

using zyr::camera::Камера;
using zyr::lamp::Лампа;
using zyr::matrix::Матрица4;
using zyr::mesto::Место;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

using Цвет = std::array<float, 4>;

void ожидать_равные(const std::array<float, 16>& a, const std::array<float, 16>& b) {
    for (std::size_t i = 0; i < 16; ++i) EXPECT_NEAR(a.at(i), b.at(i), 1e-5f) << "элемент " << i;
}

class КамераGL : public test_gl::КонтекстGL {};

TEST_F(КамераGL, ЗагружаетВидИЛишьЕгоПоворотДляФона) {
    auto место = std::make_shared<Место>("место камеры");
    место->задать_позицию(0, 0, 5);
    auto камера = std::make_shared<Камера>("камера");
    место->присоединить_объект(камера);
    glMatrixMode(GL_MODELVIEW);

    камера->установить_направление_камеры(true);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4().m);
    камера->установить_камеру(false);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -5, 0, 0, 0, 1).m);

    // A turned camera: the background gets the turn without the move.
    место->поворот(0.5f);
    камера->установить_камеру(true);
    const Матрица4 вид = камера->матрица_вида();
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), вид.m);
    камера->установить_направление_камеры(false);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4(вид.получить_матрицу_3x3()).m);
}

// A lamp on a node at (0, 10, 0) under an unmoved root, drawn from inside the tree
// as the renderer does, with an identity view.
class ЛампаGL : public test_gl::КонтекстGL {
protected:
    static constexpr Цвет МЕТКА{0.123f, 0.456f, 0.789f, 0.5f};

    void SetUp() override {
        КонтекстGL::SetUp();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        корень = std::make_shared<Место>("корень");
        место = корень->создать_ребёнка("место лампы", {0, 10, 0}, Кватернион::НОЛЬ, Вектор3::ЕДИНИЦА_МАСШТАБА);
        лампа = std::make_shared<Лампа>("лампа", 3);
        место->присоединить_объект(лампа);
    }

    // Overwrites the light state so that what the next draw sends shows in the read-back.
    static void пометить_всё() {
        for (GLenum параметр : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION}) glLightfv(GL_LIGHT3, параметр, МЕТКА.data());
    }

    static Цвет прочитать(GLenum параметр) { return свет(GL_LIGHT3, параметр); }

    std::shared_ptr<Место> корень;
    std::shared_ptr<Место> место;
    std::shared_ptr<Лампа> лампа;
};

TEST_F(ЛампаGL, ПервыйПроходОтправляетВсёДалееЛишьПозицию) {
    корень->рисовать(1);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    EXPECT_EQ(прочитать(GL_AMBIENT), (Цвет{0.2f, 0.2f, 0.2f, 1}));
    EXPECT_EQ(прочитать(GL_DIFFUSE), (Цвет{1, 1, 1, 1}));
    EXPECT_EQ(прочитать(GL_SPECULAR), (Цвет{1, 1, 1, 1}));
    // The world translation is taken through the node chain once more.
    EXPECT_EQ(прочитать(GL_POSITION), (Цвет{0, 20, 0, 1}));

    пометить_всё();
    место->задать_позицию(0, 7, 0);
    корень->рисовать(1);
    EXPECT_EQ(прочитать(GL_AMBIENT), МЕТКА);
    EXPECT_EQ(прочитать(GL_DIFFUSE), МЕТКА);
    EXPECT_EQ(прочитать(GL_SPECULAR), МЕТКА);
    EXPECT_EQ(прочитать(GL_POSITION), (Цвет{0, 14, 0, 1}));

    const Цвет красный{1, 0, 0, 1};
    лампа->задать_диффузный_свет(красный);
    пометить_всё();
    корень->рисовать(1);
    EXPECT_EQ(прочитать(GL_DIFFUSE), красный);
    EXPECT_EQ(прочитать(GL_AMBIENT), МЕТКА);
    EXPECT_EQ(прочитать(GL_SPECULAR), МЕТКА);

    пометить_всё();
    корень->рисовать(1);
    EXPECT_EQ(прочитать(GL_DIFFUSE), МЕТКА);
}

TEST_F(ЛампаGL, ВыключеннаяЛампаЛишьГаситСвет) {
    корень->рисовать(1);
    лампа->поменять_включенность();
    EXPECT_FALSE(лампа->включенность());
    const Цвет зелёный{0, 1, 0, 1};
    const Цвет синий{0, 0, 1, 1};
    лампа->задать_окружающий_свет(зелёный);
    пометить_всё();
    корень->рисовать(1);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    for (GLenum параметр : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION}) EXPECT_EQ(прочитать(параметр), МЕТКА);

    лампа->задать_бликовый_свет(синий);
    лампа->включенность(true);
    корень->рисовать(1);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    EXPECT_EQ(прочитать(GL_POSITION), (Цвет{0, 20, 0, 1}));
    EXPECT_EQ(прочитать(GL_AMBIENT), зелёный);
    EXPECT_EQ(прочитать(GL_SPECULAR), синий);
    EXPECT_EQ(прочитать(GL_DIFFUSE), МЕТКА);
}

TEST_F(ЛампаGL, ВторойПроходНеТрогаетСвет) {
    пометить_всё();
    корень->рисовать(2);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
    for (GLenum параметр : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION}) EXPECT_EQ(прочитать(параметр), МЕТКА);
}

TEST_F(ЛампаGL, ЛампаСНомеромВнеТаблицыНичегоНеРисует) {
    for (std::int32_t номер : {8, -1, 1000}) {
        auto чужая = std::make_shared<Лампа>("чужая", номер);
        место->присоединить_объект(чужая);
        место->отсоединить_объект(лампа);
        пометить_всё();
        корень->рисовать(1);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << номер;
        for (GLenum свет_ : {GL_LIGHT0, GL_LIGHT7}) EXPECT_FALSE(glIsEnabled(свет_)) << номер;
        EXPECT_EQ(прочитать(GL_POSITION), МЕТКА);
        место->отсоединить_объект(чужая);
    }
}

}  // namespace
