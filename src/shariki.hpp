// The chain of balls on one path: the balls in path order, split into groups of
// touching balls that move as one, the queue of colours still to come, and the
// module-wide colour counters, pools, action balls and action states.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <forward_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "src/sharik.hpp"
#include "src/vzryv.hpp"

namespace put {
class Путь;
}

namespace shariki {

using sharik::ДействующийШарНаПути;
using sharik::ШарНаПути;
using vzryv::ДанныеВзрыва;
using zyr::vector::Вектор3;

inline constexpr float ДИАМЕТР = sharik::ДИАМЕТР;
inline constexpr double ТОЧНОСТЬ = 0.05;
// Two balls touch while their path distance is below this.
inline constexpr double РАССТОЯНИЕ_КАСАНИЯ = ДИАМЕТР + ТОЧНОСТЬ;
// A new ball enters this far behind the newest one, just clear of touching it.
inline constexpr double РАССТОЯНИЕ_ВХОДА = ДИАМЕТР + 2 * ТОЧНОСТЬ;
// Balls closer than a diameter at the gap between two groups overlap: the pair
// is pushed apart, never joined where it stands, unless its front group already
// runs away from the rear one.
constexpr bool ближе_диаметра(float зазор) { return зазор < ДИАМЕТР; }

inline constexpr std::size_t КОЛИЧЕСТВО_ЦВЕТОВ = 6;

// Group states; the speed of a state is the entry of the setting скорости at it.
inline constexpr std::uint32_t ПОКОЙ_ВСТАВКИ = 0;   // a shot ball put into a gap, at rest
inline constexpr std::uint32_t РАЗДВИГАНИЕ = 2;     // pushed forward to make room
inline constexpr std::uint32_t ОТКАТ = 3;           // pulled back towards a matching colour
inline constexpr std::uint32_t ВХОД_МЕДЛЕННЫЙ = 5;  // running in after the run-in phase
inline constexpr std::uint32_t ВХОД_БЫСТРЫЙ = 8;    // running in at the start
inline constexpr std::uint32_t СТОП = 9;
// States 5 to 8 run in at the entrance.
constexpr bool входит(std::uint32_t состояние) { return состояние >= ВХОД_МЕДЛЕННЫЙ && состояние <= ВХОД_БЫСТРЫЙ; }
// States 0 to 9 are in use; the setting скорости gives one speed for each.
inline constexpr std::size_t КОЛИЧЕСТВО_СОСТОЯНИЙ = 10;
// The entry of скорости at which the lead group backs up while "назад" runs.
inline constexpr std::size_t СКОРОСТЬ_НАЗАД = 4;
// The speed of the entrance group running in while "пауза" runs.
inline constexpr float СКОРОСТЬ_ПАУЗЫ = 0.0f;
// The states a group behind a pushed group can have. A pushed group must outrun
// each of them, and a paused group (СКОРОСТЬ_ПАУЗЫ), or the balls run through
// each other.
inline constexpr std::array<std::uint32_t, 7> СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ{ПОКОЙ_ВСТАВКИ, ОТКАТ, ВХОД_МЕДЛЕННЫЙ, 6, 7,
                                                                      ВХОД_БЫСТРЫЙ, СТОП};

// The action kinds that change the chain's motion.
inline constexpr std::uint32_t ПАУЗА = 0;
inline constexpr std::uint32_t НАЗАД = 1;

// Points for each ball of a removed run, by its chain-reaction level.
inline constexpr std::array<int, 17> ТАБЛИЦА_ОЧКОВ{10,   20,   40,   80,   160,  320,  640,  1280, 2560,
                                                  5000, 5000, 5000, 5000, 5000, 5000, 5000, 5000};
// The table's entry; a level beyond it scores as the last one.
int очки_за_шар(std::uint32_t уровень);

// An index outside the chain.
class ШарикиИсключение : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// A run of consecutive balls that move together.
struct ГруппаШаров {
    std::uint32_t первый = 0;
    std::uint32_t последний = 0;
    std::uint32_t состояние = 0;
    // The state before the last contact with the next group ended.
    std::uint32_t предыдущее_состояние = 0;
    // Overlaps the group before (index − 1) and is being pushed apart from it.
    bool в_начале = false;
    // Overlaps the group after. Group k's в_конце always equals group k+1's в_начале.
    bool в_конце = false;

