// Game states and their switcher: the game is a stack of states (screens and the
// field); only the top one is updated, and its frame result asks the switcher to
// do nothing, to leave it or to push the state the result carries.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "src/sobytija.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"

namespace sostojanie {

enum class ТипРезультата : std::int32_t {
    Ничего = 0,    // stay
    Выйти = 1,     // leave the state
    Добавить = 2,  // push the state carried in the result
};

class Состояние;

struct РезультатКадра {
    ТипРезультата тип = ТипРезультата::Ничего;
    // Read only with Добавить.
    std::shared_ptr<Состояние> состояние;

    РезультатКадра() = default;
    explicit РезультатКадра(ТипРезультата тип_, std::shared_ptr<Состояние> состояние_ = nullptr)
        : тип(тип_), состояние(std::move(состояние_)) {}
};

// A state sets itself up (panels, event handlers) when it is made, so it is made
// with создать_состояние<T>(...): the constructor builds it, then _регистрация()
// binds its handlers once a shared owner exists for them to capture. Main thread only.
class Состояние : public std::enable_shared_from_this<Состояние> {
public:
    virtual ~Состояние() = default;
    Состояние(const Состояние&) = delete;
    Состояние& operator=(const Состояние&) = delete;

    // Covered by a pushed state; the base does nothing.
    virtual void пауза();
    // Left; the base clears открыто.
    virtual void закрыть();
    // On top again after the state above left; the base resets the frame result.
    virtual void возобновить();
    // One frame; the base returns результат unchanged.
    virtual РезультатКадра обновление_сцены(float dt);
    // Kind Ничего without a state; closes a carried state as задать_результат does.
    virtual void сбросить_результат_кадра();

    bool открыто() const { return открыто_; }
    const РезультатКадра& результат() const { return результат_; }

protected:
    Состояние() = default;

    // The second phase of making a state: bind its event handlers. Empty here.
    virtual void _регистрация() {}

    // Replaces the stored result. A state the old result carried that never
    // reached the switcher's stack is closed now (its panel and handlers would
    // otherwise stay bound): that is the fate of a pushed-for state that a later
    // event overrode.
    void задать_результат(РезультатКадра результат);

    // A handler for события_игры calling one of this state's operations. It
    // holds the state only while it runs and does nothing once the state is
    // gone. Throws std::logic_error before the state has an owner (inside its
    // constructor): bind handlers in _регистрация.
    template <class Класс>
    zyr::zavisimost::sobytija_SDL2::ФункцияОбработки обработчик(bool (Класс::*операция)(SDL_Event));

    // The game's event handler; throws std::logic_error while no switcher has made it.
    static sobytija::СобытияИгры& события();

    bool открыто_ = true;

private:
    friend class ПереключательСостояний;
    template <class T>
    friend class Созданное;

    // Closes с if it is open and not on the stack, then the state it carries.
    static void закрыть_брошенное(Состояние& с);
    // The destruction of a state still open: закрыть while the object is whole.
    void закрыть_при_удалении() noexcept;

    РезультатКадра результат_;
    bool в_стеке_ = false;
};

// The most derived class of every state made by создать_состояние: its
// destructor runs before the state's own, so a state still open when its last
// owner lets go is closed through its own закрыть.
template <class T>
class Созданное final : public T {
public:
    template <class... Аргументы>
    explicit Созданное(Аргументы&&... аргументы) : T(std::forward<Аргументы>(аргументы)...) {}
    ~Созданное() override { this->закрыть_при_удалении(); }
    void настроить() { this->_регистрация(); }
};

template <class T, class... Аргументы>
std::shared_ptr<T> создать_состояние(Аргументы&&... аргументы) {
    auto состояние = std::make_shared<Созданное<T>>(std::forward<Аргументы>(аргументы)...);
    состояние->настроить();
    return состояние;
}

template <class Класс>
zyr::zavisimost::sobytija_SDL2::ФункцияОбработки Состояние::обработчик(bool (Класс::*операция)(SDL_Event)) {
    std::weak_ptr<Состояние> слабое = weak_from_this();
    if (слабое.expired()) throw std::logic_error("Обработчик состояния привязан до создания состояния");
    return [слабое = std::move(слабое), операция](SDL_Event событие) {
        const auto состояние = слабое.lock();
        if (!состояние) return false;
        return (static_cast<Класс*>(состояние.get())->*операция)(событие);
    };
}

// The stack of states. Its constructor makes sobytija::события_игры, installs it
// in the engine manager (when there is one) and binds the release of Esc.
// Destroying it closes the states still on the stack, top first, which reach
// события_игры and the engine manager: its owner destroys it while both exist.
class ПереключательСостояний {
public:
    ПереключательСостояний();
    virtual ~ПереключательСостояний();
    ПереключательСостояний(const ПереключательСостояний&) = delete;
    ПереключательСостояний& operator=(const ПереключательСостояний&) = delete;

    // Pauses the top, then pushes с; с itself is not called. A null state, one
    // already on the stack or one closed is not pushed.
    virtual void добавить_состояние(std::shared_ptr<Состояние> с);
    // Closes every state, bottom first, and leaves с alone on the stack.
    virtual void изменить_состояние(std::shared_ptr<Состояние> с);
    // Closes the top (after the state its result carries, if that never got on
    // the stack) and removes it; true when the stack is now empty, otherwise the
    // new top resumes. Nothing to leave counts as empty.
    virtual bool выход_из_состояния();
    // One frame of the top state and what its result asks for; a last state
    // left this way sets the forced exit, so the next event pass ends the loop.
    virtual void обновление_сцены(float dt);
    // Leaves the top state; true (the end of the loop) when none is left.
    virtual bool обработка_отжатия_клавиши_ESCAPE(SDL_Event событие);

    const std::vector<std::shared_ptr<Состояние>>& стек() const { return стек_; }

private:
    // Closes what the state's result carries, if it never got on the stack, then the state.
    void закрыть_верх(Состояние& с);

    std::vector<std::shared_ptr<Состояние>> стек_;
    std::shared_ptr<sobytija::СобытияИгры> события_;
};

}  // namespace sostojanie
