// The chains' work in one frame of play at 60 frames a second, for P paths of N
// balls each, on generated serpentine paths long enough for the balls: one group
// running in; groups of 10 whose colours match across the gaps, so that they pull
// back, meet, join and score; and the spike of every chain blowing up at once.
// Reported per frame (or per spike): mean and 99th percentile in nanoseconds, and
// the mean per ball. The journal runs at the game's default level.
//
// A field kind drives the chains of a field the way the game does each frame: the
// chains alone ("цепочки"), and the path set ("пути") with its action balls and
// actions as the field's main step calls them. Both are built from the paths'
// vertex lists and offer количество, цепь(i), путь(i), кадр(dt) and суицид().
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <fmt/format.h>

#include "my_utils/journal.hpp"
#include "src/cifry.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/nastroiki.hpp"
#include "src/put.hpp"
#include "src/puti.hpp"
#include "src/sharik.hpp"
#include "src/shariki.hpp"
#include "src/sluchainost.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using shariki::ГруппаШаров;
using shariki::ЖивыеШары;
using shariki::ШарНаПути;
using zyr::vector::Вектор3;

constexpr float DT = 1.0f / 60.0f;
constexpr int КАДРОВ = 10000;
constexpr int ВСПЫШЕК = 1000;
// Centre to centre inside a group: the distance at which groups join.
constexpr float ШАГ_В_ГРУППЕ = 9.384f;
// Centre to centre across a gap between groups of 10.
constexpr float ШАГ_ЧЕРЕЗ_ЗАЗОР = 40.0f;
// Path left ahead of the lead ball: a chain running in covers 60 units a second.
constexpr float ЗАПАС_ВПЕРЕДИ = 1200.0f;

// The manager over the built game's resources, the ball and digit materials, the
// statistics, and the journal at the default level; made once for the run.
struct Среда {
    Среда() {
        журнал = std::filesystem::temp_directory_path() / fmt::format("igra_bench_{}_шарики.log", ::getpid());
        nastroiki::настройки.инициализация();
        sluchainost::засеять(2026);
        zyr::менеджер = zyr::zyr_manager::ZYRМенеджер::создать({std::string(IGRA_GAME_DIR) + "/ресурсы"});
        sharik::инициализация_материалов_шариков();
        cifry::инициализация_материалов_цифр();
        igrovaja_statistika::игровая_статистика = igrovaja_statistika::ИгроваяСтатистика::создать();
    }
    std::filesystem::path журнал;
};

Среда& среда() {
    static Среда с;
    return с;
}

// A serpentine on the ground: a 50-unit lead-in, rows 400 long and 40 apart made of
// 20-unit segments, and a 50-unit exit, for at least длина units from the entrance.
std::vector<Вектор3> змейка(float длина) {
    std::vector<Вектор3> вершины{{-50, 0, 0}, {0, 0, 0}};
    float пройдено = 0.0f;
    float x = 0.0f;
    float z = 0.0f;
    float направление = 1.0f;
    while (пройдено < длина) {
        for (int i = 0; i < 20 && пройдено < длина; ++i, пройдено += 20.0f) {
            x += 20.0f * направление;
            вершины.push_back({x, 0, z});
        }
        for (int i = 0; i < 2 && пройдено < длина; ++i, пройдено += 20.0f) {
            z += 20.0f;
            вершины.push_back({x, 0, z});
        }
        направление = -направление;
    }
    вершины.push_back({x, 0, z + 50.0f});
    return вершины;
}

// One chain per path, each frame as the field runs them before the path set
// exists: a ball enters, the chain moves, a ball may turn into an action ball.
class ЦепочкиНаПутях {
public:
    explicit ЦепочкиНаПутях(const std::vector<std::vector<Вектор3>>& вершины) {
        shariki::счётчик_цветов = {};
        for (const auto& в : вершины) {
            пути_.push_back(std::make_shared<put::Путь>(в, std::vector<put::Разрыв>{}));
            цепи_.push_back(std::make_unique<ЖивыеШары>(пути_.back()));
        }
    }
    ~ЦепочкиНаПутях() {
        for (auto& цепь : цепи_) цепь->очистка();
    }
    ЦепочкиНаПутях(const ЦепочкиНаПутях&) = delete;
    ЦепочкиНаПутях& operator=(const ЦепочкиНаПутях&) = delete;

    std::size_t количество() const { return цепи_.size(); }
    ЖивыеШары& цепь(std::size_t i) { return *цепи_[i]; }
    const put::Путь& путь(std::size_t i) const { return *пути_[i]; }

    void кадр(float dt) {
        for (std::uint32_t i = 0; i < цепи_.size(); ++i) {
            цепи_[i]->добавление_шарика_на_путь();
            const auto взрывы = цепи_[i]->движение_шаров(dt);
            benchmark::DoNotOptimize(взрывы.data());
            цепи_[i]->действующий_шарик(i, dt);
        }
    }
    std::size_t суицид() {
        std::size_t взрывов = 0;
        for (auto& цепь : цепи_) взрывов += цепь->суицид().size();
        return взрывов;
    }

private:
    std::vector<std::shared_ptr<put::Путь>> пути_;
    std::vector<std::unique_ptr<ЖивыеШары>> цепи_;
};

