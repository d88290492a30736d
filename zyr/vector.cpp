#include "zyr/vector.hpp"

#include <algorithm>
#include <cmath>

#include <fmt/printf.h>

namespace zyr::vector {

namespace {

// Lengths and distances sum the squares and take the root in double precision and
// round once to float. Products of floats are exact in double.
float корень_суммы_квадратов(float a, float b, float c) {
    const double da = a, db = b, dc = c;
    return static_cast<float>(std::sqrt(da * da + db * db + dc * dc));
}

}  // namespace

float Вектор3::длина() const { return корень_суммы_квадратов(x, y, z); }

float Вектор3::расстояние(const Вектор3& другой) const {
    return корень_суммы_квадратов(x - другой.x, y - другой.y, z - другой.z);
}

float Вектор3::нормализация() {
    const float прежняя = длина();
    if (прежняя > 0.0f) {
        const float обратная = 1.0f / прежняя;
        x *= обратная;
        y *= обратная;
        z *= обратная;
    }
    return прежняя;
}

Вектор3 Вектор3::нормализованная_копия() const {
    Вектор3 копия = *this;
    копия.нормализация();
    return копия;
}

float Вектор3::угол_между(const Вектор3& другой) const {
    const float произведение_длин = std::max(длина() * другой.длина(), 1e-6f);
    const float c = std::clamp(скалярное_произведение(другой) / произведение_длин, -1.0f, 1.0f);
    return std::atan2(std::sqrt(1.0f - c * c), c);
}

quaternion::Кватернион Вектор3::поворот_к(const Вектор3& цель, const Вектор3& запасная_ось) const {
    const float s = std::sqrt(квадрат_длины() * цель.квадрат_длины());
    // Without a direction on one side there is no arc to turn along.
    if (!(s > 0.0f)) return quaternion::Кватернион::НОЛЬ;

    float w = скалярное_произведение(цель) + s;
    Вектор3 ось;
    if (w < 1e-6f * s) {
        w = 0.0f;
        if (запасная_ось != НОЛЬ) {
            ось = запасная_ось;
        } else if (std::fabs(x) > std::fabs(z)) {
            ось = {-y, x, 0.0f};
        } else {
            ось = {0.0f, -z, y};
        }
    } else {
        ось = векторное_произведение(цель);
    }

    const float квадрат_нормы = w * w + ось.квадрат_длины();
    if (!(квадрат_нормы > 0.0f)) return quaternion::Кватернион::НОЛЬ;
    const float k = 1.0f / std::sqrt(квадрат_нормы);
    return {w * k, ось.x * k, ось.y * k, ось.z * k};
}

std::string Вектор3::toString() const { return fmt::sprintf("Вектор3(%.4g,%.4g,%.4g)", x, y, z); }

}  // namespace zyr::vector
