// Event dispatch: a handler drains the SDL2 event queue once per frame and hands
// each event to the function registered for its type, and keys and window events
// to the function registered for the pair of type and key.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

namespace zyr::mesto {
class Место;
}
namespace zyr::zyr_manager {
class ZYRМенеджер;
}

namespace zyr::zavisimost::sobytija_SDL2 {

// A handler function: true asks the frame loop to end.
using ФункцияОбработки = std::function<bool(SDL_Event)>;

// The key of a keyboard event (key code) or of a window event (window-event number).
std::int32_t ключ_события(const SDL_Event& событие);

// Handlers register their own functions in a set-up call after construction, so
// that subclasses' registrars are the ones called: make them with создать<T>(...).
template <class T, class... Аргументы>
std::shared_ptr<T> создать(Аргументы&&... аргументы);

class ОбработчикСобытий : public std::enable_shared_from_this<ОбработчикСобытий> {
public:
    virtual ~ОбработчикСобытий() = default;
    ОбработчикСобытий(const ОбработчикСобытий&) = delete;
    ОбработчикСобытий& operator=(const ОбработчикСобытий&) = delete;

    // One event pass per frame; true ends the frame loop.
    virtual bool обработка();
    // Drains the queue; once a handler has answered true the rest are taken and dropped.
    virtual bool обработка_всех_событий();
    virtual bool заглушка(SDL_Event событие);

    // Registering replaces an earlier function in place. A function may unregister
    // or replace itself or any other while it runs.
    virtual void зарегистрировать_функцию1(std::int32_t тип, ФункцияОбработки функция);
    // Removes the type's function and all its pair functions.
    virtual void разрегистрировать_функцию1(std::int32_t тип);
    virtual void зарегистрировать_функцию2(std::int32_t тип, std::int32_t ключ, ФункцияОбработки функция);
    virtual void разрегистрировать_функцию2(std::int32_t тип, std::int32_t ключ);

    // Whether the handler wants the mouse captured; read when it is installed.
    virtual bool управление_мышью();

protected:
    ОбработчикСобытий() = default;

    virtual void _регистратор_функций1() {}
    virtual void _регистратор_функций2() {}
    // The set-up call: both registrars; a subclass adds its own registrations
    // after calling its base's, in the order its constructor would make them.
    virtual void _регистрация();

    // Calls the function of the event's type (the stub when there is none).
    bool обработать_событие(const SDL_Event& событие);
    // Calls the function of the event's type and key (the stub when there is none).
    bool обработать_по_ключу(const SDL_Event& событие);

    // A handler function calling one of this object's operations (virtually).
    template <class Класс>
    ФункцияОбработки функция(bool (Класс::*операция)(SDL_Event)) {
        auto* себя = static_cast<Класс*>(this);
        return [себя, операция](SDL_Event событие) { return (себя->*операция)(событие); };
    }

    std::map<std::int32_t, ФункцияОбработки> функции1;
    std::map<std::int32_t, std::map<std::int32_t, ФункцияОбработки>> функции2;
};

// Quit, key press and release, window events, minimise and expose.
class МинимальныйОбработчикСобытий : public ОбработчикСобытий {
public:
    virtual bool обработка_отжатия_клавиши(SDL_Event событие);
    virtual bool обработка_нажатия_клавиши(SDL_Event событие);
    virtual bool обработка_выхода(SDL_Event событие);
    virtual bool обработка_события_окна(SDL_Event событие);
    virtual bool обработка_минимизации_окна(SDL_Event событие);
    // Restores the stored window size unless the window is minimised.
    virtual bool обработка_показа_окна(SDL_Event событие);

protected:
    МинимальныйОбработчикСобытий() = default;
    void _регистратор_функций1() override;
    void _регистратор_функций2() override;
};

// Adds the release of Esc as a request to quit.
class СтандартныйОбработчикСобытий : public МинимальныйОбработчикСобытий {
public:
    virtual bool обработка_отжатия_клавиши_ESCAPE(SDL_Event событие);

protected:
    СтандартныйОбработчикСобытий() = default;
    void _регистрация() override;
};

// A free-flying camera: the arrows and/or WASD move it, the relative mouse turns it.
// Modes: "WASD", "стрелки и WASD", anything else the arrows only.
class ОбработчикСобытийСДвижением : public СтандартныйОбработчикСобытий {
public:
    // The mouse drives the camera, so it is captured while this handler is installed.
    bool управление_мышью() override;

    // Recomputed from the keyboard state at each press or release of one of the
    // handler's keys, so a held key keeps the camera moving.
    virtual bool вправо_влево(SDL_Event событие);
    virtual bool вперёд_назад(SDL_Event событие);
    virtual bool движение_мыши(SDL_Event событие);

    // For a scene-update function: turns the camera node by the mouse motion
    // gathered since the last call, then moves it in its own frame.
    virtual void события_в_обновлении_сцены(mesto::Место& место_камеры, float dt);
    // The same on the manager's camera node "Место камеры".
    virtual void события_в_обновлении_сцены(zyr_manager::ZYRМенеджер& менеджер, float dt);

    virtual void скорость_движения(float скорость);
    virtual float скорость_движения() const;
    virtual void скорость_поворота(float скорость);
    virtual float скорость_поворота() const;

protected:
    explicit ОбработчикСобытийСДвижением(const std::string& режим);
    void _регистрация() override;
    virtual void _дополнительный_регистратор_функций();
    void _регистратор_сдвигов(SDL_Keycode вправо, SDL_Keycode влево, SDL_Keycode вперёд, SDL_Keycode назад);

    // The platform's input state; tests replace it.
    virtual bool клавиша_нажата(SDL_Scancode клавиша) const;
    virtual void относительное_движение_мыши(int& x, int& y);

    float сдвиг_вбок = 0.0f;     // right positive
    float сдвиг_вперёд = 0.0f;   // forward positive
    float накопленная_мышь_x = 0.0f;
    float накопленная_мышь_y = 0.0f;
    bool стрелки = true;
    bool wasd = false;
    std::int32_t последняя_мышь_x = 0;
    std::int32_t последняя_мышь_y = 0;
    float скорость_движения_ = 1.0f;
    float скорость_поворота_ = 0.1f;
};

namespace detail {
template <class T>
struct Созданный final : T {
    template <class... Аргументы>
    explicit Созданный(Аргументы&&... аргументы) : T(std::forward<Аргументы>(аргументы)...) {}
    void настроить() { this->_регистрация(); }
};
}  // namespace detail

template <class T, class... Аргументы>
std::shared_ptr<T> создать(Аргументы&&... аргументы) {
    auto обработчик = std::make_shared<detail::Созданный<T>>(std::forward<Аргументы>(аргументы)...);
    обработчик->настроить();
    return обработчик;
}

}  // namespace zyr::zavisimost::sobytija_SDL2
