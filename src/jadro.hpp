// The shot: the ball the cannon fires. It flies on a parabola down to ball height,
// rolls on, lives at most a second, and reports each frame where it is.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "src/put.hpp"
#include "zyr/types.hpp"
#include "zyr/vector.hpp"

namespace sharik {
class Шарик;
}

namespace jadro {

using put::Пересечение;
using zyr::types::Координаты2D;
using zyr::vector::Вектор3;

inline constexpr float НЕ_ЗАДАНО = std::numeric_limits<float>::quiet_NaN();
inline constexpr Вектор3 НЕ_ЗАДАННЫЙ_ВЕКТОР{НЕ_ЗАДАНО, НЕ_ЗАДАНО, НЕ_ЗАДАНО};

// Units a second squared, downwards.
inline constexpr float УСКОРЕНИЕ_ПАДЕНИЯ = 400.0f;
// The height of a ball's centre on the ground: the shot comes down to it and rolls there.
inline constexpr float ВЫСОТА_ШАРИКА = 4.667f;
// Seconds; a shot older than this is killed.
inline constexpr float НАИБОЛЬШИЙ_ВОЗРАСТ = 1.0f;

// What the cannon hands to the shot. The colour is unsigned: an empty cannon hands
// over 4294967295, which reads as −1 taken as a signed int and which the shot refuses.
struct Заряд {
    std::uint32_t цвет = 0;
    // The start point: the cannon's position.
    Вектор3 позиция = НЕ_ЗАДАННЫЙ_ВЕКТОР;
    // The cannon's turn about y and its tilt (positive up), radians.
    float поворот = НЕ_ЗАДАНО;
    float наклон = НЕ_ЗАДАНО;

    std::string toString() const;
};

// The answer of loading and firing: where the shot starts, where it comes down to
// ball height (x and z) and its horizontal velocity (x and z, units a second).
// A refused shot has выстрел false and every float NaN.
struct РезультатВыстрела {
    bool выстрел = false;
    Вектор3 позиция = НЕ_ЗАДАННЫЙ_ВЕКТОР;
    Координаты2D<float> точка_падения{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
    Координаты2D<float> направление{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
};

enum class ТипРезультатаДвижения : std::int32_t {
    НЕ_ЛЕТИТ = 0,
    В_ПОЛЁТЕ = 1,        // above ball height
    НА_ВЫСОТЕ_ШАРА = 2,  // down at ball height, rolling
};

// One report of the shot. A flight step fills kind, point and colour; a place on a
// path (path number, segment, offset and colour) names where a shot ball goes into
// a chain. What a constructor does not take keeps its default: NaN floats, 0 numbers.
struct РезультатДвижения {
    ТипРезультатаДвижения тип = ТипРезультатаДвижения::НЕ_ЛЕТИТ;
    std::uint64_t номер_пути = 0;
    std::uint32_t сегмент = 0;
    float смещение = НЕ_ЗАДАНО;
    std::uint32_t цвет = 0;
    Вектор3 точка = НЕ_ЗАДАННЫЙ_ВЕКТОР;

    explicit РезультатДвижения(ТипРезультатаДвижения тип_ = ТипРезультатаДвижения::НЕ_ЛЕТИТ) : тип(тип_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, const Вектор3& точка_, std::uint32_t цвет_)
        : тип(тип_), цвет(цвет_), точка(точка_) {}
    РезультатДвижения(ТипРезультатаДвижения тип_, std::uint64_t номер_пути_, std::uint32_t сегмент_,
                      float смещение_, std::uint32_t цвет_)
        : тип(тип_), номер_пути(номер_пути_), сегмент(сегмент_), смещение(смещение_), цвет(цвет_) {}
};

// The shot. The field builds one per field and fires it again and again; while it
// is not flying its ball is hidden. Main thread only.
class Ядро {
public:
    // The ball takes the next object number, the charge's colour and position and
    // stays hidden; then the flight is set up from the charge (see зарядить).
    explicit Ядро(const Заряд& заряд);
    virtual ~Ядро() = default;
    Ядро(const Ядро&) = delete;
    Ядро& operator=(const Ядро&) = delete;

    // Sets the flight up from the charge without firing: velocity from the setting
    // скорость_ядра along the cannon's angles (both 0: along −z), the ball at the
    // start, and the answer with the landing point. A start at or below ball height
    // lands where it starts.
    virtual РезультатВыстрела зарядить(const Заряд& заряд);
    // Hides the ball; nothing when the shot is not flying.
    virtual void убить();
    virtual bool живое() const { return живое_; }
    // A colour outside the ball tables (an empty cannon's −1 included) is refused
    // with a journal error, a shot already flying silently; a refused shot changes
    // nothing and answers выстрел false with NaN floats. Otherwise the ball shows in
    // the colour at the start and the shot flies.
    virtual РезультатВыстрела выстрелить(const Заряд& заряд);
    // One frame of flight: under gravity down to ball height, then rolling there at
    // the horizontal speed. The frame that takes the age past НАИБОЛЬШИЙ_ВОЗРАСТ kills
    // the shot and still reports it; a shot not flying reports НЕ_ЛЕТИТ only.
    virtual РезультатДвижения движение(float dt);
    // Replaces the crossings of the shot's ray with the paths.
    virtual void установить_цели(std::vector<Пересечение> цели);

    // Read access for the field and tests.
    const std::shared_ptr<sharik::Шарик>& шарик() const { return шарик_; }
    float скорость_x() const { return скорость_x_; }
    float скорость_z() const { return скорость_z_; }
    float скорость_y() const { return скорость_y_; }
    float время() const { return время_; }
    float начальная_высота() const { return начальная_высота_; }
    bool в_полёте() const { return в_полёте_; }
    const std::vector<Пересечение>& цели() const { return цели_; }

private:
    // Never null.
    std::shared_ptr<sharik::Шарик> шарик_;
    bool живое_ = false;
    float скорость_x_ = 0.0f;
    float скорость_z_ = 0.0f;
    float скорость_y_ = 0.0f;
    float время_ = 0.0f;
    float начальная_высота_ = 0.0f;
    bool в_полёте_ = false;
    std::vector<Пересечение> цели_;
};

}  // namespace jadro