    ГруппаШаров() = default;
    ГруппаШаров(std::uint32_t первый_, std::uint32_t последний_, std::uint32_t состояние_)
        : первый(первый_), последний(последний_), состояние(состояние_), предыдущее_состояние(состояние_) {}

    // Its contact with the next group is over, by an ended overlap or by a removal:
    // it stops, and remembers its state, so that the contact it may be left in
    // still has its colours matched (a push has just ended).
    void остановить_после_контакта() {
        предыдущее_состояние = состояние;
        состояние = СТОП;
    }

    std::string toString() const;
};

// Where an inserted ball goes: its index in the chain and the index of its group.
struct НомераШараИГруппы {
    std::uint32_t номер_шара = 0;
    std::uint32_t номер_группы = 0;
};

// The key of a live action ball: the path's index in the path set and the ball's
// object number (not its index in the chain, which shifts).
struct НомераПутиИШара {
    std::uint32_t номер_пути = 0;
    std::uint32_t номер_шара = 0;

    friend auto operator<=>(const НомераПутиИШара&, const НомераПутиИШара&) = default;
};

// One action kind's run: on since a removal at место, время seconds ago.
struct СостояниеДействия {
    bool активно = false;
    float время = 0.0f;
    Вектор3 место;

    explicit operator bool() const { return активно; }
};

// A ball moved along its path by a distance: the new place and the scene
// displacement from the ball's present position.
struct РезультатДвижения {
    Вектор3 точка;
    std::uint32_t сегмент = 0;
    float смещение = 0.0f;
    Вектор3 перемещение;
};

// One contact event between group номер_группы and the next, время seconds from
// now: they come into contact (начало) or finish separating. Events order by time alone.
struct Коллизия {
    float время = 0.0f;
    std::uint32_t номер_группы = 0;
    bool начало = false;

    friend std::strong_ordering operator<=>(const Коллизия& a, const Коллизия& b) {
        return std::strong_order(a.время, b.время);
    }
    std::string toString() const;
};

// Where the end balls of every group would be after the rest of the frame without
// events, indexed by ball index; the entries of balls inside a group are stale.
using ПредсказаниеДвижения = std::vector<РезультатДвижения>;

// Module state, one set for all chains; main thread only. The path set resets
// the counters, the action balls and the action states when a field starts.

// Balls of each colour in all queues and on all paths.
extern std::array<std::int32_t, КОЛИЧЕСТВО_ЦВЕТОВ> счётчик_цветов;
// The colours whose count is above 0, ascending; the cannon draws from them.
extern std::vector<std::uint32_t> живые_цвета;
// How long the queue is when the run-in phase ends; set by the first chain built.
extern std::uint32_t количество_выползающих_шаров;
// Dead balls, taken from and returned to the front.
extern std::forward_list<std::shared_ptr<ШарНаПути>> мёртвые_шары;
extern std::forward_list<std::shared_ptr<ДействующийШарНаПути>> мёртвые_действующие_шары;
// Every action ball now on a path.
extern std::map<НомераПутиИШара, std::shared_ptr<ДействующийШарНаПути>> живые_действующие_шары;
// Indexed by action kind.
extern std::array<СостояниеДействия, sharik::КОЛИЧЕСТВО_ДЕЙСТВИЙ> состояния_действий;
// Set once a list скорости too short for the states in use has been reported;
// the report is written once a run.
extern bool скорости_дополнены;
// Set once a list скорости whose push (state 2) is not faster than a paused group
// and every state of СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ has been refused for the default
// list; the report is written once a run.
extern bool скорости_отвергнуты;

// Adds изменение to the colour's count and rebuilds живые_цвета. A colour
// outside 0 to 5 throws std::out_of_range.
void обновить_живые_цвета(std::uint32_t цвет, std::int32_t изменение);

// The chain of one path. Its bookkeeping, which every operation keeps:
// - шары are in path order: for i < j ball i lies at or further along than ball j
//   (ШарНаПути::opCmp); index 0 is the lead ball, the last the newest;
// - группы cover the indices 0 to n − 1 in order without gaps or overlaps, and an
//   empty chain has no groups;
// - group k's в_конце equals group k+1's в_начале; the first group's в_начале and
//   the last group's в_конце are false;
// - счётчик_цветов counts every queued colour and every ball on the path;
// - an action ball on the path is in живые_действующие_шары under its path number
//   and object number, and leaves it when it leaves the chain.
class ЖивыеШары {
public:
    // Queues количество_шаров_на_пути random colours. Throws std::overflow_error,
    // changing nothing, when this is the first chain and количество_выбегающих_шаров
    // exceeds количество_шаров_на_пути.
    explicit ЖивыеШары(std::shared_ptr<const put::Путь> путь);
    virtual ~ЖивыеШары() = default;
    ЖивыеШары(const ЖивыеШары&) = delete;
    ЖивыеШары& operator=(const ЖивыеШары&) = delete;

