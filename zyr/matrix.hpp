// Rotation and transform matrices, stored column by column (element = column · size + row)
// exactly as the fixed-function pipeline takes them; nothing transposes on the way.
#pragma once

#include <array>
#include <string>
#include <type_traits>

#include "zyr/quaternion.hpp"
#include "zyr/vector.hpp"

namespace zyr::matrix {

using quaternion::Кватернион;
using vector::Вектор3;

struct Матрица3 {
    std::array<float, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1};

    // "Матрица3(" and the nine elements in storage order as "%6.4g", separated by ", ", then ")".
    std::string toString() const;
};

struct Матрица4 {
    // A transform matrix keeps elements 3, 7, 11 at 0 and 15 at 1; the translation
    // is in elements 12, 13, 14.
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    constexpr Матрица4() = default;
    // The arguments read row by row (m00, m01, …, m33) and are stored column by column.
    constexpr Матрица4(float m00, float m01, float m02, float m03, float m10, float m11, float m12, float m13,
                       float m20, float m21, float m22, float m23, float m30, float m31, float m32, float m33)
        : m{m00, m10, m20, m30, m01, m11, m21, m31, m02, m12, m22, m32, m03, m13, m23, m33} {}
    // The rotation block from the 3 × 3 matrix, no translation.
    explicit Матрица4(const Матрица3& поворот);

    // Sets this matrix to T · R · S: a point is scaled, then rotated, then moved.
    void матрица_преобразований(const Вектор3& позиция, const Вектор3& масштаб, const Кватернион& ориентация);
    Матрица4 транспонировать() const;
    Вектор3 Позиция() const { return {m[12], m[13], m[14]}; }
    Матрица3 получить_матрицу_3x3() const;

    // The determinant of the 3 × 3 block of rows r0, r1, r2 and columns c0, c1, c2,
    // where entry [r][c] is element r · 4 + c.
    static float MINOR(const Матрица4& m, int r0, int r1, int r2, int c0, int c1, int c2);
    Матрица4 adjoint() const;
    float определитель() const;
    // adjoint · (1 / определитель); a singular matrix gives non-numbers.
    Матрица4 обратная() const;

    Матрица4 operator*(float f) const;
    // this · другой.
    Матрица4 operator*(const Матрица4& другой) const;

    // "Матрица4(" and the sixteen elements in storage order as "%.4g", separated by ", ", then ")".
    std::string toString() const;
};

static_assert(sizeof(Матрица3) == 9 * sizeof(float));
static_assert(sizeof(Матрица4) == 16 * sizeof(float));
static_assert(std::is_standard_layout_v<Матрица4>);

}  // namespace zyr::matrix
