// The chain's motion along its path: the frame step with its contacts, matching
// and scoring, and the appearance of action balls.
#include <algorithm>
#include <cmath>
#include <utility>

#include <fmt/format.h>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "src/cifry.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/nastroiki.hpp"
#include "src/put.hpp"
#include "src/shariki.hpp"
#include "src/sluchainost.hpp"

namespace shariki {

bool скорости_дополнены = false;
bool скорости_отвергнуты = false;

namespace {

using my_utils::format::sprintf;
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

constexpr const char* МОДУЛЬ = "шарики";
// The time of an event that cannot be computed: never taken within a frame.
constexpr float НИКОГДА = 1000.0f;
// Action balls a second on a chain, before the share that grows with its length.
constexpr float ЧАСТОТА_ДЕЙСТВУЮЩИХ = 0.07f;

// Inserted at rest, pushed or pulled back: only such a group's contacts are matched.
bool сдвинута(std::uint32_t состояние) { return состояние <= ОТКАТ; }

std::uint32_t цвет(const ШарНаПути& шар) { return шар.шарик->получить_номер_материала(); }

}  // namespace

int очки_за_шар(std::uint32_t уровень) {
    return уровень < ТАБЛИЦА_ОЧКОВ.size() ? ТАБЛИЦА_ОЧКОВ[уровень] : ТАБЛИЦА_ОЧКОВ.back();
}

std::string Коллизия::toString() const { return sprintf("Коллизия(%f, %d, %s)", время, номер_группы, начало); }

void ЖивыеШары::прочитать_скорости() {
    const std::vector<double>& заданные = nastroiki::настройки.скорости();
    if (заданные.size() < КОЛИЧЕСТВО_СОСТОЯНИЙ && !скорости_дополнены) {
        скорости_дополнены = true;
        в_журнал(МОДУЛЬ, УровниЖурнала::Предупреждение, [&] {
            return sprintf("В настройке скорости %d значений, нужно %d: недостающие скорости взяты из списка "
                           "по умолчанию",
                           заданные.size(), КОЛИЧЕСТВО_СОСТОЯНИЙ);
        });
    }
    static const nastroiki::НастройкиИгры умолчания;
    std::array<double, КОЛИЧЕСТВО_СОСТОЯНИЙ> заданный{};
    for (std::size_t состояние = 0; состояние < КОЛИЧЕСТВО_СОСТОЯНИЙ; ++состояние) {
        заданный[состояние] = состояние < заданные.size() ? заданные[состояние] : умолчания.скорости().at(состояние);
        скорости_[состояние] = static_cast<float>(заданный[состояние]);
    }
    // A pushed group must outrun every group that can follow it: its overlap
    // with a group as fast as itself never ends, and one with a faster group
    // ends with that group run through it.
    const float раздвигание = скорости_[РАЗДВИГАНИЕ];
    if (раздвигание > СКОРОСТЬ_ПАУЗЫ &&
        std::all_of(СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ.begin(), СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ.end(),
                    [&](std::uint32_t с) { return раздвигание > скорости_[с]; }))
        return;
    if (!скорости_отвергнуты) {
        скорости_отвергнуты = true;
        в_журнал(МОДУЛЬ, УровниЖурнала::Предупреждение, [&] {
            using my_utils::format::список;
            // Every digit the player wrote, so that values the chain's single
            // precision makes equal still read apart.
            const auto число = [](double v) { return fmt::format("{}", v); };
            return sprintf("Настройка скорости %s не принята: скорость 2 (раздвигание, %s) должна быть больше "
                           "скорости на паузе (%s) и скоростей состояний %s, равных %s, в одинарной точности; "
                           "взят список по умолчанию",
                           список(заданный, число), число(заданный[РАЗДВИГАНИЕ]), число(СКОРОСТЬ_ПАУЗЫ),
                           список(СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ, [](std::uint32_t с) { return sprintf("%d", с); }),
                           список(СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ, [&](std::uint32_t с) { return число(заданный[с]); }));
        });
    }
    for (std::size_t состояние = 0; состояние < КОЛИЧЕСТВО_СОСТОЯНИЙ; ++состояние)
        скорости_[состояние] = static_cast<float>(умолчания.скорости().at(состояние));
}

std::vector<ДанныеВзрыва> ЖивыеШары::движение_шаров(float dt) {
    std::vector<ДанныеВзрыва> записи;
    if (шары.empty()) return записи;
    прочитать_скорости();
    float t = dt;
    if (t > 0.0f) {
        // The loop ends: a pass that spends no time joins two groups, removes a
        // run, or pushes apart a pair without contact flags, which sets them. A
        // pair loses its flags only as its overlap ends, which joins or removes,
        // or as balls are removed; so balls, then groups, then pairs without
        // flags fall with every such pass.
        while (t < НИКОГДА) {
            t = дш_главная_проверка(дш_предварительный_расчёт_движения(t), t);
            std::vector<ДанныеВзрыва> удалённые = дш_удаление();
            записи.insert(записи.end(), удалённые.begin(), удалённые.end());
            if (t <= 0.0f) break;
        }
    }
    if (!шары.empty()) {
        дш_реальное_движение();
        дш_проверка_цвета();
        дш_проверка_концов();
    }
    return записи;
}

float ЖивыеШары::дш_расчёт_скорости(const ГруппаШаров& группа) const {
    float v = скорости_.at(группа.состояние);
    if (состояния_действий[ПАУЗА] && std::size_t{группа.последний} + 1 == шары.size() && входит(группа.состояние))
        v = СКОРОСТЬ_ПАУЗЫ;
    if (состояния_действий[НАЗАД] && группа.первый == 0 && группа.состояние > СКОРОСТЬ_НАЗАД)
        v = скорости_[СКОРОСТЬ_НАЗАД];
    return v;
}

const ПредсказаниеДвижения& ЖивыеШары::дш_предварительный_расчёт_движения(float t) {
    предсказание_.resize(шары.size());
    for (const ГруппаШаров& группа : группы) {
        const float путь_группы = дш_расчёт_скорости(группа) * t;
        for (const std::uint32_t i : {группа.первый, группа.последний}) {
            const ШарНаПути& шар = *шары[i];
            предсказание_[i] = дш_расчёт_движения_шарика(шар.отложенное_смещение + путь_группы, шар);
            if (группа.первый == группа.последний) break;
        }
    }
    return предсказание_;
}

bool ЖивыеШары::дш_проверка_коллизии(const РезультатДвижения& a, const РезультатДвижения& b) const {
    // Signed: a rear ball predicted to have run past the one ahead touches it too,
    // so that a long frame never lets one group pass through another.
    return мой_путь().расстояние(b.сегмент, b.смещение, a.сегмент, a.смещение) < РАССТОЯНИЕ_КАСАНИЯ;
}

float ЖивыеШары::дш_главная_проверка(const ПредсказаниеДвижения& предсказание, float t) {
    if (группы.empty()) return НИКОГДА;
    const bool отладка = my_utils::journal::будет_записано(МОДУЛЬ, УровниЖурнала::Отладка);
    bool есть_событие = false;
    Коллизия первое;
    for (std::uint32_t k = 0; std::size_t{k} + 1 < группы.size(); ++k) {
        const ГруппаШаров& г = группы[k];
        const ГруппаШаров& h = группы[k + 1];
        const bool касание = дш_проверка_коллизии(предсказание.at(г.последний), предсказание.at(h.первый));
        if (отладка) {
            в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] {
                return sprintf("дш_главная_проверка: группа1=%s, группа2=%s, случилась_коллизия=%b", г.toString(),
                               h.toString(), касание);
            });
        }
        if (г.в_конце != h.в_начале) {
            в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] {
                return sprintf(касание ? "Ошибочное состояние при коллизии номер_группы=%d, в_конце=%s, в_начале=%s"
                                       : "Ошибочное состояние при окончании коллизии номер_группы=%d, в_конце=%s, "
                                         "в_начале=%s",
                               k, г.в_конце, h.в_начале);
            });
            continue;
        }
        // Touching with the flags set, an overlap goes on; apart without them, nothing happens.
        if (касание == г.в_конце) continue;
        // A pair without flags that touches where it stands now and draws apart
        // is left to do so, whatever the frame's length. One left overlapping
        // would be taken here overlapped, or, closing in, run through: it is
        // pushed apart instead, and the caller predicts again with the pushed
        // group's speed. Level or past, it is reported with its time below.
        if (касание) {
            const РешениеПоЗазору решение = решение_по_зазору(k, false);
            if (решение == РешениеПоЗазору::расходятся) continue;
            if (решение == РешениеПоЗазору::раздвинуть) {
                раздвинуть(k);
                return t;
            }
        }
        const Коллизия событие{дш_время_до_коллизии(k), k, касание};
        if (!есть_событие || событие < первое) первое = событие;
        есть_событие = true;
    }
    if (!есть_событие) {
        дш_стандартное_движение(t);
        return 0.0f;
    }
    // The search found the event within t from the predicted places; its time,
    // computed another way from the frame's start, may round to just past t. Within
    // the search's own precision (ТОЧНОСТЬ at the pair's relative speed) the event
    // is taken at t, after the same motion the frame has without it.
    if (первое.время > t && первое.время < НИКОГДА) {
        const float dv = дш_расчёт_скорости(группы[первое.номер_группы]) -
                         дш_расчёт_скорости(группы[std::size_t{первое.номер_группы} + 1]);
        if (static_cast<double>(первое.время - t) * std::fabs(dv) <= ТОЧНОСТЬ) первое.время = t;
    }
    if (первое.время > t) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return sprintf("Ошибка! Время коллизии > дельта_t, %s", первое.toString()); });
        дш_стандартное_движение(t);
        return 0.0f;
    }
    дш_стандартное_движение(первое.время);
    if (!первое.начало) дш_обработка_окончания_коллизии(первое.номер_группы);
    дш_обработка_коллизии(первое.номер_группы);
    return t - первое.время;
}

