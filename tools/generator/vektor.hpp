// Small value types for the data generator: 2D and 3D vectors, a 3x3 linear map
// and a rigid placement; everything the geometry builders need and nothing more.
#pragma once

#include <cmath>

namespace generator {

inline constexpr float ПИ = 3.14159265358979f;

struct В2 {
    float x = 0, y = 0;
};
inline В2 operator+(В2 a, В2 b) { return {a.x + b.x, a.y + b.y}; }
inline В2 operator-(В2 a, В2 b) { return {a.x - b.x, a.y - b.y}; }
inline В2 operator*(В2 a, float k) { return {a.x * k, a.y * k}; }
inline float скаляр(В2 a, В2 b) { return a.x * b.x + a.y * b.y; }
inline float длина(В2 a) { return std::sqrt(скаляр(a, a)); }
inline В2 нормировать(В2 a) {
    float l = длина(a);
    return l > 0 ? a * (1.0f / l) : a;
}
// The vector turned a quarter turn counter-clockwise.
inline В2 перпендикуляр(В2 a) { return {-a.y, a.x}; }

struct В3 {
    float x = 0, y = 0, z = 0;
};
inline В3 operator+(В3 a, В3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline В3 operator-(В3 a, В3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline В3 operator-(В3 a) { return {-a.x, -a.y, -a.z}; }
inline В3 operator*(В3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float скаляр(В3 a, В3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline В3 векторное(В3 a, В3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float длина(В3 a) { return std::sqrt(скаляр(a, a)); }
inline В3 нормировать(В3 a) {
    float l = длина(a);
    return l > 0 ? a * (1.0f / l) : a;
}

// A linear map of 3D space as three columns: m * v = v.x * x + v.y * y + v.z * z.
struct М3 {
    В3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};

    В3 operator*(В3 v) const { return x * v.x + y * v.y + z * v.z; }
    М3 operator*(const М3& b) const { return {*this * b.x, *this * b.y, *this * b.z}; }
    float определитель() const { return скаляр(x, векторное(y, z)); }
    // The cofactor matrix: the inverse transpose times the determinant, which maps
    // normals up to that factor (and its sign).
    М3 для_нормалей() const { return {векторное(y, z), векторное(z, x), векторное(x, y)}; }

    static М3 масштаб(float sx, float sy, float sz) { return {{sx, 0, 0}, {0, sy, 0}, {0, 0, sz}}; }
    static М3 масштаб(float s) { return масштаб(s, s, s); }
    static М3 поворот_x(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
    }
    static М3 поворот_y(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
    }
    static М3 поворот_z(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
    }
    // Rotation by angle a about a unit axis (right-handed).
    static М3 поворот(В3 ось, float a) {
        ось = нормировать(ось);
        float c = std::cos(a), s = std::sin(a), t = 1 - c;
        float x = ось.x, y = ось.y, z = ось.z;
        return {{t * x * x + c, t * x * y + s * z, t * x * z - s * y},
                {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
                {t * x * z + s * y, t * y * z - s * x, t * z * z + c}};
    }
};

// A placement p -> m * p + сдвиг.
struct Преобразование {
    М3 м{};
    В3 сдвиг{};

    В3 operator()(В3 p) const { return м * p + сдвиг; }
    Преобразование operator*(const Преобразование& b) const { return {м * b.м, м * b.сдвиг + сдвиг}; }

    static Преобразование перенос(В3 v) { return {М3{}, v}; }
    static Преобразование линейное(const М3& m) { return {m, {}}; }
};

}  // namespace generator
