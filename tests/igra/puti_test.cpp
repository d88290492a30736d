// The path set on straight paths with balls put in place (the chains do not move
// here): a new field starting clean, the shot ball's place, action balls turning
// back, and the bomb, the timed actions and the plane's flight.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>
#include <tuple>

#include "src/cifry.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/puti.hpp"
#include "support/igra/stend_igry.hpp"

namespace zyr::vector {
static void PrintTo(const Вектор3& v, std::ostream* поток) { *поток << v.toString(); }
}  // namespace zyr::vector

namespace puti {
static void PrintTo(const РезультатДействий& р, std::ostream* поток) {
    *поток << "прицел " << р.прицел << ", взрывы:";
    for (const auto& в : р.взрывы) *поток << " " << в.номер_цвета << " " << testing::PrintToString(в.позиция);
}
}  // namespace puti

namespace {

using namespace puti;
using jadro::РезультатДвижения;
using shariki::живые_действующие_шары;
using shariki::мёртвые_шары;
using shariki::состояния_действий;
using sharik::запрещённые_действия;

constexpr auto НА_ВЫСОТЕ_ШАРИКОВ = jadro::ТипРезультатаДвижения{2};
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// Path 0 along x: lead-in from −50, the entrance at 0, segment 2 (500 to 1000) in
// a gap, the exit from 1000. Path 1 the same, 5 units aside, without the gap.
// Path 2 has three vertices: the lead-in and the exit only.
const std::vector<std::vector<Вектор3>> ВЕРШИНЫ{{{-50, 0, 0}, {0, 0, 0}, {500, 0, 0}, {1000, 0, 0}, {1100, 0, 0}},
                                               {{-50, 0, 5}, {0, 0, 5}, {1000, 0, 5}, {1100, 0, 5}},
                                               {{-50, 0, 50}, {0, 0, 50}, {100, 0, 50}, {110, 0, 50}}};
const std::vector<std::vector<put::Разрыв>> РАЗРЫВЫ{{{2, 3}}, {}, {}};

auto место(const ШарНаПути& шар) {
    return std::tuple(шар.сегмент, шар.смещение, шар.отложенное_смещение, шар.уровень_объединения,
                      шар.шарик->получить_позицию());
}

class НаборПутей : public test_stend::СтендИгры {
protected:
    void SetUp() override {
        СтендИгры::SetUp();
        igrovaja_statistika::игровая_статистика = igrovaja_statistika::ИгроваяСтатистика::создать();
        пути = std::make_unique<Пути>(ВЕРШИНЫ, РАЗРЫВЫ);
    }
    void TearDown() override {
        пути.reset();
        СтендИгры::TearDown();
    }

    ЖивыеШары& цепь(std::size_t путь) { return *пути->шары_на_путях.at(путь); }
    // A ball of the colour at x on path 0 or 1, put into the chain as a shot ball is.
    void положить(std::size_t путь, float x, std::uint32_t цвет = 0) {
        const std::uint32_t сегмент = путь == 0 && x >= 500 ? 2 : 1;
        цепь(путь).вставка(пути->новый_шар_на_позицию(путь, цвет, сегмент, сегмент == 2 ? x - 500 : x, 0));
    }
    // Left far along path 1 with a level and a distance still pending.
    std::shared_ptr<ШарНаПути> старый_в_пул() {
        const auto старый = пути->новый_шар_на_позицию(1, 5, 1, 900, 7);
        старый->отложенное_смещение = 3;
        старый->убить();
        мёртвые_шары.push_front(старый);
        return старый;
    }
    std::vector<float> иксы(std::size_t путь) {
        std::vector<float> x;
        for (const auto& шар : цепь(путь).шары) x.push_back(шар->шарик->получить_позицию().x);
        return x;
    }
    // Ball k turned into a registered action ball of the kind, as the chain does it.
    std::shared_ptr<sharik::ДействующийШарНаПути> сделать_действующим(std::uint32_t путь, std::size_t k,
                                                                       std::uint32_t вид, float жизнь) {
        auto д = std::make_shared<sharik::ДействующийШарНаПути>(*цепь(путь).шары.at(k));
        д->вид_действия = вид;
        запрещённые_действия[вид] = true;
        д->номер_пути = путь;
        д->время_жизни = жизнь;
        живые_действующие_шары[{путь, static_cast<std::uint32_t>(д->номер)}] = д;
        цепь(путь).opIndexAssign(д, k);
        return д;
    }