float ЖивыеШары::дш_время_до_коллизии(std::uint32_t k) const {
    const ГруппаШаров& г = группы.at(k);
    const ГруппаШаров& h = группы.at(std::size_t{k} + 1);
    const ШарНаПути& a = *шары[г.последний];
    const ШарНаПути& b = *шары[h.первый];
    const float d = зазор(a, b);
    const float dv = дш_расчёт_скорости(г) - дш_расчёт_скорости(h);
    // A shot ball put exactly at a ball's place goes behind it at distance 0: that
    // pair is pushed apart like any overlap. Otherwise the rear group has reached
    // or passed the front one.
    if (d < 0.0f || (d == 0.0f && !г.в_конце)) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] {
            return sprintf("Ошибка! Новая группа начинается раньше, чем заканчивается старая. %f, %d, %s, %s", d, k,
                           a.toString(), b.toString());
        });
        return НИКОГДА;
    }
    if (d > РАССТОЯНИЕ_КАСАНИЯ && dv < 0.0f)
        return static_cast<float>((static_cast<double>(d - ДИАМЕТР) - ТОЧНОСТЬ) / static_cast<double>(-dv));
    if (d < РАССТОЯНИЕ_КАСАНИЯ && dv > 0.0f) return static_cast<float>((РАССТОЯНИЕ_КАСАНИЯ - d) / dv);
    // At touching distance, from a diameter to ТОЧНОСТЬ past touching, the event's
    // condition already holds: after another event of the frame, rounding may leave
    // a closing pair just inside it, or a separating pair just outside it; and a
    // pair at equal speeds keeps the distance at which the search found its event,
    // as two groups left stopped around a ball blown away before it pushed them, or
    // a pushed pair at the edge of touching. A pair without flags never gets here
    // from the search drawing apart, which it leaves to do so, nor closer than a
    // diameter, which it pushes apart first with the same bound (ближе_диаметра).
    // Elsewhere no time fits and the error is reported: at equal speeds the
    // distance never changes, so such an event comes from contact flags that
    // don't match the distance, or from predictions that stopped together at an
    // end of the path.
    if (!ближе_диаметра(d) && d - РАССТОЯНИЕ_КАСАНИЯ <= ТОЧНОСТЬ && (dv == 0.0f || (г.в_конце ? dv > 0.0f : dv < 0.0f)))
        return 0.0f;
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] {
        return sprintf("Ошибка со знаками при расчете коллизии! расстояние=%f, ДИАМЕТР + ТОЧНОСТЬ=%f, "
                       "разница_скоростей=%f",
                       d, РАССТОЯНИЕ_КАСАНИЯ, dv);
    });
    return НИКОГДА;
}

