// The small plane of the plane action: one flight along a fixed trajectory high above
// the field, spinning its propeller and dropping aerial bombs that fall, drift on along
// its course and explode near the ground. The path set owns the plane and blows up
// the balls around the explosion points that each frame reports.
#pragma once

#include <cstdint>
#include <forward_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "zyr/vector.hpp"

namespace zyr::mesto {
class Место;
}

namespace samolet {

using zyr::mesto::Место;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

// Read relative to the working directory.
inline constexpr const char* ФАЙЛ_ТРАЕКТОРИИ = "ресурсы/данные/путь_самолёта.csv";

// Flown when the trajectory file is missing or fails.
inline const std::vector<Вектор3> ВСТРОЕННАЯ_ТРАЕКТОРИЯ{{0, 0, 20}, {-40, 0, 40}, {-40, 0, 0}};

// Units a second, of the plane and of a bomb's drift.
inline constexpr float СКОРОСТЬ = 10.0f;
// Radians a second.
inline constexpr float СКОРОСТЬ_ВИНТА = 400.0f;
// The trajectory node's height above the scene root.
inline constexpr float ВЫСОТА_ПОЛЁТА = 30.0f;
// A drop is tried once the timer exceeds ИНТЕРВАЛ_СБРОСА; it succeeds with
// ВЕРОЯТНОСТЬ_СБРОСА, else the timer restarts from ПОВТОР_СБРОСА.
inline constexpr float ИНТЕРВАЛ_СБРОСА = 0.7f;
inline constexpr float ПОВТОР_СБРОСА = 0.35f;
inline constexpr float ВЕРОЯТНОСТЬ_СБРОСА = 0.6f;
// On longer trajectories no bombs fall while the plane heads for the last nine points.
inline constexpr std::uint32_t ТОЧЕК_БЕЗ_СБРОСА = 10;
// A bomb starts this far below the plane, falls with this acceleration (units/s²)
// and explodes below this height.
inline constexpr float ОТСТУП_БОМБЫ = 5.0f;
inline constexpr float УСКОРЕНИЕ_ПАДЕНИЯ = 200.0f;
inline constexpr float ВЫСОТА_ВЗРЫВА = 2.0f;

// A trajectory file that is missing, unreadable or holds fewer than two distinct
// points. A malformed row throws csv::CsvИсключение instead.
class СамолётИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One frame of the plane.
struct РезультатДвижения {
    // False in the frame in which the flight ends.
    bool летит = false;
    // Where bombs exploded in this frame, in scene coordinates.
    std::vector<Вектор3> взрывы;
};

class АвиаБомба {
public:
    // The bomb starts ОТСТУП_БОМБЫ below начало (scene coordinates) on a node under the
    // scene root. Without the object "авиабомба" it is not alive and its node stays
    // empty, yet it falls and explodes like the others.
    АвиаБомба(const Вектор3& начало, const Вектор3& направление, const Кватернион& ориентация);
    virtual ~АвиаБомба() = default;
    АвиаБомба(const АвиаБомба&) = delete;
    АвиаБомба& operator=(const АвиаБомба&) = delete;

    // True in the frame in which the bomb falls below ВЫСОТА_ВЗРЫВА: it is then dead.
    virtual bool движение(float dt);
    virtual void убить();
    // As the constructor, on the same node; a node that lost its parent (the field
    // empties the scene root) goes back under the scene root.
    virtual void возродить(const Вектор3& начало, const Вектор3& направление, const Кватернион& ориентация);

    const std::string& имя() const { return имя_; }
    const std::shared_ptr<Место>& место() const { return место_; }
    const Вектор3& позиция() const { return позиция_; }
    float время_падения() const { return время_падения_; }
    bool живой() const { return живой_; }

private:
    void начать_падение(const Вектор3& начало, const Вектор3& направление);

    std::string имя_;
    std::shared_ptr<Место> место_;
    Вектор3 позиция_ = Вектор3::НОЛЬ;
    Вектор3 направление_ = Вектор3::НОЛЬ;
    float начальная_высота_ = 0.0f;
    float время_падения_ = 0.0f;
    bool живой_ = false;
};

// Exploded bombs, reused from the front. Main thread only.
extern std::forward_list<std::shared_ptr<АвиаБомба>> мёртвые_бомбы;

class Самолёт {
public:
    // Built alive. Without the objects "самолёт" and "винт" the plane has no nodes and
    // is inert: возродить marks it flying and its next движение ends the flight.
    Самолёт();
    // Takes its nodes out of the scene, those that still exist: the field may have
    // emptied the scene root first. Bombs in flight are left where they are.
    virtual ~Самолёт();
    Самолёт(const Самолёт&) = delete;
    Самолёт& operator=(const Самолёт&) = delete;

    virtual void крутить_винт(float dt);
    virtual void убить();
    virtual bool живой() const { return живой_; }
    // A new flight from trajectory point 0, on a new random heading.
    virtual void возродить();
    // At most one trajectory point is passed per frame; passing the last ends the
    // flight, and the bombs are then not handled in that frame.
    virtual РезультатДвижения движение(float dt);
    // Moves the bombs in flight, drops new ones, returns the explosion points. A plane
    // without its objects drops none.
    virtual std::vector<Вектор3> обработка_бомб(float dt);

    // Aims at the trajectory point of the target index. Returns the turn from the old
    // direction to the new one when применить, else the identity. A target at the
    // plane's very position keeps the old direction, so the plane still passes it.
    Кватернион новый_вектор(bool применить);

    const std::string& имя() const { return имя_; }
    // In the trajectory node's coordinates.
    const std::vector<Вектор3>& траектория() const { return траектория_; }
    const Вектор3& позиция() const { return позиция_; }
    const Вектор3& направление() const { return направление_; }
    std::uint32_t индекс_цели() const { return индекс_цели_; }
    float таймер_сброса() const { return таймер_сброса_; }
    const std::vector<std::shared_ptr<АвиаБомба>>& бомбы() const { return бомбы_; }
    // Null for a plane without its objects.
    const std::shared_ptr<Место>& место_траектории() const { return место_траектории_; }
    const std::shared_ptr<Место>& место_самолёта() const { return место_самолёта_; }
    const std::shared_ptr<Место>& место_винта() const { return место_винта_; }

private:
    bool в_окне_сброса() const;
    void сбросить_бомбу();

    std::string имя_;
    std::shared_ptr<Место> место_траектории_;
    std::shared_ptr<Место> место_самолёта_;
    std::shared_ptr<Место> место_винта_;
    std::vector<Вектор3> траектория_;
    Вектор3 позиция_ = Вектор3::НОЛЬ;
    Вектор3 направление_ = Вектор3::НОЛЬ;
    Вектор3 цель_ = Вектор3::НОЛЬ;
    std::uint32_t индекс_цели_ = 1;
    std::vector<std::shared_ptr<АвиаБомба>> бомбы_;
    float таймер_сброса_ = 0.0f;
    bool живой_ = false;
};

// The trajectory from ФАЙЛ_ТРАЕКТОРИИ in scene axes: the row (a, b, c) is the point
// (a, c, -b). Rows are read up to the first line that is empty or holds only blanks;
// each must hold exactly three finite reals within ±100000. A point closer than 1e-6
// to the one before it is dropped: no direction leads from one to the other. Throws on
// any failure, also when fewer than two points remain.
std::vector<Вектор3> загрузка_файла();

}  // namespace samolet
