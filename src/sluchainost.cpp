#include "src/sluchainost.hpp"

#include <cmath>

namespace sluchainost {

std::mt19937& генератор() {
    static std::mt19937 г{std::random_device{}()};
    return г;
}

void засеять(std::uint32_t зерно) { генератор().seed(зерно); }

std::int64_t целое(std::int64_t от, std::int64_t до) {
    return std::uniform_int_distribution<std::int64_t>(от, до)(генератор());
}

float равномерное(float от, float до) {
    const float x = std::uniform_real_distribution<float>(от, до)(генератор());
    // The distribution may round up to its upper end; the draws here are half-open.
    return x < до ? x : std::nextafter(до, от);
}

double равномерное_d(double от, double до) {
    const double x = std::uniform_real_distribution<double>(от, до)(генератор());
    return x < до ? x : std::nextafter(до, от);
}

std::size_t индекс(std::size_t размер) {
    return std::uniform_int_distribution<std::size_t>(0, размер - 1)(генератор());
}

}  // namespace sluchainost