    // Indexed access; an index outside the chain throws std::out_of_range.
    // Replacing a ball keeps the groups and counters: the new ball takes the old
    // one's colour and place.
    virtual void opIndexAssign(std::shared_ptr<ШарНаПути> шар, std::uint64_t индекс);
    virtual const std::shared_ptr<ШарНаПути>& opIndex(std::uint64_t индекс) const;
    virtual std::uint64_t opDollar() const;
    virtual std::uint64_t length() const;
    // The balls from a (inclusive) to b (exclusive); a > b or b > length throws std::out_of_range.
    virtual std::vector<std::shared_ptr<ШарНаПути>> opSlice(std::uint64_t a, std::uint64_t b) const;
    // Removes ball i, splitting or shrinking its group, and pools it. An index
    // outside the chain throws ШарикиИсключение and changes nothing.
    virtual void удаление(std::uint64_t i);
    // Puts a shot ball, placed on this chain's path, at its place in path order.
    virtual void вставка(std::shared_ptr<ШарНаПути> шар);
    // One frame of motion: contacts, matching, scoring and the ends of the path;
    // returns the removed balls of matched runs. A dt not above 0, or of 1000 s
    // or more, moves nothing; the colours and the ends are still checked.
    virtual std::vector<ДанныеВзрыва> движение_шаров(float dt);
    // Lets the next queued ball enter when the newest has moved clear of the
    // entrance; a path of fewer than two segments lets none enter.
    virtual bool добавление_шарика_на_путь();
    // Pools every ball and forgets queue and path. The counters keep their counts.
    virtual void очистка();
    // Removes every ball, starting no action. The queue stays.
    virtual std::vector<ДанныеВзрыва> суицид();
    // Whether a shot ball placed on this path lies within touching distance of
    // one of the two chain balls around its place.
    virtual bool проверка_нахождения_рядом(const ШарНаПути& шар) const;
    // With the chance dt × 0.07 × (1 + n × 0.01) for n balls, turns a randomly
    // chosen plain ball into an action ball registered under номер_пути. One draw:
    // a choice that falls on an action ball turns nothing.
    virtual void действующий_шарик(std::uint32_t номер_пути, float dt);
    // The index of the ball with this object number, −1 when it is not here.
    virtual std::int32_t поиск_шара(std::uint32_t номер_шара) const;
    // Removes the balls at these indices (duplicates allowed), starting no action.
    // An index outside the chain throws ШарикиИсключение and changes nothing.
    virtual std::vector<ДанныеВзрыва> взорвать_несколько_шариков(const std::vector<std::uint32_t>& номера);
    // Balls on the path or in the queue.
    virtual bool присутствуют_шары() const;

