// The field: the game state of one level. It builds the level's scene (lamp,
// ground, cannon with the camera behind it, shot), owns the paths with their
// chains, the cannon, the shot and the bonus targets, turns mouse and keys into
// cannon moves, shots, colour changes, pause and the plane, runs everything on
// the field once a frame and ends the level in the game-over or victory screen.
#pragma once

#include <cstdint>

#include "src/sostojanie.hpp"

namespace pole {

// Made with sostojanie::создать_состояние<Поле>(номер); the level file is read by
// the constructor, whose reader exceptions reach the caller.
class Поле : public sostojanie::Состояние {
public:
    void закрыть() override;
    void возобновить() override;
    sostojanie::РезультатКадра обновление_сцены(float dt) override;

protected:
    explicit Поле(std::int32_t номер);
};

}  // namespace pole
