// Bonus targets: sites of the field with a base and up to three targets. Every few
// seconds one site flips a target up for a while; a shot that passes through it
// scores the target's price. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "src/jadro.hpp"
#include "zyr/types.hpp"
#include "zyr/vector.hpp"

namespace zyr::mesto {
class Место;
}

namespace bonusy {

using jadro::РезультатДвижения;
using zyr::mesto::Место;
using zyr::types::Координаты2D;
using zyr::vector::Вектор3;

// The target kinds 0 to 2 by the names of their objects.
inline constexpr std::array<const char*, 3> ВИДЫ_УНИТАЗОВ{"горшок", "писсуар", "унитаз"};
// The price of a kind that the setting стоимости_бонусов does not give.
inline constexpr std::uint32_t СТОИМОСТЬ_ПО_УМОЛЧАНИЮ = 100;

// The flip angle, down and up; a flip of π runs at СКОРОСТЬ_ПЕРЕВОРОТА (3π rad/s),
// so it takes a third of a second.
inline constexpr float УГОЛ_ВНИЗУ = -1.5707964f;
inline constexpr float УГОЛ_НАВЕРХУ = 1.5707964f;
inline constexpr float СКОРОСТЬ_ПЕРЕВОРОТА = 9.424778f;
// Seconds a raised target stays up, turning at СКОРОСТЬ_ВРАЩЕНИЯ rad/s.
inline constexpr float ВРЕМЯ_НАВЕРХУ = 15.0f;
inline constexpr float СКОРОСТЬ_ВРАЩЕНИЯ = 0.4f;
// A shot this close on the ground to a site's centre passes through its target:
// the square of the ball diameter.
inline constexpr float КВАДРАТ_РАССТОЯНИЯ_ПОПАДАНИЯ = 87.12356f;
// The seconds between two raises are drawn from [ОТ, ДО).
inline constexpr float ИНТЕРВАЛ_ОТ = 4.0f;
inline constexpr float ИНТЕРВАЛ_ДО = 20.0f;

enum СостояниеУнитаза : std::int32_t { ВНИЗУ = 0, ПОДНИМАЕТСЯ = 1, НАВЕРХУ = 2, ОПУСКАЕТСЯ = 3 };

// One target of a site: its object on a node of its own, upside down under the base
// until raised.
class Унитаз {
public:
    // A kind of 3 or more, or a kind whose object is missing, makes no target: not
    // живой, without a node, and every operation leaves it alone. The price is entry
    // вид of стоимости_бонусов, or СТОИМОСТЬ_ПО_УМОЛЧАНИЮ where the list is too short
    // or the entry is negative or beyond what a score can hold.
    Унитаз(std::uint64_t вид, const Вектор3& позиция);
    // Takes the node out of the scene.
    virtual ~Унитаз();
    Унитаз(const Унитаз&) = delete;
    Унитаз& operator=(const Унитаз&) = delete;

    // True until raised for the first time.
    virtual bool скрыт() const { return скрыт_; }
    virtual bool наверху() const { return состояние_ == НАВЕРХУ; }
    // Shows the target and starts it rising from the angle it has.
    virtual void поднять();
    // Starts it lowering, unless it is down.
    virtual void опустить();
    // One animation step; the base node turns the other way as the target flips.
    // True when the target is down (or not живой).
    virtual bool движение(float dt, Место* основание);
    virtual bool живой() const { return живой_; }
    virtual std::uint32_t стоимость() const { return стоимость_; }

    // Read access for tests.
    const Вектор3& позиция() const { return позиция_; }
    int направление_вращения() const { return направление_вращения_; }
    const std::string& номер() const { return номер_; }
    // Null for a target that was not made.
    const std::shared_ptr<Место>& место() const { return место_; }
    СостояниеУнитаза состояние() const { return состояние_; }
    float угол() const { return угол_; }
    float таймер() const { return таймер_; }

private:
    void перевернуть(float угол, Место* основание);

    Вектор3 позиция_ = Вектор3::НОЛЬ;
    int направление_вращения_ = 0;
    std::string номер_;
    std::shared_ptr<Место> место_;
    СостояниеУнитаза состояние_ = ВНИЗУ;
    float угол_ = УГОЛ_ВНИЗУ;
    float таймер_ = 0.0f;
    bool живой_ = false;
    bool скрыт_ = true;
    std::uint32_t стоимость_ = 0;
};

// One site: the base node (with the object "бонус_основа" when there is one) and
// the targets whose objects were found, in kind order.
class Бонус {
public:
    // Without any target the site is not живой, with a journal error.
    explicit Бонус(const Вектор3& позиция);
    // Drops the targets and takes the base node out of the scene.
    virtual ~Бонус();
    Бонус(const Бонус&) = delete;
    Бонус& operator=(const Бонус&) = delete;

    virtual bool живой() const { return живой_; }
    // Raises one target at random, unless the site is raised already.
    virtual void поднять();
    // Animates the raised target; the site is no longer raised once it is down.
    virtual void движение(float dt);
    // Whether a flying or rolling shot passes through the raised target (also while it
    // lowers): at or below высота_унитаза and within the ball diameter of the centre
    // on the ground. A hit scores the price, shows it as a floating number (unless
    // паника) and sends the target down.
    virtual bool проверка_попадания(const РезультатДвижения& результат);

    // Read access for tests.
    const Вектор3& позиция() const { return позиция_; }
    const std::vector<std::unique_ptr<Унитаз>>& унитазы() const { return унитазы_; }
    const std::shared_ptr<Место>& место() const { return место_; }
    bool поднят() const { return поднят_; }
    std::uint32_t текущий() const { return текущий_; }

private:
    Вектор3 позиция_ = Вектор3::НОЛЬ;
    std::vector<std::unique_ptr<Унитаз>> унитазы_;
    std::shared_ptr<Место> место_;
    bool поднят_ = false;
    std::uint32_t текущий_ = 0;
    bool живой_ = false;
};

// The sites of one field, from the level's points (x, y) on the ground (x, 0, y);
// sites without targets are dropped. The field moves them every unpaused frame and
// hands them the shot's reports.
class Бонусы {
public:
    explicit Бонусы(const std::vector<Координаты2D<float>>& точки);
    virtual ~Бонусы() = default;
    Бонусы(const Бонусы&) = delete;
    Бонусы& operator=(const Бонусы&) = delete;

    // Once the time since the last raise reaches the interval, a new interval is drawn
    // and one site chosen at random is raised; a site already raised ignores it and no
    // other is tried.
    virtual void попытаться_поднять(float dt);
    // Every site's движение, then попытаться_поднять.
    virtual void движение(float dt);
    // The first site hit, in order, takes the shot; true when one did.
    virtual bool проверка_попадания(const РезультатДвижения& результат);

    // Read access for tests.
    const std::vector<std::unique_ptr<Бонус>>& бонусы() const { return бонусы_; }
    float интервал() const { return интервал_; }
    float таймер() const { return таймер_; }

private:
    std::vector<std::unique_ptr<Бонус>> бонусы_;
    float интервал_ = 0.0f;
    float таймер_ = 0.0f;
};

}  // namespace bonusy
