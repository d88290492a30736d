// The ball chain: entry at the entrance, placing of shot balls, removals, action
// balls leaving, and the bookkeeping the motion step relies on under random
// insertions and removals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <set>

#include "src/put.hpp"
#include "src/shariki.hpp"
#include "support/igra/stend_igry.hpp"
#include "support/igra/uchet_cepochki.hpp"

namespace {

using namespace shariki;
using my_utils::journal::УровниЖурнала;
using test_stend::Г;
using test_stend::группы;
using test_stend::нарушение_учёта;
using test_stend::сколько_раз;

std::int32_t всего_цветов() { return std::accumulate(счётчик_цветов.begin(), счётчик_цветов.end(), 0); }

class Цепочка : public test_stend::СтендИгры {
protected:
    void SetUp() override {
        СтендИгры::SetUp();
        цепь = std::make_unique<ЖивыеШары>(путь);
    }
    void TearDown() override {
        цепь.reset();
        СтендИгры::TearDown();
    }

    // A ball of the colour at a place, from the pool or new, as the path set makes a shot ball.
    std::shared_ptr<ШарНаПути> шар(std::uint32_t сегмент, float смещение, std::uint32_t цвет = 0) {
        std::shared_ptr<ШарНаПути> ш;
        if (!мёртвые_шары.empty()) {
            ш = мёртвые_шары.front();
            мёртвые_шары.pop_front();
            ш->шарик->возродить(static_cast<std::int32_t>(цвет));
        } else {
            ш = std::make_shared<ШарНаПути>(*путь);
            ш->шарик->новый_материал(static_cast<std::int32_t>(цвет));
        }
        ш->задать_позицию(*путь, сегмент, смещение);
        return ш;
    }
    // Appends a ball at a place with the next queued colour, as if it had entered and rolled there.
    void положить(std::uint32_t сегмент, float смещение) {
        цепь->шары.push_back(шар(сегмент, смещение, цепь->новые_шары.back()));
        цепь->новые_шары.pop_back();
    }
    // Balls at these x of segment 1, the first furthest along, in the given groups.
    void выложить(const std::vector<float>& места, const std::vector<Г>& г) {
        for (const float x : места) положить(1, x);
        for (const auto& x : г) {
            ГруппаШаров группа(x.первый, x.последний, x.состояние);
            группа.в_начале = x.в_начале;
            группа.в_конце = x.в_конце;
            цепь->группы.push_back(группа);
        }
    }
    // Turns ball k into an action ball registered under the path number, as the chain's action step does.
    std::shared_ptr<ДействующийШарНаПути> сделать_действующим(std::size_t k, std::uint32_t номер_пути) {
        const auto простой = цепь->шары.at(k);
        std::shared_ptr<ДействующийШарНаПути> д;
        if (!мёртвые_действующие_шары.empty()) {
            д = мёртвые_действующие_шары.front();
            мёртвые_действующие_шары.pop_front();
            д->возродить(*простой);
        } else {
            д = std::make_shared<ДействующийШарНаПути>(*простой);
        }
        д->номер_пути = номер_пути;
        живые_действующие_шары[{номер_пути, static_cast<std::uint32_t>(д->номер)}] = д;
        мёртвые_шары.push_front(простой);
        простой->убить();
        цепь->opIndexAssign(д, k);
        return д;
    }

    // The lead-in from x = −50, segment 1 from the entrance at x = 0 to 1000, the exit to 1100.
    std::shared_ptr<put::Путь> путь = std::make_shared<put::Путь>(
        std::vector<Вектор3>{{-50, 0, 0}, {0, 0, 0}, {1000, 0, 0}, {1100, 0, 0}}, std::vector<put::Разрыв>{});
    std::unique_ptr<ЖивыеШары> цепь;
};

class ПерваяЦепочка : public test_stend::СтендИгры {};

TEST_F(ПерваяЦепочка, СтавитЦветаВОчередьИСчитаетИхОдинРазЗадаваяДлинуРазгона) {
    const auto путь = std::make_shared<put::Путь>(std::vector<Вектор3>{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}},
                                                  std::vector<put::Разрыв>{});
    настроить("количество_шаров_на_пути = 10\nколичество_выбегающих_шаров = 15");
    EXPECT_THROW(ЖивыеШары{путь}, std::overflow_error);
    EXPECT_EQ(всего_цветов(), 0);
    EXPECT_EQ(количество_выползающих_шаров, 0u);

