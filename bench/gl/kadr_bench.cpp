// The time of one whole frame of the engine's loop (events, scene update,
// projection, both scene passes, panels, buffer swap, finished rendering) in an
// 800 x 600 window: 500 textured, lit spheres of about 500 triangles each, and
// the same frame with only info panels on screen. Reported per frame: mean and
// 99th percentile, in milliseconds.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tools/generator/geometrija.hpp"
#include "tools/generator/holst.hpp"
#include "tools/pisatel.hpp"
#include <fmt/format.h>

#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/lamp.hpp"
#include "zyr/mesto.hpp"
#include "zyr/okno.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/vis.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr_manager.hpp"
#include "zyr/zyr_object.hpp"

namespace {

constexpr int ШАРОВ_В_РЯДУ = 25;
constexpr int РЯДОВ = 20;
constexpr int ПАНЕЛЕЙ = 12;
constexpr const char* ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

void записать_текст(const std::filesystem::path& путь, const std::string& текст) {
    pisatel::записать(путь, текст);
}

// The window, the manager and the resource folder, made once for the whole run.
struct Среда {
    std::filesystem::path папка;
    std::shared_ptr<zyr::zyr_manager::ZYRМенеджер> менеджер;
    std::shared_ptr<zyr::mesto::Место> шары;
    std::vector<std::shared_ptr<zyr::infopanel::Инфопанель>> панели;

    Среда() {
        папка = std::filesystem::temp_directory_path() / ("кадр_бенчмарк_" + std::to_string(::getpid()));
        std::filesystem::create_directories(папка);
        const auto сфера = generator::сфера(1.0f, 18, 15);
        pisatel::записать(папка / "шар.me",
                          pisatel::меш_версии_1({сфера.позиции, сфера.текстурные, сфера.нормали, сфера.индексы}));
        generator::Холст картинка(64, 64);
        картинка.залить([](generator::В2 p) {
            const bool клетка = (static_cast<int>(p.x) / 8 + static_cast<int>(p.y) / 8) % 2 == 0;
            return клетка ? generator::Цвет{0.9f, 0.3f, 0.2f, 1} : generator::Цвет{0.2f, 0.4f, 0.9f, 1};
        });
        картинка.сохранить_png((папка / "клетки.png").string(), false);
        записать_текст(папка / "шар.ob", R"({"имя": "шар", "меш": {"имя": "шар"},
            "материал": {"диффузная_текстура": "клетки", "бликовый_цвет": [0.5, 0.5, 0.5, 1.0], "степень_блика": 12.5}})");

