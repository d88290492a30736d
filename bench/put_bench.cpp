// The path queries the shot makes every frame, on a 400-segment spiral field.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "src/put.hpp"

namespace {

using put::Луч;
using put::Путь;
using zyr::vector::Вектор3;

constexpr int СЕГМЕНТОВ = 400;

// A spiral winding inwards from radius 300 to 40, four turns, with a lead-in from outside.
std::vector<Вектор3> спираль() {
    std::vector<Вектор3> вершины{{-500.0f, 0.0f, 0.0f}};
    for (int i = 0; i < СЕГМЕНТОВ; ++i) {
        const float доля = static_cast<float>(i) / (СЕГМЕНТОВ - 1);
        const float угол = доля * 4.0f * 2.0f * static_cast<float>(M_PI);
        const float радиус = 300.0f - 260.0f * доля;
        вершины.push_back({радиус * std::cos(угол), 0.0f, радиус * std::sin(угол)});
    }
    return вершины;
}

const Путь& путь() {
    static const Путь п(спираль(), {{100, 110}});
    return п;
}

// Shots land inside the field and fly on at the shot speed (200) in any direction.
std::vector<Луч> лучи() {
    std::mt19937 случай(3);
    std::uniform_real_distribution<float> место(-300.0f, 300.0f);
    std::uniform_real_distribution<float> угол(0.0f, 2.0f * static_cast<float>(M_PI));
    std::vector<Луч> л;
    for (int i = 0; i < 1024; ++i) {
        const float а = угол(случай);
        л.emplace_back(Вектор3(место(случай), 0.0f, место(случай)),
                       Вектор3(200.0f * std::cos(а), 0.0f, 200.0f * std::sin(а)));
    }
    return л;
}

void пересечения_с_лучом(benchmark::State& состояние) {
    const auto& п = путь();
    const auto набор = лучи();
    std::size_t i = 0;
    std::size_t найдено = 0;
    for (auto _ : состояние) {
        const auto пересечения = п.пересечения_с_лучом(0, набор[i++ % набор.size()]);
        найдено += пересечения.size();
        benchmark::DoNotOptimize(пересечения.data());
    }
    состояние.counters["пересечений_на_луч"] =
        benchmark::Counter(static_cast<double>(найдено) / static_cast<double>(состояние.iterations()));
}
BENCHMARK(пересечения_с_лучом);

// A shot ball touching the ball at segment k lies within a ball's diameter of the path near k.
void поиск_ближайшей_точки(benchmark::State& состояние) {
    const auto& п = путь();
    std::mt19937 случай(5);
    std::uniform_int_distribution<std::uint32_t> сегмент(1, СЕГМЕНТОВ - 2);
    std::uniform_real_distribution<float> сдвиг(-9.0f, 9.0f);
    struct Запрос {
        std::uint32_t сегмент;
        Вектор3 точка;
    };
    std::vector<Запрос> запросы;
    for (int i = 0; i < 1024; ++i) {
        const std::uint32_t k = сегмент(случай);
        const float доля = std::uniform_real_distribution<float>(0.0f, 1.0f)(случай);
        const Вектор3 на_пути = п.точка(k, доля * п.получить_длину_вектора(k));
        запросы.push_back({k, на_пути + Вектор3(сдвиг(случай), 0.0f, сдвиг(случай))});
    }
    std::size_t i = 0;
    for (auto _ : состояние) {
        const auto& з = запросы[i++ % запросы.size()];
        benchmark::DoNotOptimize(п.поиск_ближайшей_точки(0, з.сегмент, з.точка));
    }
}
BENCHMARK(поиск_ближайшей_точки);

void построение_пути(benchmark::State& состояние) {
    const auto вершины = спираль();
    for (auto _ : состояние) {
        const Путь п(вершины, {{100, 110}});
        benchmark::DoNotOptimize(п.сетка().size());
    }
}
BENCHMARK(построение_пути)->Unit(benchmark::kMicrosecond);

}  // namespace
