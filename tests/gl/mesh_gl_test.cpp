// Meshes drawn from client-side arrays into a real context: both vertex layouts
// and a skinned mesh after its vertices moved, read back as pixels.
#include <gtest/gtest.h>

#include "kontekst_gl.hpp"
#include "support/support.hpp"
#include "tools/pisatel.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"

namespace {

using zyr::mesh::Меш;
using zyr::mesh::МешСоСкелетом;

// A quad over the left half of clip space (x from -1 to 0).
pisatel::ДанныеМеша левая_половина() {
    pisatel::ДанныеМеша м;
    м.позиции = {-1, -1, 0, 0, -1, 0, 0, 1, 0, -1, 1, 0};
    м.текстурные_координаты = {0, 0, 1, 0, 1, 1, 0, 1};
    м.нормали = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    м.индексы = {0, 1, 2, 0, 2, 3};
    return м;
}

class МешНаЭкране : public test_gl::КонтекстGL {
protected:
    void SetUp() override {
        КонтекстGL::SetUp();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glColor3f(1, 0, 0);
    }

    void TearDown() override {
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        КонтекстGL::TearDown();
    }

    // Red on the left of the window, black on the right, or the other way round.
    void нарисовать_и_проверить(Меш& меш, bool слева) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        меш.рисовать();
        EXPECT_EQ(пиксель(ШИРИНА / 4, ВЫСОТА / 2)[0], слева ? 255 : 0);
        EXPECT_EQ(пиксель(3 * ШИРИНА / 4, ВЫСОТА / 2)[0], слева ? 0 : 255);
    }
};

TEST_F(МешНаЭкране, ОбаРасположенияВершинРисуютОдно) {
    const auto м = левая_половина();
    Меш чередующийся(м.позиции, м.текстурные_координаты, м.нормали, м.индексы, false);
    нарисовать_и_проверить(чередующийся, true);
    Меш отдельный(м.позиции, м.текстурные_координаты, м.нормали, м.индексы, true);
    нарисовать_и_проверить(отдельный, true);
    чередующийся.изменить_координаты_текстур(м.текстурные_координаты);
    нарисовать_и_проверить(чередующийся, true);
}

TEST_F(МешНаЭкране, МешСоСкелетомРисуетСдвинутыеВершины) {
    test_support::ВременнаяПапка папка;
    std::vector<pisatel::ЗаписьВеса> веса;
    for (std::uint16_t v = 0; v < 4; ++v) веса.push_back({0, v, 1.0f});
    pisatel::записать(папка / "м.me", pisatel::меш_версии_2(левая_половина(), {"кость"}, веса));
    pisatel::записать(папка / "м.sk", pisatel::скелет({{"кость", -1, {}, {}, {1, 0, 0, 0}}},
                                                      {{"вправо", 0, 1, {{0, pisatel::ПЕРЕНОС_X}}, {{0}, {1}}}}));

    МешСоСкелетом меш((папка / "м.me").string());
    нарисовать_и_проверить(меш, true);
    меш.присвоить_скелет(std::make_shared<zyr::skelet::Скелет>((папка / "м.sk").string()));
    ASSERT_TRUE(меш.установить_состояние_анимации("вправо", 1));
    нарисовать_и_проверить(меш, false);
}

}  // namespace
