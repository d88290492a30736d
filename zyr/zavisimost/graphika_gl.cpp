#include "zyr/zavisimost/graphika_gl.hpp"

#include <fmt/printf.h>

#include "my_utils/journal.hpp"

namespace zyr::zavisimost::graphika_gl {

namespace {

using my_utils::journal::УровниЖурнала;

bool проверить_номер_лампы(std::uint64_t номер) {
    if (номер_лампы_допустим(номер)) return true;
    my_utils::journal::в_журнал("графика_gl", УровниЖурнала::Ошибка, [номер] {
        return fmt::sprintf("Номер лампы %d вне пределов 0-7", номер);
    });
    return false;
}

void рисовать_треугольники(int треугольников, const void* индексы) {
    glDrawElements(GL_TRIANGLES, треугольников * 3, GL_UNSIGNED_SHORT, индексы);
}

}  // namespace

void gl_сохранить_матрицу() { glPushMatrix(); }
void gl_восстановить_матрицу() { glPopMatrix(); }
void gl_перемножить_матрицы(std::span<const float, 16> m) { glMultMatrixf(m.data()); }
void gl_загрузить_матрицу(std::span<const float, 16> m) { glLoadMatrixf(m.data()); }

void gl_рисовать_чередующийся_буфер(int треугольников, const void* буфер, const void* индексы) {
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, буфер);
    рисовать_треугольники(треугольников, индексы);
}

void gl_рисовать_отдельные_буферы(int треугольников, const void* вершины, const void* нормали,
                                  const void* текстурные_координаты, const void* индексы) {
    glVertexPointer(3, GL_FLOAT, 0, вершины);
    glNormalPointer(GL_FLOAT, 0, нормали);
    glTexCoordPointer(2, GL_FLOAT, 0, текстурные_координаты);
    рисовать_треугольники(треугольников, индексы);
}

void gl_задать_окружающий_материал(std::span<const float, 4> цвет) { glMaterialfv(GL_FRONT, GL_AMBIENT, цвет.data()); }
void gl_задать_диффузный_материал(std::span<const float, 4> цвет) { glMaterialfv(GL_FRONT, GL_DIFFUSE, цвет.data()); }
void gl_задать_бликовый_материал(std::span<const float, 4> цвет) { glMaterialfv(GL_FRONT, GL_SPECULAR, цвет.data()); }
void gl_задать_степень_блика(float степень) { glMaterialf(GL_FRONT, GL_SHININESS, степень); }

void gl_задать_позицию_лампы(std::uint64_t номер, std::span<const float, 4> позиция) {
    if (проверить_номер_лампы(номер)) glLightfv(GL_ЛАМПЫ[номер], GL_POSITION, позиция.data());
}

void gl_включить_лампу(std::uint64_t номер) {
    if (проверить_номер_лампы(номер)) glEnable(GL_ЛАМПЫ[номер]);
}

void gl_выключить_лампу(std::uint64_t номер) {
    if (проверить_номер_лампы(номер)) glDisable(GL_ЛАМПЫ[номер]);
}

void gl_изменить_свет(std::uint64_t номер, std::uint32_t параметр, std::span<const float, 4> значение) {
    if (проверить_номер_лампы(номер)) glLightfv(GL_ЛАМПЫ[номер], параметр, значение.data());
}

void gl_включить(std::uint32_t возможность) { glEnable(возможность); }
void gl_выключить(std::uint32_t возможность) { glDisable(возможность); }
void gl_отключить_текстуры() { glBindTexture(GL_TEXTURE_2D, 0); }

void gl_подготовить_рисование_инфопанели(int x, int y, int ширина, int высота) {
    glViewport(x, y, ширина, высота);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void gl_подготовить_рисование_элемента_инфопанели(float x, float y, float ширина, float высота) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(ширина, высота, 1.0f);
}

}  // namespace zyr::zavisimost::graphika_gl