    // The append step: the ball becomes the newest, in a new group of
    // состояние_по_умолчанию; a running-in group ahead of it stops.
    ЖивыеШары& operator+=(std::shared_ptr<ШарНаПути> шар);

    // Insertion steps: the place of a new ball (making its group), the renumbering
    // of the groups after it, and the states and contact flags around it.
    НомераШараИГруппы вст_номера_шара_и_группы(const ШарНаПути& шар);
    void вст_корректировка_номеров(std::uint32_t группа);
    void вст_настройка_скоростей(std::uint64_t номер_шара, std::uint64_t номер_группы);
    // Removal steps: the contact with the group before, or after, ends.
    void уд_корректировка_предыдущей_группы(std::uint64_t группа);
    void уд_корректировка_последующей_группы(std::uint64_t группа);
    // The balls on either side of a removed ball's gap (the gap is before ball
    // номер) are pushed apart as after an insertion when they stand level, or
    // closer than a diameter while the front one does not draw away: a shot ball
    // blown away while it pushed two groups leaves them overlapping.
    void уд_раздвинуть_перекрытие(std::uint32_t номер);
    // Moves a ball forward along the path without rolling.
    void доб_сдвинуть_шар(float расстояние, ШарНаПути& шар);
    // Where the ball would be after moving расстояние along the path from its
    // stored place (backwards when negative). It stops at the end of the last
    // segment and at the start of segment 0.
    РезультатДвижения дш_расчёт_движения_шарика(float расстояние, const ШарНаПути& шар) const;
    // Removes the balls of номера_на_удаление, each index once, from the largest
    // down, and empties the list. An index outside the chain throws
    // ШарикиИсключение, empties the list and changes nothing else.
    std::vector<ДанныеВзрыва> дш_удаление();

    // The steps of one frame. During the search for events the balls keep the
    // places of the frame's start; motion only accumulates in отложенное_смещение,
    // and only the end balls of each group are walked along the path.
    //
    // The group's speed: скорости at its state, 0 for the entrance group running in
    // while "пауза" runs, скорости[4] for the lead group above state 4 while "назад"
    // runs. Speeds are read from the settings at construction and at the start of
    // every frame.
    float дш_расчёт_скорости(const ГруппаШаров& группа) const;
    // Where each group's end balls would be after t more seconds without events.
    const ПредсказаниеДвижения& дш_предварительный_расчёт_движения(float t);
    // Handles the earliest event of the next t seconds (ties to the lower group)
    // and spends the time up to it; returns the time left, 0 when the rest of t
    // was spent without events, 1000 when the chain has no groups. A contact
    // found between balls closer than a diameter is an overlap, whatever left
    // them so: it is pushed apart instead, and the whole t is returned, since
    // the speeds of the prediction have changed. A pair without contact flags
    // whose front group runs away from its rear group has no event.
    float дш_главная_проверка(const ПредсказаниеДвижения& предсказание, float t);
    // Whether the ball behind (b) would touch or have passed the ball ahead (a).
    bool дш_проверка_коллизии(const РезультатДвижения& a, const РезультатДвижения& b) const;
    // Seconds until group k and group k+1 touch, or, when they overlap, finish
    // separating; 0 when that already holds at touching distance; 1000 when it
    // cannot be computed.
    float дш_время_до_коллизии(std::uint32_t k) const;
    // Every ball of a moving group covers its speed times t.
    void дш_стандартное_движение(float t);
    // Group k and k+1 meet: a run of three or more of one colour at the meeting
    // goes on номера_на_удаление and scores; otherwise the two join.
    void дш_обработка_коллизии(std::uint32_t k);
    // The overlap of group k and k+1 has ended: both stop, or the rear one runs
    // in when it is the last group.
    void дш_обработка_окончания_коллизии(std::uint32_t k);
    // Group k takes in group k+1.
    void дш_объединение_групп(std::uint32_t k);
    // Every ball rolls to its place of the frame's end.
    void дш_реальное_движение();
    // Groups whose colours match at the gap behind them are pulled back; others stop pulling.
    void дш_проверка_цвета();
    // Ball 0 on the exit segment leaves and costs a life; every ball backed out
    // through the entrance goes back to the queue, the newest first.
    void дш_проверка_концов();

