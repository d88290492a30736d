// Materials and objects against a real pipeline: the material state a draw sends,
// read back with glGetMaterialfv, and the pixels an object leaves in each pass.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

#include "kontekst_gl.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"
#include "zyr/texture.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using zyr::material::Материал;
using zyr::material::Цвет;
using zyr::mesh::Меш;
using zyr::zyr_object::Объект;

class ОтмечающаяТекстура : public zyr::texture::Текстура {
public:
    void загрузить_из_файла(const std::string&) override {}
    void рисовать() override { ++привязок; }
    int привязок = 0;
};

class МатериалGL : public test_gl::КонтекстGL {
protected:
    static Цвет материал(GLenum параметр) {
        Цвет c{};
        glGetMaterialfv(GL_FRONT, параметр, c.data());
        return c;
    }
    static GLint привязанная_текстура() {
        GLint имя = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &имя);
        return имя;
    }
};

TEST_F(МатериалGL, НовыйМатериалОтправляетУмолчанияИОтвязываетТекстуру) {
    GLuint текстура = 0;
    glGenTextures(1, &текстура);
    glBindTexture(GL_TEXTURE_2D, текстура);

    Материал().рисовать();
    EXPECT_EQ(материал(GL_AMBIENT), (Цвет{0.1f, 0.1f, 0.1f, 1}));
    EXPECT_EQ(материал(GL_SPECULAR), (Цвет{0, 0, 0, 1}));
    EXPECT_EQ(материал(GL_DIFFUSE), (Цвет{0.7f, 0.7f, 0.7f, 1}));
    EXPECT_EQ(материал(GL_SHININESS)[0], 5.0f);
    EXPECT_EQ(привязанная_текстура(), 0);
    glDeleteTextures(1, &текстура);
}

TEST_F(МатериалGL, ТекстурыПривязываютсяСамиАБликоваяОставляетБликНетронутым) {
    const Цвет метка{0.25f, 0.5f, 0.75f, 1};
    glMaterialfv(GL_FRONT, GL_SPECULAR, метка.data());

    Материал м;
    auto диффузная = std::make_shared<ОтмечающаяТекстура>();
    auto бликовая = std::make_shared<ОтмечающаяТекстура>();
    м.задать_диффузную_текстуру(диффузная);
    м.задать_бликовую_текстуру(бликовая);
    м.задать_бликовый_цвет({1, 1, 1, 1});
    м.рисовать();
    EXPECT_EQ(материал(GL_SPECULAR), метка);
    EXPECT_EQ(диффузная->привязок, 1);
    EXPECT_EQ(бликовая->привязок, 0);

    м.задать_бликовую_текстуру(nullptr);
    м.рисовать();
    EXPECT_EQ(материал(GL_SPECULAR), (Цвет{1, 1, 1, 1}));
}

struct СлучайПрохода {
    bool прозрачный;
    std::uint32_t проход;
    bool рисует;
};

void PrintTo(const СлучайПрохода& с, std::ostream* поток) {
    *поток << (с.прозрачный ? "прозрачный" : "непрозрачный") << ", проход " << с.проход;
}

// A square over the whole viewport facing a white lamp straight on, with no
// ambient light, so a drawn pixel shows the diffuse colour.
class ОбъектGL : public test_gl::КонтекстGL, public testing::WithParamInterface<СлучайПрохода> {
protected:
    void SetUp() override {
        КонтекстGL::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const Цвет без_света{0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, без_света.data());
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    static std::shared_ptr<Меш> квадрат() {
        const std::vector<float> позиции{-1, -1, 0, 1, -1, 0, -1, 1, 0, 1, 1, 0};
        const std::vector<float> координаты{0, 0, 1, 0, 0, 1, 1, 1};
        const std::vector<float> нормали{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
        const std::vector<std::uint16_t> индексы{0, 1, 2, 2, 1, 3};
        return std::make_shared<Меш>(позиции, координаты, нормали, индексы, false);
    }
};

TEST_P(ОбъектGL, БезМатериалаРисуетСерымЛишьВСвоёмПроходе) {
    const auto& с = GetParam();
    Объект объект("квадрат", квадрат(), nullptr);
    if (с.прозрачный) {
        auto прозрачный = std::make_shared<Материал>();
        прозрачный->задать_присутствие_прозрачности(true);
        объект.новый_материал(прозрачный);
    }
    объект.рисовать(с.проход);
    const auto p = пиксель(ШИРИНА / 2, ВЫСОТА / 2);
    const int ожидаемый = с.рисует ? 178 : 0;  // 0.7 of 255
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], ожидаемый, 2) << "канал " << i;
}

INSTANTIATE_TEST_SUITE_P(Случаи, ОбъектGL,
                         testing::Values(СлучайПрохода{false, 1, true}, СлучайПрохода{false, 2, false},
                                         СлучайПрохода{true, 1, false}, СлучайПрохода{true, 2, true}));

}  // namespace
