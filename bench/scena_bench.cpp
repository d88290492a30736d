// Baseline figures for the scene graph: world matrices of a 1,000-node tree and the
// local transform matrix every changed node rebuilds.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "zyr/mesto.hpp"

namespace {

using zyr::matrix::Матрица4;
using zyr::mesto::Место;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

// 10 nodes under the root, 9 under each of those, 10 under each of those: 1,000
// nodes, three levels below the root, each moved, turned and scaled a little.
struct Сцена {
    std::shared_ptr<Место> корень = std::make_shared<Место>("корень");
    std::vector<std::shared_ptr<Место>> места;

    Сцена() {
        места.reserve(1000);
        int номер = 0;
        const auto добавить = [&](const std::shared_ptr<Место>& родитель) {
            ++номер;
            auto место = родитель->создать_ребёнка("место_" + std::to_string(номер),
                                                   {номер * 0.1f, 1.0f, -номер * 0.2f},
                                                   Кватернион(0.01f * номер, Вектор3{0.48f, 0.6f, 0.64f}),
                                                   {1.01f, 0.99f, 1.0f});
            места.push_back(место);
            return место;
        };
        for (int i = 0; i < 10; ++i) {
            auto первый = добавить(корень);
            for (int j = 0; j < 9; ++j) {
                auto второй = добавить(первый);
                for (int k = 0; k < 10; ++k) добавить(второй);
            }
        }
    }
};

void МировыеМатрицыСценыИз1000Мест(benchmark::State& state) {
    Сцена сцена;
    for (auto _ : state) {
        for (const auto& место : сцена.места) benchmark::DoNotOptimize(место->получить_унаследованную_матрицу());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(сцена.места.size()));
}
BENCHMARK(МировыеМатрицыСценыИз1000Мест);

// Every node moves each frame, so every local matrix is rebuilt once before the walk.
void МировыеМатрицыПослеСдвигаВсехМест(benchmark::State& state) {
    Сцена сцена;
    for (auto _ : state) {
        for (const auto& место : сцена.места) место->сдвинуть(0.001f, 0.0f, 0.0f);
        for (const auto& место : сцена.места) benchmark::DoNotOptimize(место->получить_унаследованную_матрицу());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(сцена.места.size()));
}
BENCHMARK(МировыеМатрицыПослеСдвигаВсехМест);

void МатрицаПреобразований(benchmark::State& state) {
    Кватернион ориентация(0.7f, Вектор3{0.48f, 0.6f, 0.64f});
    Вектор3 позиция{1, 2, 3};
    const Вектор3 масштаб{2, 2, 2};
    Матрица4 m;
    for (auto _ : state) {
        benchmark::DoNotOptimize(позиция);
        benchmark::DoNotOptimize(ориентация);
        m.матрица_преобразований(позиция, масштаб, ориентация);
        benchmark::DoNotOptimize(m);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(МатрицаПреобразований);

}  // namespace
