// The path set of one field: a path and a ball chain per path of the level and the
// field's plane. The field calls it every frame to let balls in, move the chains,
// place the shot ball, age the action balls and carry out the actions, and at the
// end to blow every chain up. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "src/jadro.hpp"
#include "src/put.hpp"
#include "src/samolet.hpp"
#include "src/shariki.hpp"

namespace puti {

using put::Луч;
using put::Пересечение;
using shariki::ДанныеВзрыва;
using shariki::ЖивыеШары;
using shariki::НомераПутиИШара;
using shariki::ШарНаПути;
using zyr::vector::Вектор3;

// Action kinds, the indices of shariki::состояния_действий.
inline constexpr std::uint32_t ПАУЗА = 0;
inline constexpr std::uint32_t НАЗАД = 1;
inline constexpr std::uint32_t ПРИЦЕЛ = 2;
inline constexpr std::uint32_t БОМБА = 3;
inline constexpr std::uint32_t МИКРОСАМОЛЁТИК = sharik::МИКРОСАМОЛЁТИК;

// Points a ball caught by a bomb or an aerial bomb scores.
inline constexpr int ОЧКОВ_ЗА_ШАР_ВО_ВЗРЫВЕ = 10;

// What the actions did in one frame.
struct РезультатДействий {
    // The aim action is on.
    bool прицел = false;
    // The explosions to show this frame.
    std::vector<ДанныеВзрыва> взрывы;

    friend bool operator==(const РезультатДействий&, const РезультатДействий&) = default;
};

// Balls enter at the start of segment 1 and leave on the last segment: a path
// carries them only with segments between those two (at least four vertices)
// that together hold one ball. On a shorter path the first ball would reach the
// exit in its own frame and lose the level at once.
bool несёт_шары(const put::Путь& путь);

class Пути {
public:
    // One entry of each list per path, as the level file gives them. Whatever
    // happens to the paths, a new field starts clean: the colour counters at 0,
    // the plane built and not flying, no live action ball, every action off and
    // every kind allowed. The set is живой only when both lists have the same
    // length and every path несёт_шары; building stops at the first that does
    // not, keeping the paths and chains before it.
    Пути(const std::vector<std::vector<Вектор3>>& вершины,
         const std::vector<std::vector<put::Разрыв>>& разрывы);
    virtual ~Пути() = default;
    Пути(const Пути&) = delete;
    Пути& operator=(const Пути&) = delete;

    virtual bool живой() const { return живой_; }
    // Every path's crossings, in path order.
    virtual std::vector<Пересечение> пересечения_с_лучом(const Луч& луч) const;
    // Lets a ball in on every path; true when any came in.
    virtual bool добавление_шариков_на_пути();
    // One motion step of every chain; their explosions in path order.
    virtual std::vector<ДанныеВзрыва> движение_шаров(float dt);
    virtual void очистка();
    // Removes every ball of every chain.
    virtual std::vector<ДанныеВзрыва> суицид();
    // A ball of the colour on path номер_пути, not yet in its chain: from the pool
    // (reset, as a new one) or new. The place is held within the segments 1 to
    // length − 2, where a chain's balls can be put; a path of three vertices has
    // none and the ball stays at the entrance. A colour outside 0 to 5 or a path
    // the set does not have throws std::out_of_range before anything changes.
    virtual std::shared_ptr<ШарНаПути> новый_шар_на_позицию(std::uint64_t номер_пути, std::uint32_t цвет,
                                                           std::uint32_t сегмент, float смещение,
                                                           std::uint32_t уровень);
    // The shot ball at the place the result names, when it touches that path's chain.
    virtual bool вставка_шара(const jadro::РезультатДвижения& результат);
    // The shot ball next to the first ball near the shot's point, searched in path
    // order and then chain order, outside gaps; at most one ball per call.
    virtual bool нахождение_близкого_шарика(const jadro::РезультатДвижения& результат);
    // Ages the live action balls: one whose life has run out turns back into a
    // plain ball of its colour, place and merge level, and its kind is allowed
    // again. Then every chain may turn a ball into an action ball.
    virtual void действующие_шары(float dt);
    // Advances and ends the actions; the bomb and the plane's bombs blow balls away.
    virtual РезультатДействий обработать_действия(float dt);
    // The balls closer than радиус to центр, as (path, index in its chain), scored
    // ОЧКОВ_ЗА_ШАР_ВО_ВЗРЫВЕ each with a floating number; they stay in their chains.
    virtual std::vector<НомераПутиИШара> сделать_взрыв(const Вектор3& центр, float радиус);
    // A new flight from the trajectory's start, also during a flight.
    virtual void запустить_самолёт();
    // No chain has balls on its path or in its queue (true with no paths).
    virtual bool кончились_шары() const;

    // Spins the action object of every live action ball.
    static void поворот_объектов_в_шариках(float dt);

    // Path i's chain is шары_на_путях[i]; i is the path number everywhere.
    std::vector<std::shared_ptr<const put::Путь>> пути;
    std::vector<std::unique_ptr<ЖивыеШары>> шары_на_путях;
    // Never null.
    std::unique_ptr<samolet::Самолёт> самолёт;

private:
    bool построить_пути(const std::vector<std::vector<Вектор3>>& вершины,
                        const std::vector<std::vector<put::Разрыв>>& разрывы);
    // A ball from the pool, reset and revived in the colour, or a new one, at the
    // entrance of path номер_пути.
    std::shared_ptr<ШарНаПути> шар_у_входа(std::uint64_t номер_пути, std::uint32_t цвет);
    // The hits of one frame handed to their chains, path by path in hit order.
    std::vector<ДанныеВзрыва> взорвать(const std::vector<НомераПутиИШара>& попадания);

    bool живой_ = false;
};

}  // namespace puti
