// The field: the game state of one level. It builds the level's scene (lamp,
// ground, cannon with the camera behind it, shot), owns the paths with their
// chains, the cannon, the shot and the bonus targets, turns mouse and keys into
// cannon moves, shots, colour changes, pause and the plane, runs everything on
// the field once a frame and ends the level in the game-over or victory screen.
#pragma once

#include <cstdint>
#include <memory>

#include "src/sostojanie.hpp"
#include "zyr/quaternion.hpp"
#include "zyr/vector.hpp"

namespace bonusy {
class Бонусы;
}
namespace jadro {
class Ядро;
}
namespace puti {
class Пути;
}
namespace pushka {
class Пушка;
}
namespace zyr::mesto {
class Место;
}

namespace pole {

// The factor from mouse pixels to cannon radians a second.
inline constexpr float ИЗМЕНЕНИЕ_УГЛА = 0.1f;
// Seconds before the next shot or colour change may follow a shot or a colour change.
inline constexpr float МИНИМАЛЬНЫЙ_ИНТЕРВАЛ_МЕЖДУ_ВЫСТРЕЛАМИ = 0.2f;
inline constexpr float МИНИМАЛЬНЫЙ_ИНТЕРВАЛ_МЕЖДУ_ЗАМЕНОЙ_ЦВЕТА = 0.2f;
// The cannon stands over the field's centre; the node that carries the camera hangs
// this far above and behind the cannon's turning node.
inline constexpr zyr::vector::Вектор3 ПОЗИЦИЯ_ПУШКИ{0.0f, 10.0f, 0.0f};
inline constexpr zyr::vector::Вектор3 ПОЗИЦИЯ_КАМЕРЫ_У_ПУШКИ{0.0f, 30.0f, 60.0f};
// The camera's clipping distances on a field.
inline constexpr float ДАЛЬНЕЕ_ОТСЕЧЕНИЕ = 250.0f;
inline constexpr float БЛИЖНЕЕ_ОТСЕЧЕНИЕ = 4.0f;
// The camera node under the node that the cannon carries: a little behind, looking
// down by 0.3 rad.
inline constexpr zyr::vector::Вектор3 ПОЛОЖЕНИЕ_ВЗГЛЯДА{0.0f, 0.0f, 5.0f};
inline constexpr zyr::quaternion::Кватернион НАПРАВЛЕНИЕ_ВЗГЛЯДА{0.98877108f, -0.14943813f, -0.0f, -0.0f};
// The loss lets the chains' explosions play this long before the game-over screen.
inline constexpr float ВРЕМЯ_ПРОИГРЫША = 0.5f;

// Made with sostojanie::создать_состояние<Поле>(номер); the level file is read by
// the constructor, whose reader exceptions reach the caller. Handlers answer
// false, so the event pass goes on. Main thread only.
class Поле : public sostojanie::Состояние {
public:
    ~Поле() override;

    // Camera off the cannon, chains cleared, every node under the scene root
    // removed, handlers unbound and the mouse released. Live explosions and
    // floating numbers stay in their module lists for the next field to finish.
    void закрыть() override;
    // After the screen pushed at the end of the level: the field leaves on the next frame.
    void возобновить() override;
    // The cannon turns by the mouse motion gathered since the last frame; then the
    // loss, the end of the level, the shot's wait, the victory (tested before the
    // pause) and, unpaused, the main step, whose std::exception is written to
    // standard output after "Exception!" without ending the frame.
    sostojanie::РезультатКадра обновление_сцены(float dt) override;

    virtual bool движение_мыши(SDL_Event событие);
    // Left button: a shot, unless the shot flies; middle or right: the colours
    // swap. Either starts the wait, during which every button does nothing.
    virtual bool обработка_отжатия_клавиши_мыши(SDL_Event событие);
    // Take the mouse and bind the handlers; release the mouse and unbind them.
    virtual void регистрация_событий();
    virtual void разрегистрация_событий();
    virtual bool обработка_отжатия_клавиши_M(SDL_Event событие);
    virtual bool обработка_отжатия_клавиши_Пробел(SDL_Event событие);

    // Read access for tests and benchmarks.
    std::int32_t номер_поля() const { return номер_поля_; }
    const std::unique_ptr<pushka::Пушка>& пушка() const { return пушка_; }
    const std::unique_ptr<jadro::Ядро>& ядро() const { return ядро_; }
    const std::unique_ptr<puti::Пути>& пути() const { return пути_; }
    const std::unique_ptr<bonusy::Бонусы>& бонусы() const { return бонусы_; }
    const std::shared_ptr<zyr::mesto::Место>& место_камеры_у_пушки() const { return место_камеры_у_пушки_; }
    float время_до_выстрела() const { return время_до_выстрела_; }
    bool на_паузе() const { return на_паузе_; }
    bool проигрыш() const { return проигрыш_; }
    bool конец_поля() const { return конец_поля_; }
    float время_проигрыша() const { return время_проигрыша_; }

protected:
    // Throws pole::ПолеИсключение, naming the file and the path, for a path set
    // that could not be built (a path of fewer than three vertices); no paths at
    // all is a level already won.
    explicit Поле(std::int32_t номер);

    void _регистрация() override { регистрация_событий(); }

    // The relative mouse motion since the last read; the platform's, which tests replace.
    virtual void относительное_движение_мыши(std::int32_t& x, std::int32_t& y);

private:
    void базовая_настройка_сцены();
    void поворот_пушки(float dt);
    void основная_обработка(float dt);
    void проверка_состояния_игры();
    sostojanie::РезультатКадра обработка_суицида(float dt);

    std::int32_t номер_поля_ = 0;
    float накопленный_поворот_ = 0.0f;
    float накопленный_наклон_ = 0.0f;
    std::int32_t мышь_x_ = 0;
    std::int32_t мышь_y_ = 0;
    float изменение_угла_ = ИЗМЕНЕНИЕ_УГЛА;
    std::unique_ptr<pushka::Пушка> пушка_;
    std::unique_ptr<jadro::Ядро> ядро_;
    std::shared_ptr<zyr::mesto::Место> место_камеры_у_пушки_;
    float время_до_выстрела_ = 0.0f;
    std::unique_ptr<puti::Пути> пути_;
    std::unique_ptr<bonusy::Бонусы> бонусы_;
    bool на_паузе_ = false;
    bool проигрыш_ = false;
    bool конец_поля_ = false;
    float время_проигрыша_ = 0.0f;
};

}  // namespace pole
