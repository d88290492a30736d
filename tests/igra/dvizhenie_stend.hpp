// The fixture of the chain's frame-step tests: a chain on a straight path with
// balls laid at chosen places and colours, and the statistics recording each score.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "src/igrovaja_statistika.hpp"
#include "src/put.hpp"
#include "src/shariki.hpp"
#include "support/igra/stend_igry.hpp"
#include "support/igra/uchet_cepochki.hpp"

namespace test_dvizhenie {

using namespace shariki;
using test_stend::Г;

// Counts the points of every scoring call.
class ЗаписьОчков : public igrovaja_statistika::ИгроваяСтатистика {
public:
    void добавить_очки(int n) override {
        начисления.push_back(n);
        ИгроваяСтатистика::добавить_очки(n);
    }
    std::vector<int> начисления;
};

// A ball: its place x along segment 1 and its colour.
struct Ш {
    float x = 0.0f;
    std::uint32_t цвет = 0;
};

class Движение : public test_stend::СтендИгры {
protected:
    void SetUp() override {
        СтендИгры::SetUp();
        igrovaja_statistika::игровая_статистика = статистика;
        цепь = std::make_unique<ЖивыеШары>(путь);
    }
    void TearDown() override {
        цепь.reset();
        СтендИгры::TearDown();
    }

    // Settings read before the chain is built, as a field reads them before it
    // builds its chains: the chain's own steps, a removal's push among them, take
    // the speeds from the start. The counters start again with the new chain.
    void настроить_до_цепи(std::string_view строки) {
        настроить(строки);
        цепь.reset();
        счётчик_цветов = {};
        цепь = std::make_unique<ЖивыеШары>(путь);
    }

    // A ball of the colour at x, not yet in the chain.
    std::shared_ptr<ШарНаПути> новый_шар(float x, std::uint32_t цвет) const {
        auto шар = std::make_shared<ШарНаПути>(*путь);
        шар->шарик->новый_материал(static_cast<std::int32_t>(цвет));
        шар->задать_позицию(*путь, 1, x);
        return шар;
    }
    // The balls, the first furthest along, in the groups; the counters count them.
    void выложить(const std::vector<Ш>& шары, const std::vector<Г>& г) {
        for (const auto& [x, цвет] : шары) {
            цепь->шары.push_back(новый_шар(x, цвет));
            обновить_живые_цвета(цвет, 1);
        }
        for (const auto& x : г) {
            ГруппаШаров группа(x.первый, x.последний, x.состояние);
            группа.в_начале = x.в_начале;
            группа.в_конце = x.в_конце;
            цепь->группы.push_back(группа);
        }
    }
    // A shot ball of the colour put into the chain at x.
    void вставить(float x, std::uint32_t цвет) { цепь->вставка(новый_шар(x, цвет)); }
    // Path distance from the entrance; the scene position must agree with the place.
    float место(std::size_t i) const {
        const ШарНаПути& ш = *цепь->шары.at(i);
        EXPECT_LT((ш.шарик->получить_позицию() - путь->точка(ш.сегмент, ш.смещение)).длина(), 1e-3f);
        return путь->расстояние(1, 0.0f, ш.сегмент, ш.смещение);
    }
    // Turns ball k into an action ball registered under path 7, as the chain's action step does.
    std::shared_ptr<ДействующийШарНаПути> сделать_действующим(std::size_t k) {
        const auto простой = цепь->шары.at(k);
        auto д = std::make_shared<ДействующийШарНаПути>(*простой);
        д->номер_пути = 7;
        живые_действующие_шары[{7, static_cast<std::uint32_t>(д->номер)}] = д;
        мёртвые_шары.push_front(простой);
        простой->убить();
        цепь->opIndexAssign(д, k);
        return д;
    }
    // Turns action ball k back into a plain one, as the path set does when its life runs out.
    void вернуть_простой(std::size_t k) {
        const auto д = std::dynamic_pointer_cast<ДействующийШарНаПути>(цепь->шары.at(k));
        auto простой = std::make_shared<ШарНаПути>(*путь);
        простой->шарик->новый_материал(д->шарик->номер_материала);
        простой->шарик->задать_позицию(д->шарик->получить_позицию());
        std::tie(простой->сегмент, простой->смещение, простой->уровень_объединения) =
            std::tie(д->сегмент, д->смещение, д->уровень_объединения);
        цепь->opIndexAssign(простой, k);
        живые_действующие_шары.erase({д->номер_пути, static_cast<std::uint32_t>(д->номер)});
        sharik::разрешить_действие(д->вид_действия);
        д->убить();
        мёртвые_действующие_шары.push_front(д);
    }
    std::vector<std::uint32_t> цвета(const std::vector<ДанныеВзрыва>& записи) const {
        std::vector<std::uint32_t> ц;
        for (const auto& з : записи) ц.push_back(з.номер_цвета);
        return ц;
    }

    // A path like the fixture's, with a lead-in from x = −20 and the exit to 1020;
    // set before SetUp builds the chain.
    void короткий_заезд() {
        путь = std::make_shared<put::Путь>(std::vector<Вектор3>{{-20, 0, 0}, {0, 0, 0}, {1000, 0, 0}, {1020, 0, 0}},
                                           std::vector<put::Разрыв>{});
    }

    // The lead-in from x = −50, segment 1 from the entrance at x = 0 to 1000, the exit to 1100.
    std::shared_ptr<put::Путь> путь = std::make_shared<put::Путь>(
        std::vector<Вектор3>{{-50, 0, 0}, {0, 0, 0}, {1000, 0, 0}, {1100, 0, 0}}, std::vector<put::Разрыв>{});
    std::shared_ptr<ЗаписьОчков> статистика = std::make_shared<ЗаписьОчков>();
    std::unique_ptr<ЖивыеШары> цепь;
};

}  // namespace test_dvizhenie