float ЖивыеШары::зазор(const ШарНаПути& впереди, const ШарНаПути& сзади) const {
    const РезультатДвижения a = дш_расчёт_движения_шарика(впереди.отложенное_смещение, впереди);
    const РезультатДвижения b = дш_расчёт_движения_шарика(сзади.отложенное_смещение, сзади);
    return мой_путь().расстояние(b.сегмент, b.смещение, a.сегмент, a.смещение);
}

ЖивыеШары::РешениеПоЗазору ЖивыеШары::решение_по_зазору(std::size_t k, bool вровень) const {
    const float d = зазор(*шары[группы.at(k).последний], *шары[группы.at(k + 1).первый]);
    if (d < 0.0f) return РешениеПоЗазору::событие;
    if (d == 0.0f) return вровень ? РешениеПоЗазору::раздвинуть : РешениеПоЗазору::событие;
    if (дш_расчёт_скорости(группы[k]) > дш_расчёт_скорости(группы[k + 1])) return РешениеПоЗазору::расходятся;
    return ближе_диаметра(d) ? РешениеПоЗазору::раздвинуть : РешениеПоЗазору::событие;
}

void ЖивыеШары::раздвинуть(std::size_t k) {
    группы.at(k).состояние = РАЗДВИГАНИЕ;
    группы.at(k).в_конце = true;
    группы.at(k + 1).в_начале = true;
}