// The path set: each frame as the field's main step drives it.
class ПутиПоля {
public:
    explicit ПутиПоля(const std::vector<std::vector<Вектор3>>& вершины)
        : пути_(вершины, std::vector<std::vector<put::Разрыв>>(вершины.size())) {}
    ~ПутиПоля() { пути_.очистка(); }
    ПутиПоля(const ПутиПоля&) = delete;
    ПутиПоля& operator=(const ПутиПоля&) = delete;

    std::size_t количество() const { return пути_.шары_на_путях.size(); }
    ЖивыеШары& цепь(std::size_t i) { return *пути_.шары_на_путях[i]; }
    const put::Путь& путь(std::size_t i) const { return *пути_.пути[i]; }

    void кадр(float dt) {
        пути_.добавление_шариков_на_пути();
        const auto взрывы = пути_.движение_шаров(dt);
        benchmark::DoNotOptimize(взрывы.data());
        пути_.действующие_шары(dt);
        const auto действия = пути_.обработать_действия(dt);
        benchmark::DoNotOptimize(действия.взрывы.data());
    }
    std::size_t суицид() { return пути_.суицид().size(); }

private:
    puti::Пути пути_;
};

enum class Раскладка { Разгон, Группы, Суицид };

// The place of a ball расстояние units past the entrance; segments are walked from
// (сегмент, начало), the place of an earlier, nearer ball.
void место_на_пути(const put::Путь& путь, float расстояние, std::uint32_t& сегмент, float& начало) {
    while (расстояние - начало > путь.получить_длину_вектора(сегмент) && сегмент + 2 < путь.length()) {
        начало += путь.получить_длину_вектора(сегмент);
        ++сегмент;
    }
}

std::shared_ptr<ШарНаПути> шар_из_пула(const put::Путь& путь, std::uint32_t цвет) {
    std::shared_ptr<ШарНаПути> шар;
    if (!shariki::мёртвые_шары.empty()) {
        шар = shariki::мёртвые_шары.front();
        shariki::мёртвые_шары.pop_front();
        шар->возродить(путь);
    } else {
        шар = std::make_shared<ШарНаПути>(путь);
    }
    шар->шарик->новый_материал(static_cast<std::int32_t>(цвет));
    shariki::обновить_живые_цвета(цвет, 1);
    return шар;
}

// Lays n balls on an empty chain i: one group running in, or groups of 10 stopped
// across 40-unit gaps, the last one running in. Every other gap has matching
// colours, so the group ahead of it is pulled back; of those, alternate ones hold
// a run of three (it scores) or of two (the groups join).
template <class Поле>
void выложить(Поле& поле, std::size_t i, std::size_t n, Раскладка раскладка) {
    ЖивыеШары& цепь = поле.цепь(i);
    const put::Путь& путь = поле.путь(i);
    const bool группы = раскладка == Раскладка::Группы;
    std::vector<float> места(n);
    std::vector<std::uint32_t> цвета(n);
    float s = 9.434f;
    for (std::size_t k = n; k-- > 0;) {
        const std::size_t в_группе = k % 10;
        места[k] = s;
        s += группы && в_группе == 0 ? ШАГ_ЧЕРЕЗ_ЗАЗОР : ШАГ_В_ГРУППЕ;
        const auto g = static_cast<std::uint32_t>(k / 10);
        if (!группы) цвета[k] = static_cast<std::uint32_t>(sluchainost::целое(0, 5));
        else if (в_группе == 0 && g % 2 == 1) цвета[k] = (g - 1) % 6;
        else if (в_группе == 9 || (в_группе == 8 && g % 4 == 0)) цвета[k] = g % 6;
        else цвета[k] = (g + 2 + в_группе % 2) % 6;
    }
    std::uint32_t сегмент = 1;
    float начало = 0.0f;
    std::vector<std::shared_ptr<ШарНаПути>> шары(n);
    for (std::size_t k = n; k-- > 0;) {
        место_на_пути(путь, места[k], сегмент, начало);
        шары[k] = шар_из_пула(путь, цвета[k]);
        шары[k]->задать_позицию(путь, сегмент, места[k] - начало);
    }
    цепь.шары = std::move(шары);
    цепь.группы.clear();
    цепь.состояние_по_умолчанию = shariki::ВХОД_МЕДЛЕННЫЙ;
    if (!группы) {
        цепь.группы.emplace_back(0, static_cast<std::uint32_t>(n - 1), shariki::ВХОД_МЕДЛЕННЫЙ);
        return;
    }
    for (std::uint32_t первый = 0; первый < n; первый += 10) {
        const auto последний = static_cast<std::uint32_t>(std::min<std::size_t>(первый + 9, n - 1));
        цепь.группы.emplace_back(первый, последний, последний + 1 == n ? shariki::ВХОД_МЕДЛЕННЫЙ : shariki::СТОП);
    }
}

