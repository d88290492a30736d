#include "zyr/quaternion.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include <fmt/printf.h>

namespace zyr::quaternion {

namespace {

// Slerp never lets the cosine reach 1, so it never divides by a sine near zero.
constexpr float ПРЕДЕЛ_КОСИНУСА = 0.9999f;
static_assert(std::bit_cast<std::uint32_t>(ПРЕДЕЛ_КОСИНУСА) == 0x3F7FF972u);

Кватернион нормализованная_копия(const Кватернион& q) { return q * (1.0f / std::sqrt(q.Norm())); }

}  // namespace

Кватернион::Кватернион(const matrix::Матрица3& поворот) { из_матрицы_поворота(поворот); }

void Кватернион::из_угла_и_оси(float угол, const Вектор3& ось) {
    const float половина = угол * 0.5f;
    const float s = std::sin(половина);
    w = std::cos(половина);
    x = s * ось.x;
    y = s * ось.y;
    z = s * ось.z;
}

void Кватернион::из_матрицы_поворота(const matrix::Матрица3& матрица) {
    const auto& m = матрица.m;
    const float след = m[0] + m[4] + m[8];
    if (след > 0.0f) {
        float root = std::sqrt(след + 1.0f);
        w = root * 0.5f;
        root = 0.5f / root;
        x = (m[5] - m[7]) * root;
        y = (m[6] - m[2]) * root;
        z = (m[1] - m[3]) * root;
        return;
    }
    // M[r][c] = m[c · 3 + r]; start from the largest diagonal entry.
    const auto M = [&m](int r, int c) { return m[static_cast<std::size_t>(c * 3 + r)]; };
    constexpr int следующий[3] = {1, 2, 0};
    int i = 0;
    if (M(0, 0) < M(1, 1)) i = 1;
    if (M(2, 2) > M(i, i)) i = 2;
    const int j = следующий[i];
    const int k = следующий[j];

    std::array<float, 3> ось{};
    float root = std::sqrt(M(i, i) - M(j, j) - M(k, k) + 1.0f);
    ось[static_cast<std::size_t>(i)] = root * 0.5f;
    root = 0.5f / root;
    w = (M(k, j) - M(j, k)) * root;
    ось[static_cast<std::size_t>(j)] = (M(j, i) + M(i, j)) * root;
    ось[static_cast<std::size_t>(k)] = (M(k, i) + M(i, k)) * root;
    x = ось[0];
    y = ось[1];
    z = ось[2];
}

void Кватернион::из_осей(const Вектор3& ось_x, const Вектор3& ось_y, const Вектор3& ось_z) {
    matrix::Матрица3 поворот;
    поворот.m = {ось_x.x, ось_x.y, ось_x.z, ось_y.x, ось_y.y, ось_y.z, ось_z.x, ось_z.y, ось_z.z};
    из_матрицы_поворота(поворот);
}

std::array<float, 4> Кватернион::в_угол_и_ось() const {
    const float квадрат_длины_оси = x * x + y * y + z * z;
    if (квадрат_длины_оси > 0.0f) {
        const float k = 1.0f / std::sqrt(квадрат_длины_оси);
        return {2.0f * std::acos(std::clamp(w, -1.0f, 1.0f)), x * k, y * k, z * k};
    }
    return {0.0f, 1.0f, 0.0f, 0.0f};
}

matrix::Матрица3 Кватернион::в_матрицу_поворота() const {
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, xz = x * z, yz = y * z;
    const float wx = w * x, wy = w * y, wz = w * z;
    matrix::Матрица3 r;
    r.m = {1.0f - 2.0f * (yy + zz), 2.0f * (xy + wz),        2.0f * (xz - wy),
           2.0f * (xy - wz),        1.0f - 2.0f * (xx + zz), 2.0f * (yz + wx),
           2.0f * (xz + wy),        2.0f * (yz - wx),        1.0f - 2.0f * (xx + yy)};
    return r;
}

Вектор3 Кватернион::x_ось() const {
    const auto r = в_матрицу_поворота();
    return {r.m[0], r.m[1], r.m[2]};
}

Вектор3 Кватернион::y_ось() const {
    const auto r = в_матрицу_поворота();
    return {r.m[3], r.m[4], r.m[5]};
}

Вектор3 Кватернион::z_ось() const {
    const auto r = в_матрицу_поворота();
    return {r.m[6], r.m[7], r.m[8]};
}

Кватернион Кватернион::обратить() const {
    const float n = Norm();
    if (n > 0.0f) {
        const float k = 1.0f / n;
        return {w * k, -x * k, -y * k, -z * k};
    }
    return НОЛЬ;
}

float Кватернион::нормализовать() {
    const float n = Norm();
    *this *= 1.0f / std::sqrt(n);
    return n;
}

bool Кватернион::equals(const Кватернион& другой, float допуск) const {
    // Rounding can push the dot product of a unit quaternion with itself past 1.
    const float угол = std::acos(std::clamp(Dot(другой), -1.0f, 1.0f));
    constexpr float ПИ = 3.14159265358979323846f;
    return std::fabs(угол) <= допуск || std::fabs(угол - ПИ) < допуск;
}

Кватернион Кватернион::сферическая_интерполяция(const Кватернион& другой, float t) const {
    Кватернион a = нормализованная_копия(*this);
    Кватернион b = нормализованная_копия(другой);
    float c = a.Dot(b);
    float знак = 1.0f;
    if (c < 0.0f) {
        c = -c;
        знак = -1.0f;
    }
    c = std::min(c, ПРЕДЕЛ_КОСИНУСА);
    const float угол = std::atan2(std::sqrt(1.0f - c * c), c);
    const float обратный_синус = 1.0f / std::sin(угол);
    a *= обратный_синус;
    b *= обратный_синус;
    return a * std::sin((1.0f - t) * угол) + b * (знак * std::sin(t * угол));
}

std::string Кватернион::toString() const { return fmt::sprintf("Кватернион(%.4g,%.4g,%.4g,%.4g)", w, x, y, z); }

}  // namespace zyr::quaternion
