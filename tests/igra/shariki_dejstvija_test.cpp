// Action balls on the chain (their chance, their one draw, the start of an action
// by a match) and long games of eight seeds on a winding path that keep the chain's
// bookkeeping, keep every ball on its path and in its place, and score every run
// by its level.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

#include "dvizhenie_stend.hpp"
#include "src/cifry.hpp"
#include "src/sluchainost.hpp"

namespace {

using namespace shariki;
using namespace test_dvizhenie;
using test_stend::нарушение_учёта;

TEST_F(Движение, ДействующийШарПоявляетсяСШансомВКадреИОднимВыбором) {
    std::vector<Ш> шары;
    for (std::uint32_t i = 0; i < 100; ++i) шары.push_back({900.0f - 9.334f * static_cast<float>(i), i % 6});
    выложить(шары, {{0, 99, 9}});
    for (std::size_t k = 0; k < 100; k += 2) сделать_действующим(k);
    // 100 balls, 0.02 s: 0.02 × 0.07 × 2.
    constexpr float ШАНС = 0.0028f;
    std::size_t превращено = 0;
    std::size_t на_действующий = 0;
    for (int кадр = 0; кадр < 20000; ++кадр) {
        const std::mt19937 было = sluchainost::генератор();
        const float u = sluchainost::равномерное(0.0f, 1.0f);
        const std::size_t k = sluchainost::индекс(100);
        sluchainost::генератор() = было;
        const auto простой = цепь->шары[k];
        const auto действующих = живые_действующие_шары.size();
        цепь->действующий_шарик(3, 0.02f);
        if (std::abs(u - ШАНС) < 1e-6f) continue;
        const bool ожидается = u < ШАНС && !простой->действующий;
        на_действующий += u < ШАНС && простой->действующий;
        ASSERT_EQ(живые_действующие_шары.size(), действующих + ожидается) << кадр;
        if (!ожидается) continue;
        ++превращено;
        const auto д = std::dynamic_pointer_cast<ДействующийШарНаПути>(цепь->шары[k]);
        ASSERT_NE(д, nullptr);
        EXPECT_EQ(живые_действующие_шары.at({3, static_cast<std::uint32_t>(д->номер)}), д);
        EXPECT_EQ(д->номер_пути, 3u);
        EXPECT_EQ(std::tie(д->сегмент, д->смещение), std::tie(простой->сегмент, простой->смещение));
        EXPECT_EQ(д->шарик->получить_номер_материала(), простой->шарик->получить_номер_материала());
        EXPECT_FALSE(простой->живой());
        вернуть_простой(k);
    }
    EXPECT_GT(превращено, 10u);
    EXPECT_GT(на_действующий, 10u);
    EXPECT_EQ(нарушение_учёта(*цепь), "");
}

TEST_F(Движение, ДействующийШарВСерииЗапускаетДействиеНаСвоёмМесте) {
    выложить({{200, 4}, {190.666f, 1}, {150, 1}, {140.666f, 1}, {131.332f, 1}, {122, 4}}, {{0, 1, 3}, {2, 5, 9}});
    const auto в_серии = сделать_действующим(3);
    const auto позади = сделать_действующим(5);
    const Вектор3 где = в_серии->шарик->получить_позицию();
    // A kind already on starts again from 0 at the new place.
    состояния_действий[в_серии->вид_действия] = {true, 3.0f, Вектор3{}};
    EXPECT_EQ(цепь->движение_шаров(1.0f).size(), 4u);
    const auto& состояние = состояния_действий[в_серии->вид_действия];
    EXPECT_TRUE(состояние);
    EXPECT_EQ(состояние.время, 0.0f);
    EXPECT_EQ(состояние.место, где);
    // The registry holds the ball behind under its object number, at its new index.
    EXPECT_EQ(живые_действующие_шары.size(), 1u);
    EXPECT_EQ(цепь->поиск_шара(static_cast<std::uint32_t>(позади->номер)), 1);
}

// A winding path of 121 segments from 2 to 40 long, one of them of length 0; the
// speeds are the default ones or those of a settings line.
class ДолгаяИгра : public Движение, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        путь = test_stend::извилистый_путь(11, 120, 1.0f, 30);
        Движение::SetUp();
    }

    // "" or the first ball off its path or with motion left over.
    std::string вне_пути() const {
        for (const auto& шар : цепь->шары) {
            const bool на_пути = шар->сегмент < путь->length() && шар->смещение >= 0.0f &&
                                 шар->смещение <= путь->получить_длину_вектора(шар->сегмент) + 1e-3f &&
                                 (шар->шарик->получить_позицию() - путь->точка(шар->сегмент, шар->смещение)).длина() <
                                     1e-3f;
            if (!на_пути || шар->отложенное_смещение != 0.0f) return шар->toString();
        }
        return "";
    }

    // "" or the first pair of neighbours out of place: no ball ahead of the one
    // before it (a shot landing exactly at a ball's place stands level with it),
    // one group's balls no closer than 9.32, and groups without contact flags no
    // closer than a diameter.
    std::string не_по_местам() const {
        const auto& ш = цепь->шары;
        for (const auto& г : цепь->группы) {
            for (auto i = г.первый; i <= г.последний && i + 1 < ш.size(); ++i) {
                const float d = путь->расстояние(ш[i + 1]->сегмент, ш[i + 1]->смещение, ш[i]->сегмент, ш[i]->смещение);
                if (d < (i < г.последний ? 9.32f : г.в_конце ? 0.0f : ДИАМЕТР))
                    return ш[i]->toString() + ", " + ш[i + 1]->toString();
            }
        }
        return "";
    }

    // A new field, as after a level: the chain blows up, the counters start again
    // and the actions are off.
    void новая_цепь(std::optional<std::uint32_t> зерно = std::nullopt) {
        цепь->суицид();
        цепь->очистка();
        счётчик_цветов = {};
        состояния_действий = {};
        sharik::запрещённые_действия = {};
        if (зерно) {
            // New balls draw their faces, and a chain its colours, from the game's
            // generator: seeded, with empty pools, a game is the same whatever ran before.
            мёртвые_шары.clear();
            мёртвые_действующие_шары.clear();
            sluchainost::засеять(*зерно);
        }
        цепь = std::make_unique<ЖивыеШары>(путь);
        ++цепочек;
    }

    // Frames of a game from the seed, with shots, bombs and actions.
    void сыграть(std::uint32_t зерно, int кадров) {
        std::mt19937 г(зерно);
        новая_цепь(зерно);
        const auto доля = [&] { return std::uniform_real_distribution<float>(0.0f, 1.0f)(г); };
        const auto последний = static_cast<std::uint32_t>(путь->length() - 1);
        for (int кадр = 0; кадр < кадров; ++кадр) {
            const float dt = доля() < 0.9f ? 0.01f + 0.02f * доля() : 0.05f + 0.35f * доля();
            цепь->добавление_шарика_на_путь();
            // A shot lands next to a ball of the chain, in a colour the cannon could hold.
            const auto n = цепь->length();
            if (n > 0 && доля() < 0.1f) {
                const auto& цель = *цепь->шары[static_cast<std::size_t>(доля() * static_cast<float>(n - 1))];
                const auto р = цепь->дш_расчёт_движения_шарика(24.0f * доля() - 12.0f, цель);
                if (р.сегмент > 0 && р.сегмент < последний) {
                    const auto цвет = живые_цвета[static_cast<std::size_t>(доля() * 0.999f * живые_цвета.size())];
                    // From the pool, as the path set makes a shot ball.
                    std::shared_ptr<ШарНаПути> шар;
                    if (мёртвые_шары.empty()) {
                        шар = std::make_shared<ШарНаПути>(*путь);
                    } else {
                        шар = мёртвые_шары.front();
                        мёртвые_шары.pop_front();
                        шар->возродить(*путь);
                    }
                    шар->шарик->новый_материал(static_cast<std::int32_t>(цвет));
                    шар->задать_позицию(*путь, р.сегмент, р.смещение);
                    цепь->вставка(шар);
                }
            }
            // A bomb now and then, also while a shot pushes its neighbours apart.
            if (n > 0 && доля() < 0.02f) {
                const auto& цель = *цепь->шары[static_cast<std::size_t>(доля() * static_cast<float>(n - 1))];
                const Вектор3 центр = цель.шарик->получить_позицию() + Вектор3{20 * доля() - 10, 0, 20 * доля() - 10};
                const float радиус = 5.0f + 25.0f * доля();
                std::vector<std::uint32_t> номера;
                for (std::uint32_t i = 0; i < цепь->length(); ++i)
                    if (цепь->шары[i]->шарик->получить_позицию().расстояние(центр) < радиус) номера.push_back(i);
                цепь->взорвать_несколько_шариков(номера);
            }
            удалено += цепь->движение_шаров(dt).size();
            ASSERT_EQ(вне_пути(), "") << "кадр " << кадр;
            ASSERT_EQ(нарушение_учёта(*цепь), "") << "кадр " << кадр;
            ASSERT_EQ(не_по_местам(), "") << "кадр " << кадр;

            // The path set's part: lifetimes, new action balls, and the actions' ends.
            for (std::size_t k = 0; k < цепь->length(); ++k) {
                if (!цепь->шары[k]->действующий) continue;
                auto& д = static_cast<ДействующийШарНаПути&>(*цепь->шары[k]);
                if ((д.время_жизни -= dt) < 0.0f) вернуть_простой(k);
            }
            цепь->действующий_шарик(7, dt);
            for (auto& состояние : состояния_действий) {
                if (состояние && (состояние.время += dt) > 5.0f) состояние.активно = false;
            }
            if (состояния_действий[sharik::МИКРОСАМОЛЁТИК]) {
                состояния_действий[sharik::МИКРОСАМОЛЁТИК].активно = false;
                sharik::разрешить_действие(sharik::МИКРОСАМОЛЁТИК);
            }
            if (доля() < 0.003f) состояния_действий[доля() < 0.5f ? ПАУЗА : НАЗАД] = {true, 0.0f, Вектор3{}};
            cifry::движение_чисел(dt);
            if (!цепь->присутствуют_шары() || кадр % 2000 == 1999) новая_цепь();
        }
    }

    std::size_t удалено = 0;
    std::size_t цепочек = 0;
};

