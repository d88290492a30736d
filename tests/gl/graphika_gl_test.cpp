// The thin OpenGL layer: each wrapper leaves the pipeline in the state its call sets,
// read back from a real context.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "kontekst_gl.hpp"
#include "zyr/matrix.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace {

using namespace zyr::zavisimost::graphika_gl;
using zyr::matrix::Матрица4;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

class ГрафикаGL : public test_gl::КонтекстGL {};

void ожидать_равные(const std::array<float, 16>& a, const std::array<float, 16>& b) {
    for (std::size_t i = 0; i < 16; ++i) EXPECT_NEAR(a.at(i), b.at(i), 1e-5f) << "элемент " << i;
}

TEST_F(ГрафикаGL, МатрицыИдутКакХранятсяИСтекВосстанавливается) {
    Матрица4 сдвиг;
    сдвиг.матрица_преобразований({1, 2, 3}, {2, 2, 2}, Кватернион(0.5f, Вектор3::ЕДИНИЦА_Y));
    Матрица4 второй;
    второй.матрица_преобразований({-4, 0, 1}, Вектор3::ЕДИНИЦА_МАСШТАБА, Кватернион::НОЛЬ);

    glMatrixMode(GL_MODELVIEW);
    gl_загрузить_матрицу(сдвиг.m);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), сдвиг.m);

    gl_сохранить_матрицу();
    gl_перемножить_матрицы(второй.m);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), (сдвиг * второй).m);
    gl_восстановить_матрицу();
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), сдвиг.m);
}

TEST_F(ГрафикаGL, ЛампыВключаютсяИПолучаютСветИПозицию) {
    for (std::uint64_t номер = 0; номер < GL_ЛАМПЫ.size(); ++номер) {
        EXPECT_EQ(GL_ЛАМПЫ[номер], GL_LIGHT0 + номер);
        gl_включить_лампу(номер);
        EXPECT_TRUE(glIsEnabled(GL_ЛАМПЫ[номер]));
        gl_выключить_лампу(номер);
        EXPECT_FALSE(glIsEnabled(GL_ЛАМПЫ[номер]));
    }

    const std::array<float, 4> цвет{0.25f, 0.5f, 0.75f, 1.0f};
    gl_изменить_свет(5, GL_DIFFUSE, цвет);
    EXPECT_EQ(свет(GL_LIGHT5, GL_DIFFUSE), цвет);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const std::array<float, 4> позиция{1, 2, 3, 1};
    gl_задать_позицию_лампы(2, позиция);
    EXPECT_EQ(свет(GL_LIGHT2, GL_POSITION), позиция);
}

TEST_F(ГрафикаGL, НомерЛампыВнеТаблицыНеТрогаетКонвейер) {
    const auto до = свет(GL_LIGHT7, GL_AMBIENT);
    const std::array<float, 4> цвет{0.9f, 0.9f, 0.9f, 1.0f};
    for (std::uint64_t номер : {std::uint64_t{8}, std::uint64_t{1000}, static_cast<std::uint64_t>(-1)}) {
        EXPECT_FALSE(номер_лампы_допустим(номер));
        gl_включить_лампу(номер);
        gl_выключить_лампу(номер);
        gl_изменить_свет(номер, GL_AMBIENT, цвет);
        gl_задать_позицию_лампы(номер, цвет);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(свет(GL_LIGHT7, GL_AMBIENT), до);
}

TEST_F(ГрафикаGL, МатериалИВозможности) {
    const std::array<float, 4> окружающий{0.1f, 0.2f, 0.3f, 1.0f};
    const std::array<float, 4> диффузный{0.4f, 0.5f, 0.6f, 0.5f};
    const std::array<float, 4> бликовый{0.7f, 0.8f, 0.9f, 1.0f};
    gl_задать_окружающий_материал(окружающий);
    gl_задать_диффузный_материал(диффузный);
    gl_задать_бликовый_материал(бликовый);
    gl_задать_степень_блика(32.0f);
    std::array<float, 4> прочитано{};
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, прочитано.data());
    EXPECT_EQ(прочитано, окружающий);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, прочитано.data());
    EXPECT_EQ(прочитано, диффузный);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, прочитано.data());
    EXPECT_EQ(прочитано, бликовый);
    float степень = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &степень);
    EXPECT_EQ(степень, 32.0f);

    gl_включить(GL_BLEND);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    gl_выключить(GL_BLEND);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    GLuint текстура = 0;
    glGenTextures(1, &текстура);
    glBindTexture(GL_TEXTURE_2D, текстура);
    gl_отключить_текстуры();
    GLint привязана = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &привязана);
    EXPECT_EQ(привязана, 0);
    glDeleteTextures(1, &текстура);
}