    // No trajectory file here: the plane flies its built-in path.
    test_support::ВременнаяПапка папка_;
    test_support::РабочаяПапка рабочая_{папка_.путь()};
    std::unique_ptr<Пути> пути;
};

TEST_F(НаборПутей, НовыйНаборНачинаетПолеЗановоДажеНеПостроенный) {
    struct Случай {
        std::vector<std::vector<Вектор3>> вершины;
        std::size_t разрывов;
        bool живой;
        std::size_t путей;
    };
    const std::vector<Случай> случаи{{ВЕРШИНЫ, 2, false, 0},
                                     {{{{-50, 0, 0}, {0, 0, 0}}}, 1, false, 0},  // no segment 1 to enter
                                     {{ВЕРШИНЫ[0], {{0, 0, 0}}}, 2, false, 1},
                                     // the exit right after the entrance, or one ball's length less a little after it
                                     {{ВЕРШИНЫ[2], {{-50, 0, 9}, {0, 0, 9}, {99, 0, 9}}}, 2, false, 1},
                                     {{ВЕРШИНЫ[2], {{-9, 0, 9}, {0, 0, 9}, {9.33f, 0, 9}, {19, 0, 9}}}, 2, false, 1},
                                     {{ВЕРШИНЫ[2], {{-9, 0, 9}, {0, 0, 9}, {9.334f, 0, 9}, {19, 0, 9}}}, 2, true, 2},
                                     {ВЕРШИНЫ, 3, true, 3}};
    const put::Путь путь(ВЕРШИНЫ[1], {});
    for (const auto& с : случаи) {
        shariki::счётчик_цветов.fill(9);
        живые_действующие_шары[{7, 1}] = std::make_shared<sharik::ДействующийШарНаПути>(ШарНаПути(путь));
        состояния_действий.fill({true, 1.0f, {}});
        запрещённые_действия.fill(true);
        пути = std::make_unique<Пути>(с.вершины, std::vector<std::vector<put::Разрыв>>(с.разрывов));
        EXPECT_EQ(пути->живой(), с.живой);
        EXPECT_EQ(пути->шары_на_путях.size(), с.путей);
        EXPECT_EQ(std::accumulate(shariki::счётчик_цветов.begin(), shariki::счётчик_цветов.end(), 0),
                  200 * static_cast<int>(с.путей));
        EXPECT_EQ(shariki::живые_цвета.empty(), с.путей == 0);
        EXPECT_TRUE(живые_действующие_шары.empty());
        for (std::uint32_t вид = 0; вид < 5; ++вид) {
            EXPECT_FALSE(состояния_действий[вид].активно) << вид;
            EXPECT_FALSE(запрещённые_действия[вид]) << вид;
        }
        EXPECT_FALSE(пути->самолёт->живой());
        EXPECT_EQ(пути->кончились_шары(), с.путей == 0);
        пути->запустить_самолёт();
        пути->обработать_действия(0.1f);
        EXPECT_TRUE(пути->самолёт->живой());
    }
}

TEST_F(НаборПутей, КаждаяЦепьОбходитсяПодНомеромСвоегоПути) {
    EXPECT_TRUE(пути->добавление_шариков_на_пути());
    for (std::size_t п = 0; п < 3; ++п) EXPECT_EQ(цепь(п).length(), 1u) << п;
    // Rays across x = 50: the first crosses paths 0 and 1, the second path 1 alone.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> пересечения;
    for (const Луч& луч : {Луч({50, 0, -10}, {0, 0, 10}), Луч({50, 0, 3}, {0, 0, 2})})
        for (const Пересечение& п : пути->пересечения_с_лучом(луч)) пересечения.emplace_back(п.номер_пути, п.сегмент);
    EXPECT_EQ(пересечения, (decltype(пересечения){{0, 1}, {1, 1}, {1, 1}}));
    // Balls run out once no chain holds one on its path or in its queue.
    for (std::size_t п = 0; п < 3; ++п) цепь(п).новые_шары.clear();
    цепь(0).удаление(0);
    цепь(2).удаление(0);
    EXPECT_FALSE(пути->кончились_шары());
    цепь(1).удаление(0);
    EXPECT_TRUE(пути->кончились_шары());
    цепь(2).новые_шары.push_back(3);
    EXPECT_FALSE(пути->кончились_шары());
}

TEST_F(НаборПутей, ЧислоВзрываВЦветеСПоляИлиВНулевом) {
    положить(0, 100);
    const std::vector<std::pair<std::vector<std::uint32_t>, std::set<int>>> случаи{{{4, 5}, {4, 5}}, {{}, {0}}};
    for (const auto& [на_поле, цвета] : случаи) {
        shariki::живые_цвета = на_поле;
        std::set<int> показаны;
        for (int взрыв = 0; взрыв < 20; ++взрыв) {
            ASSERT_EQ(пути->сделать_взрыв({100, 0, 0}, 5).size(), 1u);
            показаны.insert(cifry::живые_числа.back()->цвет());
        }
        EXPECT_EQ(показаны, цвета);
    }
}

TEST_F(НаборПутей, ШарВыстрелаБерётсяИзПулаНаСвежееМестоВнутриСегментовСНомерами1ДоПредпоследнего) {
    struct Место {
        std::uint64_t путь;
        std::uint32_t сегмент;
        float смещение;
        std::uint32_t ожидаемый_сегмент;
        float ожидаемое_смещение;
    };
    const std::vector<Место> места{{0, 2, 100, 2, 100}, {0, 0, 30, 1, 0},  {0, 3, 5, 2, 500},
                                   {0, 9, 5, 2, 500},   {0, 1, NaN, 1, 0}, {2, 1, 50, 1, 50}};
    for (const auto& м : места) {
        const auto старый = старый_в_пул();
        const auto шар = пути->новый_шар_на_позицию(м.путь, 2, м.сегмент, м.смещение, 1);
        ASSERT_EQ(шар, старый);
        EXPECT_TRUE(шар->живой());
        EXPECT_EQ(шар->шарик->получить_номер_материала(), 2u);
        const Вектор3 точка = пути->пути[м.путь]->точка(м.ожидаемый_сегмент, м.ожидаемое_смещение);
        EXPECT_EQ(место(*шар), std::tuple(м.ожидаемый_сегмент, м.ожидаемое_смещение, 0.0f, 1u, точка))
            << м.путь << ", " << м.сегмент;
    }
}

TEST_F(НаборПутей, ВыстрелВстаётОднимШаромРядомСПервымБлизкимШаромВнеРазрыва) {
    положить(0, 300);
    положить(1, 300);
    EXPECT_TRUE(пути->нахождение_близкого_шарика({НА_ВЫСОТЕ_ШАРИКОВ, {302, 4.667f, 3}, 4}));
    EXPECT_EQ(иксы(0), (std::vector<float>{302, 300}));
    EXPECT_EQ(цепь(0).шары[0]->шарик->получить_номер_материала(), 4u);
    EXPECT_EQ(иксы(1), (std::vector<float>{300}));
    // Path 0's ball lies in its gap: path 1's is the first that counts.
    положить(0, 600);
    положить(1, 600);
    EXPECT_TRUE(пути->нахождение_близкого_шарика({НА_ВЫСОТЕ_ШАРИКОВ, {603, 4.667f, 0}, 4}));
    EXPECT_EQ(иксы(0), (std::vector<float>{600, 302, 300}));
    EXPECT_EQ(иксы(1), (std::vector<float>{603, 600, 300}));
    EXPECT_FALSE(пути->нахождение_близкого_шарика({НА_ВЫСОТЕ_ШАРИКОВ, {450, 4.667f, 0}, 4}));

    EXPECT_FALSE(пути->вставка_шара({НА_ВЫСОТЕ_ШАРИКОВ, 2, 1, 50, 0}));  // an empty chain
    EXPECT_FALSE(пути->вставка_шара({НА_ВЫСОТЕ_ШАРИКОВ, 1, 1, 450, 3}));
    EXPECT_FALSE(мёртвые_шары.front()->живой());
    EXPECT_TRUE(пути->вставка_шара({НА_ВЫСОТЕ_ШАРИКОВ, 1, 1, 608, 3}));
    EXPECT_EQ(иксы(1), (std::vector<float>{608, 603, 600, 300}));
}

TEST_F(НаборПутей, ИстёкшийДействующийШарСтановитсяПростымТогоЖеЦветаМестаИУровня) {
    for (const float x : {150, 140, 130, 120, 110}) положить(0, x, static_cast<std::uint32_t>(x / 10) % 6);
    цепь(0).шары[2]->уровень_объединения = 3;
    const auto истёкший = сделать_действующим(0, 2, МИКРОСАМОЛЁТИК, 0.05f);
    const auto живущий = сделать_действующим(0, 4, ПАУЗА, 10.0f);
    // One whose ball the chain no longer holds is retired all the same.
    const auto простой = цепь(0).шары[3];
    const auto потерянный = сделать_действующим(0, 3, БОМБА, 0.01f);
    цепь(0).opIndexAssign(простой, 3);
    старый_в_пул();
    const auto счётчики = shariki::счётчик_цветов;

    пути->действующие_шары(0.1f);
    const ШарНаПути& шар = *цепь(0).шары[2];
    EXPECT_FALSE(шар.действующий);
    EXPECT_TRUE(шар.живой());
    EXPECT_EQ(шар.шарик->получить_номер_материала(), истёкший->шарик->получить_номер_материала());
    EXPECT_EQ(место(шар), std::tuple(истёкший->сегмент, истёкший->смещение, 0.0f, 3u,
                                     истёкший->шарик->получить_позицию()));
    EXPECT_EQ(цепь(0).шары[3], простой);
    EXPECT_EQ(цепь(0).шары[4], живущий);
    EXPECT_FLOAT_EQ(живущий->время_жизни, 9.9f);
    EXPECT_EQ(живые_действующие_шары.size(), 1u);
    for (const auto& д : {истёкший, потерянный}) {
        EXPECT_FALSE(д->живой());
        EXPECT_FALSE(запрещённые_действия[д->вид_действия]);
        EXPECT_NE(std::ranges::find(shariki::мёртвые_действующие_шары, д), shariki::мёртвые_действующие_шары.end());
    }
    EXPECT_TRUE(запрещённые_действия[ПАУЗА]);
    EXPECT_EQ(shariki::счётчик_цветов, счётчики);
}

// Each chain draws its action balls with the frame's dt and registers them under
// its own path number, where the ageing finds and retires them.
TEST_F(НаборПутей, ДействующиеШарыКаждогоПутиПоявляютсяИСтареютПодЕгоНомером) {
    настроить("время_жизни_действующего_шарика = 1");
    for (float x = 10; x <= 200; x += 10) {
        положить(0, x, static_cast<std::uint32_t>(x) % 6);
        положить(1, x, static_cast<std::uint32_t>(x) % 6);
    }
    std::array<int, 2> появилось{};
    int истекло = 0;
    for (int кадр = 0; кадр < 300; ++кадр) {
        const auto было = живые_действующие_шары;
        пути->действующие_шары(0.5f);
        std::size_t действующих = 0;
        for (std::uint32_t п = 0; п < 2; ++п) {
            for (const auto& шар : цепь(п).шары) {
                ASSERT_TRUE(шар->живой()) << "кадр " << кадр << ", путь " << п;
                if (!шар->действующий) continue;
                ++действующих;
                const НомераПутиИШара ключ{п, static_cast<std::uint32_t>(шар->номер)};
                const auto найден = живые_действующие_шары.find(ключ);
                ASSERT_TRUE(найден != живые_действующие_шары.end()) << "кадр " << кадр << ", путь " << п;
                EXPECT_EQ(найден->second, шар);
                появилось[п] += !было.contains(ключ);
            }
        }
        ASSERT_EQ(живые_действующие_шары.size(), действующих) << "кадр " << кадр;
        for (const auto& [ключ, шар] : было) истекло += !живые_действующие_шары.contains(ключ);
    }
    EXPECT_GT(появилось[0], 3);
    EXPECT_GT(появилось[1], 3);
    EXPECT_GT(истекло, 6);
}

// Path 0 holds balls at x = 100 to 150, path 1 one at 120 (5 aside); the ball at
// 100 lies exactly 40 from the centre (140, 0, 0).
TEST_F(НаборПутей, БомбаВзрываетШарыСтрогоВнутриРадиусаПоДесятьОчковИКончается) {
    struct Случай {
        Вектор3 центр;
        int паника;
        std::vector<float> остались_0, остались_1;
    };
    const std::vector<Случай> случаи{{{140, 0, 0}, 0, {100}, {}},
                                     {{140, 0, 0}, 1, {100}, {}},
                                     {{400, 0, 0}, 0, {150, 140, 130, 120, 110, 100}, {120}}};
    for (const auto& с : случаи) {
        пути = std::make_unique<Пути>(ВЕРШИНЫ, РАЗРЫВЫ);
        for (const float x : {100, 110, 120, 130, 140, 150}) положить(0, x, static_cast<std::uint32_t>(x / 10) % 6);
        положить(1, 120, 5);
        настроить("паника = " + std::to_string(с.паника));
        const int очки = igrovaja_statistika::игровая_статистика->количество_очков();
        const std::size_t чисел = cifry::живые_числа.size();
        // The records come path by path, each chain's from its largest index down: x ascending.
        std::vector<ДанныеВзрыва> ожидаемые;
        for (const float x : {110, 120, 130, 140, 150})
            if (с.остались_0.size() == 1) ожидаемые.push_back({static_cast<std::uint32_t>(x / 10) % 6, {x, 0, 0}});
        if (с.остались_1.empty()) ожидаемые.push_back({5, {120, 0, 5}});

        состояния_действий[БОМБА] = {true, 0.0f, с.центр};
        EXPECT_EQ(пути->обработать_действия(0.01f), (РезультатДействий{false, ожидаемые}));
        EXPECT_EQ(иксы(0), с.остались_0);
        EXPECT_EQ(иксы(1), с.остались_1);
        EXPECT_EQ(igrovaja_statistika::игровая_статистика->количество_очков() - очки,
                  10 * static_cast<int>(ожидаемые.size()));
        EXPECT_EQ(cifry::живые_числа.size() - чисел, с.паника == 0 && !ожидаемые.empty() ? 1u : 0u);
        EXPECT_FALSE(состояния_действий[БОМБА].активно);
    }
}

TEST_F(НаборПутей, ВремяДействийСравниваетсяСПределомВДвойнойТочности) {
    // The float 0.1 lies above the double 0.1, and 0.1 + 0.1 above 0.2.
    настроить("время_паузы = 0.1\nвремя_назад = 0.2\nвремя_прицела = 0.2");
    for (const auto вид : {ПАУЗА, НАЗАД, ПРИЦЕЛ}) состояния_действий[вид] = {true, 0.0f, {}};
    EXPECT_TRUE(пути->обработать_действия(0.1f).прицел);
    EXPECT_FALSE(состояния_действий[ПАУЗА].активно);
    EXPECT_TRUE(состояния_действий[НАЗАД].активно);
    EXPECT_FALSE(пути->обработать_действия(0.1f).прицел);
    EXPECT_FALSE(состояния_действий[НАЗАД].активно);
}

// Started by its action ball (false) or by the key M (true).
class ПолётМикросамолётика : public НаборПутей, public testing::WithParamInterface<bool> {};

TEST_P(ПолётМикросамолётика, НачинаетсяЗаОдинКадрДвижетсяСоСледующегоИОтпускаетВид) {
    for (float x = 10; x < 500; x += 10) положить(0, x);
    запрещённые_действия[МИКРОСАМОЛЁТИК] = true;
    const samolet::Самолёт& самолёт = *пути->самолёт;
    const Вектор3 старт = самолёт.траектория().front();
    std::size_t взрывов = 0;
    if (GetParam()) {
        пути->запустить_самолёт();
    } else {
        состояния_действий[МИКРОСАМОЛЁТИК] = {true, 0.0f, {}};
        взрывов += пути->обработать_действия(0.1f).взрывы.size();
    }
    ASSERT_TRUE(самолёт.живой());
    EXPECT_EQ(самолёт.позиция(), старт);
    взрывов += пути->обработать_действия(0.1f).взрывы.size();
    EXPECT_NEAR((самолёт.позиция() - старт).длина(), 1.0f, 1e-5f);
    if (GetParam()) {
        пути->запустить_самолёт();
        EXPECT_EQ(самолёт.позиция(), старт);
    }
    for (int кадр = 0; состояния_действий[МИКРОСАМОЛЁТИК].активно; ++кадр) {
        ASSERT_LT(кадр, 1000);
        взрывов += пути->обработать_действия(0.1f).взрывы.size();
    }
    EXPECT_FALSE(самолёт.живой());
    EXPECT_FALSE(запрещённые_действия[МИКРОСАМОЛЁТИК]);
    EXPECT_EQ(взрывов + цепь(0).length(), 49u);
}

INSTANTIATE_TEST_SUITE_P(Запуск, ПолётМикросамолётика, testing::Bool());

}  // namespace