// A field of P paths long enough for the layout of N balls a path.
template <class Поле>
std::unique_ptr<Поле> построить(std::size_t p, std::size_t n, Раскладка раскладка) {
    const float на_шар = раскладка == Раскладка::Группы ? 13.0f : 10.0f;
    const auto вершины = змейка(на_шар * static_cast<float>(n) + ЗАПАС_ВПЕРЕДИ);
    return std::make_unique<Поле>(std::vector<std::vector<Вектор3>>(p, вершины));
}

// Pools every ball of the field (starting no action) and lays the layout afresh.
template <class Поле>
void выложить_заново(Поле& поле, std::size_t n, Раскладка раскладка) {
    поле.суицид();
    cifry::удалить_все_числа();
    for (std::size_t i = 0; i < поле.количество(); ++i) выложить(поле, i, n, раскладка);
}

// The groups have pulled back and met within two seconds; a chain running in has
// run its course when its lead ball nears the exit.
template <class Поле>
bool исчерпана(Поле& поле, Раскладка раскладка, int кадров) {
    if (раскладка == Раскладка::Группы) return кадров >= 120;
    for (std::size_t i = 0; i < поле.количество(); ++i) {
        const ЖивыеШары& цепь = поле.цепь(i);
        if (цепь.шары.empty()) return true;
        const ШарНаПути& ведущий = *цепь.шары.front();
        const auto& путь = поле.путь(i);
        const auto последний = static_cast<std::uint32_t>(путь.length() - 1);
        if (путь.расстояние(ведущий.сегмент, ведущий.смещение, последний, 0.0f) < 100.0f) return true;
    }
    return false;
}

void записать(benchmark::State& состояние, std::vector<double>& нс, double шаров) {
    std::sort(нс.begin(), нс.end());
    double сумма = 0.0;
    for (const double x : нс) сумма += x;
    const double среднее = сумма / static_cast<double>(нс.size());
    const auto p99 = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(нс.size()))) - 1;
    состояние.counters["среднее_нс"] = среднее;
    состояние.counters["p99_нс"] = нс[p99];
    состояние.counters["нс_на_шар"] = среднее / шаров;
}

template <class Поле>
void кадры_цепочек(benchmark::State& состояние, Раскладка раскладка) {
    среда();
    my_utils::journal::инициализация_журнала(среда().журнал.string(), my_utils::journal::УровниЖурнала::Информация, {});
    igrovaja_statistika::игровая_статистика->сброс_статистики();
    const auto p = static_cast<std::size_t>(состояние.range(0));
    const auto n = static_cast<std::size_t>(состояние.range(1));
    std::vector<double> нс;
    нс.reserve(static_cast<std::size_t>(состояние.max_iterations));
    auto поле = построить<Поле>(p, n, раскладка);
    for (std::size_t i = 0; i < p; ++i) выложить(*поле, i, n, раскладка);
    int кадров = 0;
    for (auto _ : состояние) {
        if (раскладка != Раскладка::Суицид && исчерпана(*поле, раскладка, кадров)) {
            выложить_заново(*поле, n, раскладка);
            кадров = 0;
        }
        const auto начало = std::chrono::steady_clock::now();
        if (раскладка == Раскладка::Суицид) benchmark::DoNotOptimize(поле->суицид());
        else поле->кадр(DT);
        const std::chrono::duration<double> длилось = std::chrono::steady_clock::now() - начало;
        состояние.SetIterationTime(длилось.count());
        нс.push_back(длилось.count() * 1e9);
        ++кадров;
        if (раскладка == Раскладка::Суицид) выложить_заново(*поле, n, раскладка);
        else cifry::движение_чисел(DT);
    }
    поле.reset();
    // Pooled balls leave the scene while the manager still lives.
    cifry::удалить_все_числа();
    shariki::мёртвые_шары.clear();
    shariki::мёртвые_действующие_шары.clear();
    my_utils::journal::завершить_журнал();
    std::filesystem::remove(среда().журнал);
    записать(состояние, нс, static_cast<double>(p * n));
}

template <class Поле>
void зарегистрировать(const char* вид) {
    const std::pair<const char*, Раскладка> раскладки[]{
        {"разгон", Раскладка::Разгон}, {"группы", Раскладка::Группы}, {"суицид", Раскладка::Суицид}};
    for (const auto& [имя, раскладка] : раскладки) {
        auto* б = benchmark::RegisterBenchmark(fmt::format("{}/{}", вид, имя).c_str(), кадры_цепочек<Поле>, раскладка);
        б->ArgNames({"P", "N"})->UseManualTime()->Iterations(раскладка == Раскладка::Суицид ? ВСПЫШЕК : КАДРОВ);
        for (const int p : {1, 2, 4, 8})
            for (const int n : {50, 100, 200, 400, 800, 1600}) б->Args({p, n});
    }
}

const bool зарегистрировано = (зарегистрировать<ЦепочкиНаПутях>("цепочки"), зарегистрировать<ПутиПоля>("пути"), true);

}  // namespace