        // Panels of a menu screen: a picture across each, three picture buttons
        // and a line of text.
        std::filesystem::copy_file(ШРИФТ, папка / "LiberationSerif-Italic.ttf");
        for (int i = 0; i < ПАНЕЛЕЙ; ++i) {
            const float x = static_cast<float>((i % 3) * 260 + 10);
            const float y = static_cast<float>((i / 3) * 145 + 10);
            записать_текст(папка / ("панель" + std::to_string(i) + ".ip"),
                           fmt::format(R"({{"имя": "панель{}", "координаты": [{:.1f}, {:.1f}, 250.0, 135.0],
                "элементы": [{{"имя": "фон", "координаты": [0.0, 0.0, 1.0, 1.0], "текстура": "клетки"}},
                             {{"имя": "кнопка1", "координаты": [0.05, 0.1, 0.25, 0.4], "текстура": "клетки"}},
                             {{"имя": "кнопка2", "координаты": [0.375, 0.1, 0.25, 0.4], "текстура": "клетки"}},
                             {{"имя": "кнопка3", "координаты": [0.7, 0.1, 0.25, 0.4], "текстура": "клетки"}}]}})",
                                       i, x, y));
        }

        zyr::types::ПараметрыОкна п;
        п.ширина = 800;
        п.высота = 600;
        п.синхронизация = 0;
        п.имя = "кадр";
        zyr::zavisimost::okno_SDL2::инициализация_окна_SDL_GL(п);
        менеджер = zyr::zyr_manager::ZYRМенеджер::создать({папка.string()});

        const auto& корень = менеджер->начальное_место();
        шары = корень->создать_ребёнка("шары", {0, 0, 0}, zyr::quaternion::Кватернион::НОЛЬ, {1, 1, 1});
        for (int ряд = 0; ряд < РЯДОВ; ++ряд) {
            for (int i = 0; i < ШАРОВ_В_РЯДУ; ++i) {
                const float x = (static_cast<float>(i) - (ШАРОВ_В_РЯДУ - 1) / 2.0f) * 2.2f;
                const float y = (static_cast<float>(ряд) - (РЯДОВ - 1) / 2.0f) * 2.2f;
                auto место = шары->создать_ребёнка("шар_" + std::to_string(ряд * ШАРОВ_В_РЯДУ + i), {x, y, 0},
                                                   zyr::quaternion::Кватернион::НОЛЬ, {1, 1, 1});
                место->присоединить_объект(менеджер->получить_объект("шар"));
            }
        }
        auto место_лампы =
            корень->создать_ребёнка("место_лампы", {0, 30, 30}, zyr::quaternion::Кватернион::НОЛЬ, {1, 1, 1});
        место_лампы->присоединить_объект(std::make_shared<zyr::lamp::Лампа>("лампа", 0));
        менеджер->место_камеры()->задать_позицию(0, 0, 45);
        const std::array<float, 4> фон{0.1f, 0.1f, 0.15f, 1.0f};
        менеджер->визуализатор().задать_цвет_фона(фон);

        const std::array<float, 3> белый{1.0f, 1.0f, 1.0f};
        for (int i = 0; i < ПАНЕЛЕЙ; ++i) {
            auto панель = менеджер->получить_инфопанель("панель" + std::to_string(i));
            auto надпись = std::make_shared<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>("надпись", false, 0.05f,
                                                                                            0.6f, 0.9f, 0.3f);
            панель->присоединить_элемент(надпись);
            надпись->задать_текст(*менеджер, "Уровень " + std::to_string(i + 1), "LiberationSerif-Italic_24", белый);
            надпись->обновить_размеры();
            панели.push_back(std::move(панель));
        }
    }

    ~Среда() {
        менеджер.reset();
        zyr::okno::закрыть_окно();
        std::error_code ошибка;
        std::filesystem::remove_all(папка, ошибка);
    }
};

Среда& среда() {
    static Среда с;
    return с;
}

// One frame of the loop per iteration, timed to the end of its rendering.
void измерить_кадры(benchmark::State& state, zyr::zyr_manager::ZYRМенеджер& менеджер) {
    std::vector<double> кадры;
    кадры.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        const auto начало = std::chrono::steady_clock::now();
        менеджер.визуализатор().визуализация(1);
        glFinish();
        const std::chrono::duration<double> прошло = std::chrono::steady_clock::now() - начало;
        state.SetIterationTime(прошло.count());
        кадры.push_back(прошло.count() * 1000.0);
    }
    std::sort(кадры.begin(), кадры.end());
    double сумма = 0;
    for (double к : кадры) сумма += к;
    state.counters["среднее_мс"] = сумма / static_cast<double>(кадры.size());
    state.counters["p99_мс"] = кадры[std::min(кадры.size() - 1, кадры.size() * 99 / 100)];
}

void Кадр500ШаровСТекстуройИСветом(benchmark::State& state) {
    auto& с = среда();
    с.шары->задать_видимость(true);
    с.менеджер->удалить_все_инфопанели();
    state.counters["треугольников"] = static_cast<double>(с.шары->количество_граней());
    измерить_кадры(state, *с.менеджер);
}
BENCHMARK(Кадр500ШаровСТекстуройИСветом)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

void КадрТолькоСПанелями(benchmark::State& state) {
    auto& с = среда();
    с.шары->задать_видимость(false);
    for (const auto& панель : с.панели) с.менеджер->добавить_инфопанель(панель);
    state.counters["панелей"] = static_cast<double>(с.менеджер->инфопанели().size());
    измерить_кадры(state, *с.менеджер);
}
BENCHMARK(КадрТолькоСПанелями)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
