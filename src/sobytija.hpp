// The game's event handler: the one dispatcher of the run, on which every game
// state binds its keyboard and mouse handlers; it also carries the forced exit
// that ends the frame loop after the last state has left through its frame result.
#pragma once

#include <memory>

#include "zyr/zavisimost/sobytija_SDL2.hpp"

namespace sobytija {

class СобытияИгры : public zyr::zavisimost::sobytija_SDL2::МинимальныйОбработчикСобытий {
public:
    // With the forced exit set: true at once, leaving every event in the queue.
    // Otherwise the base's pass: each event goes to a copy of its type's handler
    // until one answers true, after which the rest are taken and dropped.
    bool обработка_всех_событий() override;
    // Whether the field has taken the mouse; the engine manager reads it only
    // when the handler is installed.
    bool управление_мышью() override;

    virtual void принудительно_выйти();
    virtual void включить_управление_мышью();
    virtual void выключить_управление_мышью();

    bool принудительный_выход() const { return принудительный_выход_; }

protected:
    // Made with zyr::zavisimost::sobytija_SDL2::создать<СобытияИгры>(), which
    // registers the base's handlers once the object is whole.
    СобытияИгры() = default;

private:
    bool принудительный_выход_ = false;
    bool управление_мышью_включено_ = false;
};

// The one handler of the run, made by the state switcher's constructor and never
// replaced while the game runs. Main thread only.
extern std::shared_ptr<СобытияИгры> события_игры;

}  // namespace sobytija
