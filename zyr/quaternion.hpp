// Orientations of nodes, bones, the cannon and the plane, as quaternions (w, x, y, z).
// The product q1 · q2 applies q2 first, then q1.
#pragma once

#include <array>
#include <span>
#include <string>
#include <type_traits>

#include "zyr/vector.hpp"

namespace zyr::matrix {
struct Матрица3;
}

namespace zyr::quaternion {

using vector::Вектор3;

struct Кватернион {
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // The identity rotation (1, 0, 0, 0), not the zero quaternion.
    static const Кватернион НОЛЬ;

    constexpr Кватернион() = default;
    constexpr Кватернион(float w_, float x_, float y_, float z_) : w(w_), x(x_), y(y_), z(z_) {}
    explicit Кватернион(const matrix::Матрица3& поворот);
    Кватернион(float угол, const Вектор3& ось) { из_угла_и_оси(угол, ось); }
    Кватернион(const Вектор3& ось_x, const Вектор3& ось_y, const Вектор3& ось_z) { из_осей(ось_x, ось_y, ось_z); }
    // The first four elements as w, x, y, z; fewer than four give НОЛЬ.
    constexpr explicit Кватернион(std::span<const float> элементы) {
        if (элементы.size() >= 4) {
            w = элементы[0];
            x = элементы[1];
            y = элементы[2];
            z = элементы[3];
        }
    }

    // The axis is taken as given, not normalised.
    void из_угла_и_оси(float угол, const Вектор3& ось);
    // Sets this quaternion from a rotation matrix; the matrix is not checked for orthonormality.
    void из_матрицы_поворота(const matrix::Матрица3& m);
    // The three axes are the columns of the rotation matrix, so x_ось, y_ось and
    // z_ось of the result give them back.
    void из_осей(const Вектор3& ось_x, const Вектор3& ось_y, const Вектор3& ось_z);

    // [angle, axis x, axis y, axis z]; angle 0 about (1, 0, 0) when there is no axis.
    std::array<float, 4> в_угол_и_ось() const;
    // Uses the quaternion as it is; nothing normalises it first.
    matrix::Матрица3 в_матрицу_поворота() const;
    Вектор3 x_ось() const;
    Вектор3 y_ось() const;
    Вектор3 z_ось() const;

    constexpr float Dot(const Кватернион& b) const { return w * b.w + x * b.x + y * b.y + z * b.z; }
    constexpr float скалярное_произведение(const Кватернион& b) const { return Dot(b); }
    // The squared norm.
    constexpr float Norm() const { return w * w + x * x + y * y + z * z; }
    // НОЛЬ for the zero quaternion.
    Кватернион обратить() const;
    constexpr Кватернион UnitInverse() const { return {w, -x, -y, -z}; }
    // In place; returns the squared norm before. A zero quaternion becomes not-a-number.
    float нормализовать();

    // For unit quaternions; a non-unit one scales the vector as well.
    void повернуть_вектор(Вектор3& v) const { v = *this * v; }
    constexpr Вектор3 operator*(const Вектор3& v) const {
        const Вектор3 u{x, y, z};
        const Вектор3 t = u.векторное_произведение(v);
        return v + t * (2.0f * w) + u.векторное_произведение(t) * 2.0f;
    }

    // Hamilton product: the result applies b first, then this.
    constexpr Кватернион operator*(const Кватернион& b) const {
        return {w * b.w - x * b.x - y * b.y - z * b.z, w * b.x + x * b.w + y * b.z - z * b.y,
                w * b.y + y * b.w + z * b.x - x * b.z, w * b.z + z * b.w + x * b.y - y * b.x};
    }
    constexpr Кватернион& operator*=(const Кватернион& b) { return *this = *this * b; }
    constexpr Кватернион operator*(float f) const { return {w * f, x * f, y * f, z * f}; }
    constexpr Кватернион& operator*=(float f) { return *this = *this * f; }
    constexpr Кватернион operator+(const Кватернион& b) const { return {w + b.w, x + b.x, y + b.y, z + b.z}; }

    // True when the angle acos(Dot) is within допуск of 0 or of π.
    bool equals(const Кватернион& другой, float допуск) const;
    // Component-wise, not normalised.
    constexpr Кватернион линейная_интерполяция(const Кватернион& другой, float t) const {
        return *this * (1.0f - t) + другой * t;
    }
    // Along the shorter arc; t is not clamped and the result is not normalised again.
    Кватернион сферическая_интерполяция(const Кватернион& другой, float t) const;

    std::string toString() const;
};

inline constexpr Кватернион Кватернион::НОЛЬ{1.0f, 0.0f, 0.0f, 0.0f};

static_assert(sizeof(Кватернион) == 16);
static_assert(std::is_standard_layout_v<Кватернион>);
static_assert(std::is_trivially_copyable_v<Кватернион>);

}  // namespace zyr::quaternion

// в_матрицу_поворота yields a Матрица3: including the quaternion brings the matrices along.
#include "zyr/matrix.hpp"
