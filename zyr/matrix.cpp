#include "zyr/matrix.hpp"

#include <fmt/printf.h>

namespace zyr::matrix {

namespace {

template <std::size_t N>
std::string текст_элементов(const char* заголовок, const std::array<float, N>& элементы, const char* формат) {
    std::string текст = заголовок;
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0) текст += ", ";
        текст += fmt::sprintf(формат, элементы[i]);
    }
    текст += ")";
    return текст;
}

}  // namespace

std::string Матрица3::toString() const { return текст_элементов("Матрица3(", m, "%6.4g"); }

Матрица4::Матрица4(const Матрица3& поворот)
    : m{поворот.m[0], поворот.m[1], поворот.m[2], 0, поворот.m[3], поворот.m[4], поворот.m[5], 0,
        поворот.m[6], поворот.m[7], поворот.m[8], 0, 0, 0, 0, 1} {}

void Матрица4::матрица_преобразований(const Вектор3& позиция, const Вектор3& масштаб,
                                      const Кватернион& ориентация) {
    const auto r = ориентация.в_матрицу_поворота().m;
    m = {r[0] * масштаб.x, r[1] * масштаб.x, r[2] * масштаб.x, 0.0f,
         r[3] * масштаб.y, r[4] * масштаб.y, r[5] * масштаб.y, 0.0f,
         r[6] * масштаб.z, r[7] * масштаб.z, r[8] * масштаб.z, 0.0f,
         позиция.x,        позиция.y,        позиция.z,        1.0f};
}

Матрица4 Матрица4::транспонировать() const {
    Матрица4 t;
    for (std::size_t c = 0; c < 4; ++c)
        for (std::size_t r = 0; r < 4; ++r) t.m[c * 4 + r] = m[r * 4 + c];
    return t;
}

Матрица3 Матрица4::получить_матрицу_3x3() const {
    Матрица3 r;
    r.m = {m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]};
    return r;
}

float Матрица4::MINOR(const Матрица4& матрица, int r0, int r1, int r2, int c0, int c1, int c2) {
    const auto e = [&матрица](int r, int c) { return матрица.m[static_cast<std::size_t>(r * 4 + c)]; };
    return e(r0, c0) * (e(r1, c1) * e(r2, c2) - e(r2, c1) * e(r1, c2)) -
           e(r0, c1) * (e(r1, c0) * e(r2, c2) - e(r2, c0) * e(r1, c2)) +
           e(r0, c2) * (e(r1, c0) * e(r2, c1) - e(r2, c0) * e(r1, c1));
}

// Read and written in the same [r][c] = element r · 4 + c indexing as MINOR, the
// adjugate of the transposed view is the transposed adjugate, which is the adjugate
// of the stored matrix.
Матрица4 Матрица4::adjoint() const {
    const Матрица4& a = *this;
    Матрица4 r;
    r.m = {MINOR(a, 1, 2, 3, 1, 2, 3),  -MINOR(a, 0, 2, 3, 1, 2, 3), MINOR(a, 0, 1, 3, 1, 2, 3),
           -MINOR(a, 0, 1, 2, 1, 2, 3),

           -MINOR(a, 1, 2, 3, 0, 2, 3), MINOR(a, 0, 2, 3, 0, 2, 3),  -MINOR(a, 0, 1, 3, 0, 2, 3),
           MINOR(a, 0, 1, 2, 0, 2, 3),

           MINOR(a, 1, 2, 3, 0, 1, 3),  -MINOR(a, 0, 2, 3, 0, 1, 3), MINOR(a, 0, 1, 3, 0, 1, 3),
           -MINOR(a, 0, 1, 2, 0, 1, 3),

           -MINOR(a, 1, 2, 3, 0, 1, 2), MINOR(a, 0, 2, 3, 0, 1, 2),  -MINOR(a, 0, 1, 3, 0, 1, 2),
           MINOR(a, 0, 1, 2, 0, 1, 2)};
    return r;
}

float Матрица4::определитель() const {
    const Матрица4& a = *this;
    return m[0] * MINOR(a, 1, 2, 3, 1, 2, 3) - m[1] * MINOR(a, 1, 2, 3, 0, 2, 3) +
           m[2] * MINOR(a, 1, 2, 3, 0, 1, 3) - m[3] * MINOR(a, 1, 2, 3, 0, 1, 2);
}

Матрица4 Матрица4::обратная() const { return adjoint() * (1.0f / определитель()); }

Матрица4 Матрица4::operator*(float f) const {
    Матрица4 r;
    for (std::size_t i = 0; i < 16; ++i) r.m[i] = m[i] * f;
    return r;
}

Матрица4 Матрица4::operator*(const Матрица4& другой) const {
    Матрица4 r;
    for (std::size_t c = 0; c < 4; ++c) {
        for (std::size_t row = 0; row < 4; ++row) {
            float сумма = 0.0f;
            for (std::size_t k = 0; k < 4; ++k) сумма += m[k * 4 + row] * другой.m[c * 4 + k];
            r.m[c * 4 + row] = сумма;
        }
    }
    return r;
}

std::string Матрица4::toString() const { return текст_элементов("Матрица4(", m, "%.4g"); }

}  // namespace zyr::matrix