    настроить("количество_шаров_на_пути = 200");
    const ЖивыеШары первая(путь);
    std::array<std::int32_t, КОЛИЧЕСТВО_ЦВЕТОВ> в_очереди{};
    for (const auto цвет : первая.новые_шары) ++в_очереди.at(цвет);
    EXPECT_EQ(счётчик_цветов, в_очереди);
    EXPECT_EQ(живые_цвета, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(количество_выползающих_шаров, 185u);
    // A later chain adds its queue and leaves the run-in length as it was.
    настроить("количество_шаров_на_пути = 10");
    const ЖивыеШары вторая(путь);
    EXPECT_EQ(всего_цветов(), 210);
    EXPECT_EQ(количество_выползающих_шаров, 185u);
}

class ВходШара : public Цепочка, public testing::WithParamInterface<std::tuple<float, bool, float>> {};

// The newest ball has rolled до_новейшего from the entrance; a new one enters 9.434
// behind it, or at the entrance when that is closer, and none within 9.384.
TEST_P(ВходШара, НаРасстоянииВходаЗаНовейшимИлиУВхода) {
    const auto [до_новейшего, входит, место_нового] = GetParam();
    const auto цвет = цепь->новые_шары.back();
    ASSERT_TRUE(цепь->добавление_шарика_на_путь());
    const auto& первый = *цепь->opIndex(0);
    EXPECT_EQ(std::tie(первый.сегмент, первый.смещение), std::make_tuple(1u, 0.0f));
    EXPECT_EQ(первый.шарик->получить_позицию(), (Вектор3{0, 0, 0}));
    EXPECT_EQ(первый.шарик->получить_номер_материала(), цвет);
    цепь->доб_сдвинуть_шар(до_новейшего, *цепь->opIndex(0));
    EXPECT_EQ(цепь->добавление_шарика_на_путь(), входит);
    EXPECT_EQ(цепь->новые_шары.size(), входит ? 198u : 199u);
    EXPECT_EQ(всего_цветов(), 200);
    EXPECT_EQ(группы(*цепь), (входит ? std::vector<Г>{{0, 0, 9}, {1, 1, 8}} : std::vector<Г>{{0, 0, 8}}));
    EXPECT_NEAR(цепь->шары.back()->шарик->получить_позицию().x, входит ? место_нового : до_новейшего, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(Цепочка, ВходШара,
                         testing::Values(std::tuple{5.0f, false, 0.0f}, std::tuple{9.38f, false, 0.0f},
                                         std::tuple{9.4f, true, 0.0f}, std::tuple{30.0f, true, 30.0f - 9.434f}));

TEST_F(Цепочка, ШестнадцатыйШарПереключаетВходНаМедленный) {
    журнал_с_уровнем(УровниЖурнала::Отладка);
    for (int k = 1; k <= 17; ++k) {
        for (const auto& ш : цепь->шары) цепь->доб_сдвинуть_шар(10.0f, *ш);
        ASSERT_TRUE(цепь->добавление_шарика_на_путь()) << k;
        EXPECT_EQ(цепь->группы.back().состояние, k <= 16 ? 8u : 5u) << k;
        EXPECT_EQ(цепь->состояние_по_умолчанию, k < 16 ? 8u : 5u) << k;
    }
    for (std::size_t g = 0; g + 1 < цепь->группы.size(); ++g) EXPECT_EQ(цепь->группы[g].состояние, 9u) << g;
    EXPECT_EQ(сколько_раз(журнал(), "Уменьшение скорости"), 1u);
}

TEST_F(Цепочка, ПутьКорочеДвухСегментовНеВпускаетШаров) {
    for (const std::size_t вершин : {2u, 3u}) {
        std::vector<Вектор3> вершины{{-50, 0, 0}, {0, 0, 0}, {100, 0, 0}};
        вершины.resize(вершин);
        ЖивыеШары короткая(std::make_shared<put::Путь>(вершины, std::vector<put::Разрыв>{}));
        EXPECT_EQ(короткая.добавление_шарика_на_путь(), вершин == 3u);
    }
}

TEST_F(Цепочка, ДвижениеПоПутиОстанавливаетсяНаКонцах) {
    положить(1, 990.0f);
    const auto& ш = *цепь->opIndex(0);
    for (const auto& [расстояние, сегмент, смещение] : std::vector<std::tuple<float, std::uint32_t, float>>{
             {0, 1, 990}, {20, 2, 10}, {500, 2, 100}, {-995, 0, 45}, {-5000, 0, 0}}) {
        const auto р = цепь->дш_расчёт_движения_шарика(расстояние, ш);
        EXPECT_EQ(р.сегмент, сегмент) << расстояние;
        EXPECT_NEAR(р.смещение, смещение, 1e-3f) << расстояние;
        EXPECT_EQ(р.точка, путь->точка(р.сегмент, р.смещение)) << расстояние;
        EXPECT_EQ(р.перемещение, р.точка - ш.шарик->получить_позицию()) << расстояние;
    }
}

// Balls at x of segment 1 in groups; a ball is taken at index номер: where a shot
// at x goes, or which ball is removed. The groups after it, and where given their
// previous states.
struct Случай {
    std::vector<float> места;
    std::vector<Г> было;
    float x;
    std::uint32_t номер;
    std::vector<Г> стало;
    std::vector<std::uint32_t> предыдущие{};
};
void PrintTo(const Случай& с, std::ostream* os) { *os << с.x << " -> " << с.номер; }

class ВставкаШара : public Цепочка, public testing::WithParamInterface<Случай> {};

TEST_P(ВставкаШара, ЗанимаетМестоПоПорядкуИДелитГруппы) {
    журнал_с_уровнем(УровниЖурнала::Отладка);
    const auto& с = GetParam();
    выложить(с.места, с.было);
    const auto ш = шар(1, с.x, 3);
    const auto цвета = счётчик_цветов[3];
    цепь->вставка(ш);
    EXPECT_EQ(цепь->opIndex(с.номер), ш);
    EXPECT_EQ(группы(*цепь), с.стало);
    EXPECT_EQ(счётчик_цветов[3], цвета + 1);
    // Placed at either end without the binary search, the line shows its bounds as −1;
    // after the search, the ball takes index b.
    const bool без_поиска = с.места.empty() || с.номер == с.места.size() || с.x > с.места.front();
    const std::string н = std::to_string(с.номер);
    const auto текст = журнал();
    EXPECT_EQ(сколько_раз(текст, (без_поиска ? "a=-1, b=-1" : "b=" + н) + ", номер_шара=" + н + ","), 1u) << текст;
    EXPECT_EQ(сколько_раз(текст, "номер_шара="), 1u);
}

// Touching balls lie 9.334 apart; balls closer than 9.384 touch. Groups: first, last, state, в_начале, в_конце.
INSTANTIATE_TEST_SUITE_P(
    Цепочка, ВставкаШара,
    testing::Values(
        Случай{{}, {}, 50, 0, {{0, 0, 8}}},
        // Behind the newest ball: the new last group; the group ahead stops, or is pushed when touched.
        Случай{{100, 90.666f}, {{0, 1, 8}}, 50, 2, {{0, 1, 9}, {2, 2, 8}}},
        Случай{{100, 90.666f}, {{0, 1, 8}}, 85, 2, {{0, 1, 2, 0, 1}, {2, 2, 8, 1, 0}}},
        // Ahead of ball 0: stopped, or pushing when it overlaps.
        Случай{{100, 90.666f}, {{0, 1, 8}}, 120, 0, {{0, 0, 9}, {1, 2, 8}}},
        Случай{{100, 90.666f}, {{0, 1, 8}}, 105, 0, {{0, 0, 2, 0, 1}, {1, 2, 8, 1, 0}}},
        // Inside a group: three groups; the part behind keeps the state and the contact with the next group.
        Случай{{100, 90.666f, 81.332f, 72}, {{0, 3, 8}}, 86, 2, {{0, 1, 2, 0, 1}, {2, 2, 2, 1, 1}, {3, 4, 8, 1, 0}}},
        Случай{{100, 70, 40}, {{0, 2, 5}}, 85, 1, {{0, 0, 9}, {1, 1, 9}, {2, 3, 5}}},
        Случай{{100, 90.666f, 81.332f, 73}, {{0, 2, 8, 0, 1}, {3, 3, 9, 1, 0}}, 95, 1,
               {{0, 0, 2, 0, 1}, {1, 1, 2, 1, 1}, {2, 3, 8, 1, 1}, {4, 4, 9, 1, 0}}},
        // Level with a ball: behind it.
        Случай{{100, 80, 60}, {{0, 0, 9}, {1, 1, 9}, {2, 2, 8}}, 80, 2,
               {{0, 0, 9}, {1, 1, 2, 0, 1}, {2, 2, 0, 1}, {3, 3, 8}}},
        // Into the gap before a group: at rest, or pushing the group behind when it touches it.
        Случай{{100, 60, 50.666f}, {{0, 0, 9}, {1, 2, 8}}, 80, 1, {{0, 0, 9}, {1, 1, 0}, {2, 3, 8}}},
        Случай{{100, 60, 50.666f}, {{0, 0, 9}, {1, 2, 8}}, 65, 1, {{0, 0, 9}, {1, 1, 2, 0, 1}, {2, 3, 8, 1, 0}}}));

// A hairpin: the lead ball has come back along the return leg, 8 beside segment 1,
// at x = 50; balls 1 to 3 lie on segment 1 at 80, 61.2 and 20. A shot on segment 1
// at x hits only a ball next to it in path order, closer than 9.384.
class Попадание : public Цепочка, public testing::WithParamInterface<std::tuple<float, bool>> {
protected:
    void SetUp() override {
        путь = std::make_shared<put::Путь>(
            std::vector<Вектор3>{{-50, 0, 0}, {0, 0, 0}, {100, 0, 0}, {100, 0, 8}, {0, 0, 8}, {-50, 0, 8}},
            std::vector<put::Разрыв>{});
        Цепочка::SetUp();
    }
};

TEST_P(Попадание, ТолькоСоседПоПутиБлижеРасстоянияКасания) {
    const auto [x, попадание] = GetParam();
    положить(3, 50.0f);
    for (const float место : {80.0f, 61.2f, 20.0f}) положить(1, место);
    const auto ш = шар(1, x);
    EXPECT_EQ(цепь->проверка_нахождения_рядом(*ш), попадание);
    const auto текст = журнал();
    EXPECT_EQ(сколько_раз(текст, "Попадание! новый_шар: " + ш->toString()), попадание ? 1u : 0u);
    EXPECT_EQ(сколько_раз(текст, "шар a: " + цепь->шары[1]->toString() + ", шар b: " + цепь->шары[2]->toString()),
              попадание ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Цепочка, Попадание,
                         testing::Values(std::tuple{70.64f, true}, std::tuple{70.56f, true},
                                         std::tuple{70.6f, false},
                                         // Beside the lead ball across the bend, far from its neighbours.
                                         std::tuple{50.5f, false}));

class УдалениеШара : public Цепочка, public testing::WithParamInterface<Случай> {};

TEST_P(УдалениеШара, УкорачиваетИлиДелитГруппуСогласуяКонтакты) {
    const auto& с = GetParam();
    выложить(с.места, с.было);
    // A push that an insertion started leaves the group's earlier state as its previous one.
    for (auto& группа : цепь->группы)
        if (группа.состояние == РАЗДВИГАНИЕ) группа.предыдущее_состояние = СТОП;
    const auto ушедший = цепь->opIndex(с.номер);
    const auto цвет = ушедший->шарик->получить_номер_материала();
    const auto цвета = счётчик_цветов[цвет];
    цепь->удаление(с.номер);
    EXPECT_EQ(группы(*цепь), с.стало);
    if (!с.предыдущие.empty()) {
        std::vector<std::uint32_t> предыдущие;
        for (const auto& группа : цепь->группы) предыдущие.push_back(группа.предыдущее_состояние);
        EXPECT_EQ(предыдущие, с.предыдущие);
    }
    EXPECT_EQ(цепь->length(), с.места.size() - 1);
    EXPECT_EQ(счётчик_цветов[цвет], цвета - 1);
    EXPECT_FALSE(ушедший->живой());
    EXPECT_EQ(мёртвые_шары.front(), ушедший);
}

INSTANTIATE_TEST_SUITE_P(
    Цепочка, УдалениеШара,
    testing::Values(
        // The part ahead stops; the part behind keeps the state and any contact with the next group.
        Случай{{100, 90.666f, 81.332f, 72, 62.664f}, {{0, 4, 8}}, 0, 2, {{0, 1, 9}, {2, 3, 8}}},
        Случай{{100, 90.666f, 81.332f, 72, 62.664f, 54}, {{0, 4, 5, 0, 1}, {5, 5, 9, 1, 0}}, 0, 2,
               {{0, 1, 9}, {2, 3, 5, 0, 1}, {4, 4, 9, 1, 0}}},
        // The newest ball alone: the group ahead takes the smaller state; left
        // stopped or at rest, it runs in, since nothing behind will push it.
        Случай{{100, 50}, {{0, 0, 9}, {1, 1, 8}}, 0, 1, {{0, 0, 8}}},
        Случай{{100, 90.666f, 75, 50}, {{0, 1, 9}, {2, 2, 0}, {3, 3, 5}}, 0, 3, {{0, 1, 9}, {2, 2, 8}}},
        // A push stops as when its overlap ends, when it loses the ball carrying its
        // contact, the first ball of the group behind, or that whole group.
        Случай{{100, 90.666f, 82}, {{0, 1, 2, 0, 1}, {2, 2, 0, 1, 0}}, 0, 1, {{0, 0, 9}, {1, 1, 0}}, {2, 0}},
        Случай{{100, 91, 81.666f, 72.332f}, {{0, 0, 2, 0, 1}, {1, 3, 8, 1, 0}}, 0, 1, {{0, 0, 9}, {1, 2, 8}}, {2, 8}},
        // A ball alone between two contacts: both end, the push ahead stops.
        Случай{{100, 91, 82, 72.666f}, {{0, 0, 2, 0, 1}, {1, 1, 2, 1, 1}, {2, 3, 8, 1, 0}}, 0, 1,
               {{0, 0, 9}, {1, 2, 8}}, {2, 8}}));

TEST_F(Цепочка, УдалениеЗаПределамиЦепочкиНичегоНеМеняет) {
    выложить({100, 90.666f, 50}, {{0, 1, 8}, {2, 2, 9}});
    const auto шары = цепь->шары;
    const auto цвета = счётчик_цветов;
    EXPECT_THROW(цепь->удаление(3), ШарикиИсключение);
    EXPECT_THROW(цепь->взорвать_несколько_шариков({0, 3, 1}), ШарикиИсключение);
    EXPECT_THROW(цепь->удаление(std::uint64_t{1} << 40), std::overflow_error);
    EXPECT_EQ(цепь->шары, шары);
    EXPECT_EQ(группы(*цепь), (std::vector<Г>{{0, 1, 8}, {2, 2, 9}}));
    EXPECT_EQ(счётчик_цветов, цвета);
    EXPECT_TRUE(цепь->номера_на_удаление.empty());
    EXPECT_TRUE(цепь->действия_при_удалении);
    // The object number still finds a ball after the indices shift.
    цепь->удаление(0);
    EXPECT_EQ(цепь->поиск_шара(static_cast<std::uint32_t>(шары[2]->номер)), 1);
}

enum class Уход { Совпадение, Взрыв, Суицид, Очистка };

class УходДействующегоШара : public Цепочка, public testing::WithParamInterface<Уход> {};

TEST_P(УходДействующегоШара, ДействиеНачинаетТолькоСовпадениеИначеВидРазрешёнСнова) {
    выложить({100, 80, 60}, {{0, 0, 9}, {1, 1, 9}, {2, 2, 8}});
    sharik::запрещённые_действия = {true, true, true, true, false};
    const auto д = сделать_действующим(1, 3);
    ASSERT_EQ(д->вид_действия, sharik::МИКРОСАМОЛЁТИК);
    sharik::запрещённые_действия = {false, false, false, false, true};
    const ДанныеВзрыва запись{д->шарик->получить_номер_материала(), д->шарик->получить_позицию()};
    switch (GetParam()) {
        case Уход::Совпадение: цепь->удаление(1); break;
        case Уход::Взрыв: EXPECT_EQ(цепь->взорвать_несколько_шариков({1, 1}), std::vector{запись}); break;
        case Уход::Суицид: EXPECT_EQ(цепь->суицид().at(1), запись); break;
        case Уход::Очистка:
            цепь->очистка();
            EXPECT_TRUE(цепь->новые_шары.empty());
            break;
    }
    const bool совпадение = GetParam() == Уход::Совпадение;
    const auto& состояние = состояния_действий[sharik::МИКРОСАМОЛЁТИК];
    EXPECT_EQ(static_cast<bool>(состояние), совпадение);
    EXPECT_EQ(состояние.место, совпадение ? запись.позиция : Вектор3{});
    EXPECT_EQ(sharik::запрещённые_действия[sharik::МИКРОСАМОЛЁТИК], совпадение);
    EXPECT_TRUE(цепь->действия_при_удалении);
    EXPECT_TRUE(живые_действующие_шары.empty());
    EXPECT_EQ(мёртвые_действующие_шары.front(), д);
    EXPECT_FALSE(д->живой());
}

INSTANTIATE_TEST_SUITE_P(Цепочка, УходДействующегоШара,
                         testing::Values(Уход::Совпадение, Уход::Взрыв, Уход::Суицид, Уход::Очистка));

// A winding path of 81 segments from 2 to 40 long, one of them of length 0.
class ДлинныйПуть : public Цепочка {
protected:
    void SetUp() override {
        путь = test_stend::извилистый_путь(7, 80, 1.2f, 20);
        СтендИгры::SetUp();
        настроить("количество_шаров_на_пути = 20000");
        цепь = std::make_unique<ЖивыеШары>(путь);
    }
};

TEST_F(ДлинныйПуть, СлучайныеВставкиИУдаленияСохраняютУчёт) {
    std::mt19937 г(2026);
    const auto целое = [&](std::int64_t от, std::int64_t до) {
        return std::uniform_int_distribution<std::int64_t>(от, до)(г);
    };
    const auto равномерное = [&](float от, float до) { return std::uniform_real_distribution<float>(от, до)(г); };
    const auto последний = static_cast<std::uint32_t>(путь->length() - 1);
    constexpr std::array<std::uint32_t, 6> СОСТОЯНИЯ{0, 2, 3, 5, 8, 9};
    // Runs of touching balls, groups in contact and gaps, laid back from near the exit.
    const auto выложить_случайно = [&] {
        ASSERT_FALSE(цепь->новые_шары.empty());
        положить(последний - 2, 0.0f);
        цепь->группы.emplace_back(0, 0, СОСТОЯНИЯ[целое(0, 5)]);
        for (int i = 0; i < 60 && !цепь->новые_шары.empty(); ++i) {
            const auto вид = целое(0, 2);
            // A contact may be just ending: its groups are already a little further apart than touching.
            const float зазор = вид == 0 ? 9.334f : вид == 1 ? равномерное(9.0f, 10.0f) : равномерное(9.5f, 40.0f);
            const auto р = цепь->дш_расчёт_движения_шарика(-зазор, *цепь->шары.back());
            if (р.сегмент == 0) break;
            положить(р.сегмент, р.смещение);
            const auto n = static_cast<std::uint32_t>(цепь->шары.size() - 1);
            if (вид == 0) {
                ++цепь->группы.back().последний;
                continue;
            }
            ГруппаШаров группа(n, n, СОСТОЯНИЯ[целое(0, 5)]);
            группа.в_начале = цепь->группы.back().в_конце = вид == 1;
            цепь->группы.push_back(группа);
        }
        // A push needs a contact ahead.
        for (auto& группа : цепь->группы)
            if (группа.состояние == РАЗДВИГАНИЕ && !группа.в_конце) группа.состояние = СТОП;
    };

    выложить_случайно();
    ASSERT_EQ(нарушение_учёта(*цепь), "");
    for (int шаг = 0; шаг < 4000; ++шаг) {
        const auto n = static_cast<std::int64_t>(цепь->length());
        const auto действие = целое(0, 9);
        if (n == 0) {
            выложить_случайно();
        } else if (действие <= 2) {
            // Near a ball of the chain, or anywhere between the entrance and the exit.
            РезультатДвижения р;
            if (целое(0, 3) > 0) {
                р = цепь->дш_расчёт_движения_шарика(равномерное(-12.0f, 12.0f), *цепь->шары[целое(0, n - 1)]);
            } else {
                р.сегмент = static_cast<std::uint32_t>(целое(1, последний - 1));
                р.смещение = равномерное(0.0f, путь->получить_длину_вектора(р.сегмент));
            }
            if (р.сегмент == 0 || р.сегмент >= последний) continue;
            цепь->вставка(шар(р.сегмент, р.смещение, static_cast<std::uint32_t>(целое(0, 5))));
        } else if (действие <= 4) {
            цепь->удаление(целое(0, n - 1));
        } else if (действие == 5) {
            std::vector<std::uint32_t> номера;
            for (auto k = целое(1, 5); k > 0; --k) номера.push_back(static_cast<std::uint32_t>(целое(0, n - 1)));
            const std::set<std::uint32_t> разные(номера.begin(), номера.end());
            EXPECT_EQ(цепь->взорвать_несколько_шариков(номера).size(), разные.size());
        } else if (действие == 6) {
            цепь->добавление_шарика_на_путь();
        } else if (действие == 7) {
            const auto k = static_cast<std::size_t>(целое(0, n - 1));
            if (!цепь->шары[k]->действующий) сделать_действующим(k, 0);
        } else if (действие == 8 || целое(0, 3) > 0) {
            цепь->удаление(целое(0, n - 1));
        } else {
            EXPECT_EQ(цепь->суицид().size(), static_cast<std::size_t>(n));
        }
        ASSERT_EQ(нарушение_учёта(*цепь), "") << "шаг " << шаг;
    }
}

}  // namespace
