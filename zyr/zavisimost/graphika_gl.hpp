// Thin one-call OpenGL wrappers for the scene code, and the table of light ids.
// Everything above this layer builds matrices and colours; only these functions touch the pipeline.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include <GL/gl.h>

namespace zyr::zavisimost::graphika_gl {

// OpenGL light ids indexed by lamp number 0 to 7.
inline constexpr std::array<std::uint32_t, 8> GL_ЛАМПЫ{GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                                                       GL_LIGHT4, GL_LIGHT5, GL_LIGHT6, GL_LIGHT7};
static_assert(GL_LIGHT0 == 0x4000 && GL_LIGHT7 == 0x4007);

// True for the numbers that index GL_ЛАМПЫ. The lamp functions below refuse any
// other number with a journal error and leave the pipeline untouched.
constexpr bool номер_лампы_допустим(std::uint64_t номер) { return номер < GL_ЛАМПЫ.size(); }

void gl_сохранить_матрицу();
void gl_восстановить_матрицу();
// Matrices go as stored, column by column.
void gl_перемножить_матрицы(std::span<const float, 16> m);
void gl_загрузить_матрицу(std::span<const float, 16> m);

// буфер holds per vertex 2 texture coordinates, 3 normal and 3 position floats;
// индексы holds 3 unsigned 16-bit indices per triangle.
void gl_рисовать_чередующийся_буфер(int треугольников, const void* буфер, const void* индексы);
// Separate arrays of 3 position, 3 normal and 2 texture-coordinate floats per vertex.
void gl_рисовать_отдельные_буферы(int треугольников, const void* вершины, const void* нормали,
                                  const void* текстурные_координаты, const void* индексы);

void gl_задать_окружающий_материал(std::span<const float, 4> цвет);
void gl_задать_диффузный_материал(std::span<const float, 4> цвет);
void gl_задать_бликовый_материал(std::span<const float, 4> цвет);
void gl_задать_степень_блика(float степень);

void gl_задать_позицию_лампы(std::uint64_t номер, std::span<const float, 4> позиция);
void gl_включить_лампу(std::uint64_t номер);
void gl_выключить_лампу(std::uint64_t номер);
void gl_изменить_свет(std::uint64_t номер, std::uint32_t параметр, std::span<const float, 4> значение);

void gl_включить(std::uint32_t возможность);
void gl_выключить(std::uint32_t возможность);
void gl_отключить_текстуры();

// Viewport to the panel's pixels, the unit square as projection, identity
// model-view, lighting and depth test off, filled polygons, alpha blending.
void gl_подготовить_рисование_инфопанели(int x, int y, int ширина, int высота);
// Pushes the model-view matrix and maps the unit square onto the element's rectangle;
// the caller pops it with gl_восстановить_матрицу.
void gl_подготовить_рисование_элемента_инфопанели(float x, float y, float ширина, float высота);

}  // namespace zyr::zavisimost::graphika_gl
