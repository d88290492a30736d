// The engine's three-component vector: positions, directions, scales and offsets.
// Laid out as three floats x, y, z so arrays of it go straight to the pipeline.
#pragma once

#include <span>
#include <string>
#include <type_traits>

namespace zyr::quaternion {
struct Кватернион;
}

namespace zyr::vector {

struct Вектор3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    static const Вектор3 НОЛЬ;
    static const Вектор3 ЕДИНИЦА_X;
    static const Вектор3 ЕДИНИЦА_Y;
    static const Вектор3 ЕДИНИЦА_Z;
    static const Вектор3 МИНУС_ЕДИНИЦА_X;
    static const Вектор3 МИНУС_ЕДИНИЦА_Y;
    static const Вектор3 МИНУС_ЕДИНИЦА_Z;
    // The unit scale the game gives to the scene nodes it creates.
    static const Вектор3 ЕДИНИЦА_МАСШТАБА;
    static constexpr float EPSILON = 1e-6f;

    constexpr Вектор3() = default;
    constexpr Вектор3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    constexpr explicit Вектор3(float f) : x(f), y(f), z(f) {}
    // The first three elements; fewer than three give (0, 0, 0), extra ones are ignored.
    constexpr explicit Вектор3(std::span<const float> элементы) {
        if (элементы.size() >= 3) {
            x = элементы[0];
            y = элементы[1];
            z = элементы[2];
        }
    }

    float длина() const;
    float length() const { return длина(); }
    constexpr float квадрат_длины() const { return x * x + y * y + z * z; }
    float расстояние(const Вектор3& другой) const;
    constexpr float скалярное_произведение(const Вектор3& другой) const {
        return x * другой.x + y * другой.y + z * другой.z;
    }
    // this × другой, right-handed.
    constexpr Вектор3 векторное_произведение(const Вектор3& другой) const {
        return {y * другой.z - z * другой.y, z * другой.x - x * другой.z, x * другой.y - y * другой.x};
    }

    // Scales to unit length in place and returns the length before. A length that is
    // not above zero (zero or not a number) leaves the vector as it is and is returned.
    float нормализация();
    Вектор3 нормализованная_копия() const;
    constexpr bool нулевая_длина() const { return квадрат_длины() < 1e-12f; }
    // In radians, within [0, π]; a zero vector counts as perpendicular to everything.
    float угол_между(const Вектор3& другой) const;
    // The shortest-arc rotation turning this direction onto цель. For opposite
    // directions it is a half turn about запасная_ось, or when that is НОЛЬ about some
    // axis perpendicular to this one. A zero-length vector on either side gives the
    // identity rotation.
    quaternion::Кватернион поворот_к(const Вектор3& цель, const Вектор3& запасная_ось = НОЛЬ) const;

    std::string toString() const;

    constexpr Вектор3 operator+(const Вектор3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    constexpr Вектор3 operator-(const Вектор3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    constexpr Вектор3 operator*(float f) const { return {x * f, y * f, z * f}; }
    constexpr Вектор3 operator*(const Вектор3& b) const { return {x * b.x, y * b.y, z * b.z}; }
    constexpr Вектор3& operator+=(const Вектор3& b) {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    constexpr Вектор3& operator*=(const Вектор3& b) {
        x *= b.x;
        y *= b.y;
        z *= b.z;
        return *this;
    }

    friend constexpr bool operator==(const Вектор3&, const Вектор3&) = default;
};

inline constexpr Вектор3 Вектор3::НОЛЬ{0.0f, 0.0f, 0.0f};
inline constexpr Вектор3 Вектор3::ЕДИНИЦА_X{1.0f, 0.0f, 0.0f};
inline constexpr Вектор3 Вектор3::ЕДИНИЦА_Y{0.0f, 1.0f, 0.0f};
inline constexpr Вектор3 Вектор3::ЕДИНИЦА_Z{0.0f, 0.0f, 1.0f};
inline constexpr Вектор3 Вектор3::МИНУС_ЕДИНИЦА_X{-1.0f, 0.0f, 0.0f};
inline constexpr Вектор3 Вектор3::МИНУС_ЕДИНИЦА_Y{0.0f, -1.0f, 0.0f};
inline constexpr Вектор3 Вектор3::МИНУС_ЕДИНИЦА_Z{0.0f, 0.0f, -1.0f};
inline constexpr Вектор3 Вектор3::ЕДИНИЦА_МАСШТАБА{1.0f, 1.0f, 1.0f};

// Vertex and position arrays are handed to OpenGL as packed floats.
static_assert(sizeof(Вектор3) == 12);
static_assert(std::is_standard_layout_v<Вектор3>);
static_assert(std::is_trivially_copyable_v<Вектор3>);

}  // namespace zyr::vector

// поворот_к yields a Кватернион: including the vector brings the quaternion along.
#include "zyr/quaternion.hpp"