void ЖивыеШары::дш_стандартное_движение(float t) {
    for (const ГруппаШаров& группа : группы) {
        const float v = дш_расчёт_скорости(группа);
        if (v == 0.0f) continue;
        const float путь_группы = v * t;
        for (std::uint32_t i = группа.первый; i <= группа.последний; ++i) шары[i]->отложенное_смещение += путь_группы;
    }
}

void ЖивыеШары::дш_обработка_окончания_коллизии(std::uint32_t k) {
    ГруппаШаров& г = группы.at(k);
    ГруппаШаров& h = группы.at(std::size_t{k} + 1);
    г.в_конце = false;
    h.в_начале = false;
    if (!h.в_конце) h.состояние = std::size_t{k} + 2 == группы.size() ? состояние_по_умолчанию : СТОП;
    г.остановить_после_контакта();
}

void ЖивыеШары::дш_обработка_коллизии(std::uint32_t k) {
    const ГруппаШаров& г = группы.at(k);
    const ГруппаШаров& h = группы.at(std::size_t{k} + 1);
    if (!сдвинута(г.состояние) && !сдвинута(г.предыдущее_состояние)) return дш_объединение_групп(k);
    const std::uint32_t c = цвет(*шары[г.последний]);
    if (цвет(*шары[h.первый]) != c) return дш_объединение_групп(k);
    std::uint32_t s = г.последний;
    while (s > г.первый && цвет(*шары[s - 1]) == c) --s;
    std::uint32_t e = h.первый;
    while (e < h.последний && цвет(*шары[e + 1]) == c) ++e;
    // A run that goes on into an overlapping neighbour is taken when that overlap ends.
    if (s == г.первый && г.в_начале && k > 0 && цвет(*шары[группы[k - 1].последний]) == c)
        return дш_объединение_групп(k);
    if (e == h.последний && h.в_конце && std::size_t{k} + 2 < группы.size() && цвет(*шары[группы[k + 2].первый]) == c)
        return дш_объединение_групп(k);
    if (e - s < 2) return дш_объединение_групп(k);

    std::uint32_t уровень = 0;
    for (std::uint32_t i = s; i <= e; ++i) {
        уровень = std::max(уровень, шары[i]->уровень_объединения);
        if (std::find(номера_на_удаление.begin(), номера_на_удаление.end(), i) == номера_на_удаление.end())
            номера_на_удаление.push_back(i);
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
        return sprintf("добавляем очки, уровень_объединения=%d, номер_материала=%d", уровень, c);
    });
    const int очки = очки_за_шар(уровень) * static_cast<int>(e - s + 1);
    if (igrovaja_statistika::игровая_статистика) igrovaja_statistika::игровая_статистика->добавить_очки(очки);
    cifry::добавить_число(очки, static_cast<int>(c), шары[(s + e) / 2]->шарик->получить_позицию());
    // The ball the gap closes on: a run it makes scores at least one level higher.
    if (s > 0) шары[s - 1]->уровень_объединения = уровень + 1;
}

