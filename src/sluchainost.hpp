// The game's one random generator (MT19937) and the draws the game makes from it:
// ball and cannon colours, action balls, bonus targets and intervals, the plane's
// heading and bomb drops, explosion orientations. Main thread only.
#pragma once

#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace sluchainost {

// Seeded unpredictably (std::random_device) on first use, unless засеять came first.
std::mt19937& генератор();

// Makes every later draw repeatable; tests seed it.
void засеять(std::uint32_t зерно);

// Uniform integer in [от, до], both ends included; от ≤ до.
std::int64_t целое(std::int64_t от, std::int64_t до);

// Uniform in [от, до): never до itself, also where rounding to float would reach it.
float равномерное(float от, float до);
double равномерное_d(double от, double до);

// A uniformly chosen index of a list of размер entries; размер > 0.
std::size_t индекс(std::size_t размер);

// A uniformly chosen entry; an empty list throws std::out_of_range.
template <class T>
const T& один_из(const std::vector<T>& список) {
    if (список.empty()) throw std::out_of_range("один_из: пустой список");
    return список[индекс(список.size())];
}

}  // namespace sluchainost