TEST_P(ДолгаяИгра, ТысячиКадровСВыстреламиСохраняютУчётПутьИСчёт) {
    if (GetParam()) настроить(GetParam());
    for (std::uint32_t зерно = 1; зерно <= 8; ++зерно) {
        SCOPED_TRACE(зерно);
        ASSERT_NO_FATAL_FAILURE(сыграть(зерно, 4000));
    }

    // Each scoring call is the level's points for each ball of a run of three or
    // more, and the runs add up to the removed balls.
    const std::string текст = журнал();
    EXPECT_EQ(текст.find("Ошиб"), std::string::npos);
    const std::string очки_уровня = "добавляем очки, уровень_объединения=";
    std::vector<std::uint32_t> уровни;
    for (auto i = текст.find(очки_уровня); i != std::string::npos; i = текст.find(очки_уровня, i + 1))
        уровни.push_back(static_cast<std::uint32_t>(std::stoul(текст.substr(i + очки_уровня.size(), 8))));
    ASSERT_EQ(уровни.size(), статистика->начисления.size());
    std::size_t в_сериях = 0;
    for (std::size_t i = 0; i < уровни.size(); ++i) {
        const int за_шар = уровни[i] < 9 ? 10 << уровни[i] : 5000;
        EXPECT_EQ(статистика->начисления[i] % за_шар, 0) << i;
        EXPECT_GE(статистика->начисления[i] / за_шар, 3) << i;
        в_сериях += static_cast<std::size_t>(статистика->начисления[i] / за_шар);
    }
    EXPECT_EQ(в_сериях, удалено);
    EXPECT_GT(уровни.size(), 20u);
    EXPECT_GT(std::count_if(уровни.begin(), уровни.end(), [](auto у) { return у > 0; }), 0);
    EXPECT_GT(цепочек, 16u);
}

// Besides the default speeds, a list far from them that keeps the push the
// fastest, and one whose ball at rest is slower than a stopped group.
INSTANTIATE_TEST_SUITE_P(Движение, ДолгаяИгра,
                         testing::Values(nullptr,
                                         "скорости = [0.0, -150.0, 300.0, -60.0, -100.0, 5.0, 10.0, 15.0, 200, 0, 0.0]",
                                         "скорости = [-10.0, -150.0, 150.0, -60.0, -20.0, 5.0, 10.0, 15.0, 60, 0]"));

}  // namespace