void ЖивыеШары::дш_объединение_групп(std::uint32_t k) {
    ГруппаШаров& г = группы.at(k);
    const ГруппаШаров& h = группы.at(std::size_t{k} + 1);
    шары[г.последний]->уровень_объединения = 0;
    г.последний = h.последний;
    г.в_конце = h.в_конце;
    // A group pulled back takes the other's state. A shot ball resting in a gap, on
    // either side, takes the state of the group that reached it: at rest means until
    // a neighbour arrives, and the smaller state (0) would stop the chain and every
    // later entrant for good. Otherwise the smaller state wins, so a stopped group
    // joined by a running-in one runs in.
    if (г.состояние == ОТКАТ || г.состояние == ПОКОЙ_ВСТАВКИ) г.состояние = h.состояние;
    else if (h.состояние != ПОКОЙ_ВСТАВКИ) г.состояние = std::min(г.состояние, h.состояние);
    группы.erase(группы.begin() + static_cast<std::ptrdiff_t>(k) + 1);
}

void ЖивыеШары::дш_реальное_движение() {
    for (const auto& шар : шары) {
        if (шар->отложенное_смещение == 0.0f) continue;
        const РезультатДвижения результат = дш_расчёт_движения_шарика(шар->отложенное_смещение, *шар);
        шар->сегмент = результат.сегмент;
        шар->смещение = результат.смещение;
        шар->шарик->движение(результат.перемещение, true);
        шар->отложенное_смещение = 0.0f;
    }
}

void ЖивыеШары::дш_проверка_цвета() {
    for (std::size_t k = 0; k + 1 < группы.size(); ++k) {
        ГруппаШаров& г = группы[k];
        ШарНаПути& последний = *шары[г.последний];
        const bool совпадают = цвет(последний) == цвет(*шары[группы[k + 1].первый]);
        if (г.состояние == ОТКАТ) {
            if (совпадают) continue;
            г.состояние = СТОП;
            последний.уровень_объединения = 0;
        } else if (г.состояние > ОТКАТ) {
            if (совпадают) г.состояние = ОТКАТ;
            else последний.уровень_объединения = 0;
        }
    }
    if (!группы.empty() && группы.back().состояние == ОТКАТ) группы.back().состояние = состояние_по_умолчанию;
}

