// Explosions: short animated bursts in the colour of a ball where balls are blown
// away. The chains and the path set describe them with ДанныеВзрыва; the live ones
// are animated each frame and pooled when they finish. Main thread only.
#pragma once

#include <cstdint>
#include <forward_list>
#include <memory>
#include <string>
#include <vector>

#include "src/sharik.hpp"
#include "zyr/vector.hpp"

namespace zyr::mesh {
class МешСоСкелетом;
}

namespace vzryv {

// Where an explosion goes and in which colour: a removed ball's colour (0 to 5)
// and scene position.
struct ДанныеВзрыва {
    std::uint32_t номер_цвета = 0;
    zyr::vector::Вектор3 позиция;

    friend bool operator==(const ДанныеВзрыва&, const ДанныеВзрыва&) = default;
};

// The animation of the skinned mesh "взрыв" that an explosion plays.
inline constexpr const char* АНИМАЦИЯ = "Action";
inline constexpr float КАДРОВ_В_СЕКУНДУ = 50.0f;
// An explosion is over once it has played longer than this.
inline constexpr float ДЛИТЕЛЬНОСТЬ = 0.5f;

// A burst on the node "место_взрыва_NNNN" under the scene root, turned at random,
// with its own copy of the skinned mesh "взрыв" moved by the skeleton "взрыв".
// A refused colour leaves it unbuilt (no node); a missing mesh or skeleton, or a
// mesh that is not skinned, leaves it with an empty node. Either way it is not
// alive, shows nothing and is over at its first animation frame.
class Взрыв : public sharik::Шарик {
public:
    // номер is the next object number; a colour outside 0 to 5 is refused with a journal error.
    Взрыв(std::uint32_t номер, std::int32_t цвет, const zyr::vector::Вектор3& позиция);
    ~Взрыв() override;

    // Plays on by dt; true once the explosion is over.
    virtual bool анимация(float dt);
    // Alive again in the colour at the place, from the start of its animation, with
    // the orientation it was built with. One without its mesh stays dead and
    // silent. A colour outside 0 to 5 throws std::out_of_range and changes nothing.
    virtual void возродить_на_позицию(std::int32_t цвет, const zyr::vector::Вектор3& позиция);
    std::string toString() const override;

    // Seconds since it was built or revived.
    float прошло = 0.0f;
    // Its own copy, so that every explosion carries its own animation state; null
    // when it shows nothing.
    std::shared_ptr<zyr::mesh::МешСоСкелетом> меш;
};

// The live explosions in order of appearance.
extern std::vector<std::shared_ptr<Взрыв>> живые_взрывы;
// Finished explosions, reused from the front. Unbuilt ones (a refused colour)
// are not kept: they could never show a later request.
extern std::forward_list<std::shared_ptr<Взрыв>> мёртвые_взрывы;

// Nothing while the setting "паника" is not 0. Otherwise one explosion a record,
// from the pool or new, appended to живые_взрывы; a refused colour yields an
// unbuilt explosion, which is appended too and leaves the pool alone.
void добавить_взрывы(const std::vector<ДанныеВзрыва>& данные);
// Plays every live explosion on by dt and removes those that are over.
void анимация_взрывов(float dt);
// Kills the explosions at these indices of живые_взрывы (repeats count once) and
// pools them, the largest index first, keeping the order of the others. An index
// outside the list throws std::out_of_range and changes nothing.
void удалить_взрывы(std::vector<std::uint64_t> номера);
void удалить_все_взрывы();

}  // namespace vzryv