    // Null after очистка.
    std::shared_ptr<const put::Путь> путь;
    std::vector<std::shared_ptr<ШарНаПути>> шары;
    std::vector<ГруппаШаров> группы;
    // Indices collected for removal during a motion step; may repeat.
    std::vector<std::uint32_t> номера_на_удаление;
    // While true, removing an action ball starts its action; otherwise the ball
    // leaves unused and its kind is allowed again.
    bool действия_при_удалении = true;
    // The colours still to come; the next ball takes the last one.
    std::vector<std::uint32_t> новые_шары;
    // The state of a group that runs in at the entrance: ВХОД_БЫСТРЫЙ, then
    // ВХОД_МЕДЛЕННЫЙ for good once the queue is shorter than количество_выползающих_шаров.
    std::uint32_t состояние_по_умолчанию = ВХОД_БЫСТРЫЙ;

private:
    // The index of the group that holds ball i.
    std::size_t группа_шара(std::uint64_t i) const;
    // The path distance from сзади to впереди where the frame's motion so far has brought them.
    float зазор(const ШарНаПути& впереди, const ШарНаПути& сзади) const;
    // What a pair of groups k and k+1 without contact flags does about the gap
    // between them where the frame's motion so far has brought them.
    enum class РешениеПоЗазору {
        событие,     // nothing here: the search takes its contact, or reports it level or past
        расходятся,  // the front group runs away from the rear one: left to draw apart
        раздвинуть,  // an overlap: group k is to be pushed away
    };
    // The one decision for the search and the removal. Closer than a diameter,
    // the pair is pushed unless it draws apart; a level pair (gap 0) is pushed
    // only when вровень, whatever the speeds, since a level pair has no way to
    // draw apart that the search can see.
    РешениеПоЗазору решение_по_зазору(std::size_t k, bool вровень) const;
    // Group k is pushed forward (РАЗДВИГАНИЕ) from group k+1 until their overlap
    // ends, as after an insertion, and the pair's contact flags are set.
    void раздвинуть(std::size_t k);
    // The binary search of a place: bounds a (ahead of or level with шар) and b (behind it).
    void сузить(const ШарНаПути& шар, std::int64_t& a, std::int64_t& b) const;
    // Refuses an index outside the chain (or beyond 32 bits) before anything changes.
    void проверить_номер(std::uint64_t i) const;
    // Kills and pools a ball leaving the chain; an action ball leaves the live
    // ones and starts its action, or, leaving unused, gives its kind back.
    void проводить(const std::shared_ptr<ШарНаПути>& шар, bool начать_действие);
    // The path; std::logic_error once очистка has let it go.
    const put::Путь& мой_путь() const;
    // Takes the speeds of the states from the setting скорости, filling a short
    // list from the default one. A list whose push (state 2) is not faster than a
    // paused group and every state of СОСТОЯНИЯ_ЗА_РАЗДВИГАНИЕМ, compared as the
    // single-precision speeds the chain moves at, is refused: the default list
    // is taken, with one warning a run.
    void прочитать_скорости();
    // Removes ball i as it leaves at an end of the path: no action starts.
    void удалить_без_действия(std::uint64_t i);

    std::array<float, КОЛИЧЕСТВО_СОСТОЯНИЙ> скорости_{};
    ПредсказаниеДвижения предсказание_;
};

}  // namespace shariki
