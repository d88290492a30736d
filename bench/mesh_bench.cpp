// Loading meshes from their files (bytes per second) and skinning a 10,000-vertex
// mesh with 20 bones, as an explosion does every frame.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "tools/pisatel.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"

namespace {

namespace fs = std::filesystem;
using zyr::mesh::Меш;
using zyr::mesh::МешСоСкелетом;

// A folder of its own under the temporary directory, removed at the end.
struct Папка {
    fs::path путь;
    Папка() {
        std::random_device случай;
        путь = fs::temp_directory_path() / ("igra_bench_" + std::to_string(случай()));
        fs::create_directories(путь);
    }
    ~Папка() {
        std::error_code ошибка;
        fs::remove_all(путь, ошибка);
    }
};

// The largest mesh the 16-bit counts allow: 65,534 vertices, 65,532 triangles
// (a file of about 2.5 MB).
constexpr std::size_t КВАДРАТОВ = 32766;

void загрузка(benchmark::State& состояние, bool версия_2, bool отдельные) {
    Папка папка;
    const auto данные = pisatel::полоса_квадратов(КВАДРАТОВ);
    const auto байты = версия_2 ? pisatel::меш_версии_2(данные, {"кость"}, {{0, 0, 1.0f}})
                                : pisatel::меш_версии_1(данные);
    const auto путь = (папка.путь / "большой.me").string();
    pisatel::записать(путь, байты);

    for (auto _ : состояние) {
        std::shared_ptr<Меш> меш;
        if (версия_2) {
            меш = std::make_shared<МешСоСкелетом>(путь);
        } else {
            меш = std::make_shared<Меш>(путь, отдельные);
        }
        benchmark::DoNotOptimize(меш.get());
    }
    состояние.SetBytesProcessed(static_cast<std::int64_t>(состояние.iterations() * байты.size()));
    состояние.counters["вершин"] = static_cast<double>(данные.позиции.size() / 3);
}

void ЗагрузкаМеша1Чередующийся(benchmark::State& с) { загрузка(с, false, false); }
void ЗагрузкаМеша1Отдельные(benchmark::State& с) { загрузка(с, false, true); }
void ЗагрузкаМеша2(benchmark::State& с) { загрузка(с, true, true); }
BENCHMARK(ЗагрузкаМеша1Чередующийся)->Unit(benchmark::kMillisecond);
BENCHMARK(ЗагрузкаМеша1Отдельные)->Unit(benchmark::kMillisecond);
BENCHMARK(ЗагрузкаМеша2)->Unit(benchmark::kMillisecond);

// 10,000 vertices, each weighted to two of 20 bones; each bone turns, scales
// and moves over 30 frames.
void Скиннинг(benchmark::State& состояние) {
    constexpr std::size_t ВЕРШИН = 10000, КОСТЕЙ = 20, КАДРОВ = 30;
    Папка папка;

    auto данные = pisatel::полоса_квадратов(ВЕРШИН / 2 - 1);
    std::vector<std::string> группы;
    std::vector<pisatel::КостьФайла> кости;
    pisatel::АнимацияФайла ход{"ход", 0, static_cast<std::int16_t>(КАДРОВ - 1), {}, {}};
    for (std::size_t к = 0; к < КОСТЕЙ; ++к) {
        группы.push_back("кость" + std::to_string(к));
        кости.push_back({группы.back(), -1, {static_cast<float>(к * 250), 0, 0}, {}, {1, 0, 0, 0}});
        const auto номер = static_cast<std::uint16_t>(к);
        for (const auto тип : {pisatel::ПОВОРОТ_W, pisatel::ПОВОРОТ_Y, pisatel::МАСШТАБ_X, pisatel::ПЕРЕНОС_Y}) {
            ход.кривые.push_back({номер, тип});
        }
    }
    for (std::size_t кадр = 0; кадр < КАДРОВ; ++кадр) {
        std::vector<float> строка;
        const float угол = 0.05f * static_cast<float>(кадр);
        for (std::size_t к = 0; к < КОСТЕЙ; ++к) {
            строка.insert(строка.end(), {std::cos(угол), std::sin(угол), 1.0f + угол, static_cast<float>(кадр)});
        }
        ход.строки.push_back(std::move(строка));
    }
    std::vector<pisatel::ЗаписьВеса> веса;
    for (std::size_t v = 0; v < ВЕРШИН; ++v) {
        const auto кость = static_cast<std::uint16_t>(v * КОСТЕЙ / ВЕРШИН);
        const auto соседняя = static_cast<std::uint16_t>((кость + 1) % КОСТЕЙ);
        веса.push_back({кость, static_cast<std::uint16_t>(v), 0.75f});
        веса.push_back({соседняя, static_cast<std::uint16_t>(v), 0.25f});
    }
    pisatel::записать(папка.путь / "кожа.me", pisatel::меш_версии_2(данные, группы, веса));
    pisatel::записать(папка.путь / "кожа.sk", pisatel::скелет(кости, {ход}));

    МешСоСкелетом меш((папка.путь / "кожа.me").string());
    меш.присвоить_скелет(std::make_shared<zyr::skelet::Скелет>((папка.путь / "кожа.sk").string()));

    float кадр = 0.0f;
    for (auto _ : состояние) {
        меш.установить_состояние_анимации("ход", кадр);
        benchmark::DoNotOptimize(меш.позиции());
        кадр += 0.37f;
        if (кадр > static_cast<float>(КАДРОВ)) кадр = 0.0f;
    }
    состояние.SetItemsProcessed(static_cast<std::int64_t>(состояние.iterations() * ВЕРШИН));
}
BENCHMARK(Скиннинг)->Unit(benchmark::kMicrosecond);

}  // namespace