TEST_F(ГрафикаGL, ИнфопанельРисуетсяВЕдиничномКвадрате) {
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    gl_подготовить_рисование_инфопанели(4, 6, 40, 30);

    std::array<GLint, 4> окно_вида{};
    glGetIntegerv(GL_VIEWPORT, окно_вида.data());
    EXPECT_EQ(окно_вида, (std::array<GLint, 4>{4, 6, 40, 30}));
    // glOrtho(0, 1, 0, 1, -1, 1): x' = 2x - 1, y' = 2y - 1, z' = -z.
    ожидать_равные(матрица(GL_PROJECTION_MATRIX), Матрица4(2, 0, 0, -1, 0, 2, 0, -1, 0, 0, -1, 0, 0, 0, 0, 1).m);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4().m);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    std::array<GLint, 2> режим{};
    glGetIntegerv(GL_POLYGON_MODE, режим.data());
    EXPECT_EQ(режим, (std::array<GLint, 2>{GL_FILL, GL_FILL}));
    GLint источник = 0, приёмник = 0;
    glGetIntegerv(GL_BLEND_SRC, &источник);
    glGetIntegerv(GL_BLEND_DST, &приёмник);
    EXPECT_EQ(источник, GL_SRC_ALPHA);
    EXPECT_EQ(приёмник, GL_ONE_MINUS_SRC_ALPHA);

    gl_подготовить_рисование_элемента_инфопанели(0.25f, 0.5f, 0.5f, 0.25f);
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4(0.5f, 0, 0, 0.25f, 0, 0.25f, 0, 0.5f, 0, 0, 1, 0, 0, 0, 0, 1).m);
    gl_восстановить_матрицу();
    ожидать_равные(матрица(GL_MODELVIEW_MATRIX), Матрица4().m);
}

// One white triangle over the left half of a black window, drawn from either kind of buffer.
class РисованиеБуферов : public test_gl::КонтекстGL {
protected:
    void SetUp() override {
        КонтекстGL::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 1, 0, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glColor3f(1, 1, 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    void TearDown() override {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        КонтекстGL::TearDown();
    }

    void ожидать_треугольник() {
        EXPECT_EQ(пиксель(ШИРИНА / 8, ВЫСОТА / 2)[0], 255);
        EXPECT_EQ(пиксель(ШИРИНА * 7 / 8, ВЫСОТА / 2)[0], 0);
    }

    static constexpr std::array<std::uint16_t, 3> индексы{0, 1, 2};
};

TEST_F(РисованиеБуферов, ЧередующийсяБуферРисуетТреугольники) {
    // Per vertex: s, t, normal x, y, z, position x, y, z.
    const std::array<float, 24> буфер{0, 0, 0, 0, 1, 0,   0,    0,  //
                                      0, 0, 0, 0, 1, 0.6f, 0.5f, 0,  //
                                      0, 0, 0, 0, 1, 0,   1,    0};
    gl_рисовать_чередующийся_буфер(1, буфер.data(), индексы.data());
    ожидать_треугольник();
}

TEST_F(РисованиеБуферов, ОтдельныеБуферыРисуютТреугольники) {
    const std::array<float, 9> вершины{0, 0, 0, 0.6f, 0.5f, 0, 0, 1, 0};
    const std::array<float, 9> нормали{0, 0, 1, 0, 0, 1, 0, 0, 1};
    const std::array<float, 6> текстурные{0, 0, 0, 0, 0, 0};
    gl_рисовать_отдельные_буферы(1, вершины.data(), нормали.data(), текстурные.data(), индексы.data());
    ожидать_треугольник();
}

}  // namespace