void ЖивыеШары::удалить_без_действия(std::uint64_t i) {
    const bool было = std::exchange(действия_при_удалении, false);
    удаление(i);
    действия_при_удалении = было;
}

void ЖивыеШары::дш_проверка_концов() {
    if (шары.empty()) return;
    if (шары.front()->сегмент + std::uint64_t{1} == мой_путь().length()) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Удаление нулевого шарика");
        удалить_без_действия(0);
        if (igrovaja_statistika::игровая_статистика) igrovaja_statistika::игровая_статистика->минус_жизнь();
        if (шары.empty()) return;
    }
    // One long frame of "назад" may back several balls out.
    while (!шары.empty() && шары.back()->сегмент == 0) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Удаление последнего шарика");
        const std::uint32_t c = цвет(*шары.back());
        новые_шары.push_back(c);
        удалить_без_действия(шары.size() - 1);
        обновить_живые_цвета(c, 1);
        if (шары.size() <= 1) {
            состояния_действий[ПАУЗА].активно = false;
            состояния_действий[НАЗАД].активно = false;
        }
    }
}

void ЖивыеШары::действующий_шарик(std::uint32_t номер_пути, float dt) {
    const std::size_t n = шары.size();
    if (n == 0) return;
    const float p = dt * ЧАСТОТА_ДЕЙСТВУЮЩИХ * (1.0f + static_cast<float>(n) * 0.01f);
    if (sluchainost::равномерное(0.0f, 1.0f) >= p) return;
    const std::size_t k = sluchainost::индекс(n);
    if (шары[k]->действующий) return;
    const std::shared_ptr<ШарНаПути> простой = шары[k];
    std::shared_ptr<ДействующийШарНаПути> действующий;
    if (!мёртвые_действующие_шары.empty()) {
        действующий = мёртвые_действующие_шары.front();
        мёртвые_действующие_шары.pop_front();
        действующий->возродить(*простой);
    } else {
        действующий = std::make_shared<ДействующийШарНаПути>(*простой);
    }
    действующий->номер_пути = номер_пути;
    живые_действующие_шары[{номер_пути, static_cast<std::uint32_t>(действующий->номер)}] = действующий;
    простой->убить();
    мёртвые_шары.push_front(простой);
    opIndexAssign(действующий, k);
}

РезультатДвижения ЖивыеШары::дш_расчёт_движения_шарика(float расстояние, const ШарНаПути& шар) const {
    const Вектор3 было = шар.шарик->получить_позицию();
    if (расстояние == 0.0f) return {было, шар.сегмент, шар.смещение, Вектор3::НОЛЬ};
    const put::Путь& путь_ = мой_путь();
    const auto последний = static_cast<std::uint32_t>(путь_.length() - 1);
    std::uint32_t сегмент = шар.сегмент;
    float смещение = шар.смещение;
    float d = расстояние;
    // A long frame or a chain rolling back stops at the ends of the path; the end
    // checks of the frame step then take the ball off.
    if (d > 0.0f) {
        while (путь_.получить_длину_вектора(сегмент) - смещение < d) {
            if (сегмент >= последний) {
                смещение = путь_.получить_длину_вектора(сегмент);
                d = 0.0f;
                break;
            }
            d -= путь_.получить_длину_вектора(сегмент) - смещение;
            ++сегмент;
            смещение = 0.0f;
        }
    } else {
        while (смещение < -d) {
            if (сегмент == 0) {
                смещение = 0.0f;
                d = 0.0f;
                break;
            }
            d += смещение;
            --сегмент;
            смещение = путь_.получить_длину_вектора(сегмент);
        }
    }
    смещение += d;
    const Вектор3 точка = путь_.точка(сегмент, смещение);
    return {точка, сегмент, смещение, точка - было};
}

}  // namespace shariki
