// The balls of the game: a coloured ball on scene nodes, the action ball, their
// places on a path, the ball material tables and the choice of action kinds.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zyr/vector.hpp"

namespace zyr::material {
class Материал;
}
namespace zyr::mesto {
class Место;
}
namespace zyr::zyr_object {
class Объект;
}
namespace put {
class Путь;
}

namespace sharik {

using zyr::vector::Вектор3;
using ТаблицаМатериалов = std::vector<std::shared_ptr<zyr::material::Материал>>;

// The ball's diameter; its centre lies half of it above the ground.
inline constexpr float ДИАМЕТР = 9.334f;
// ДИАМЕТР squared: two centres closer than that on the ground overlap.
inline constexpr float КВАДРАТ_ДИАМЕТРА = 87.12356f;

inline constexpr std::uint32_t КОЛИЧЕСТВО_ДЕЙСТВИЙ = 5;
// The objects of the action kinds 0 to 4, by the names of their descriptions.
inline constexpr std::array<const char*, КОЛИЧЕСТВО_ДЕЙСТВИЙ> ОБЪЕКТЫ_ДЕЙСТВИЙ{"пауза", "назад", "прицел", "бомба",
                                                                             "микросамолётик"};
// The kind of which at most one action ball lives until it is allowed again.
inline constexpr std::uint32_t МИКРОСАМОЛЁТИК = 4;

// Indexed by colour number 0 to 5; entry c draws the texture number c + 1.
// Filled once at start-up. Main thread only.
extern ТаблицаМатериалов материалы_основные;    // opaque, for plain balls
extern ТаблицаМатериалов материалы_действующие;  // transparent, for action balls

// True: no new action ball gets this kind. All false at start.
extern std::array<bool, КОЛИЧЕСТВО_ДЕЙСТВИЙ> запрещённые_действия;

// Appends six materials to each table: "текстура_шарик%d" (opaque) and
// "текстура_прозрачный_шарик%d" (transparent), specular (0.5, 0.5, 0.5, 1), shininess 12.5.
void инициализация_материалов_шариков();

// A kind outside 0 to 4 throws std::out_of_range.
void разрешить_действие(std::uint32_t вид);

// A coloured ball in the scene: the node "место_шарика_NNNN" under the scene root,
// the rolling node under it and the ball object on that. A refused colour leaves
// the ball without nodes; a missing mesh "шарик" without object. Either way it is
// not alive, and every operation leaves alone what the ball lacks.
class Шарик {
public:
    Шарик(std::int32_t номер, std::int32_t цвет, const Вектор3& позиция);
    // Takes the nodes out of the scene.
    virtual ~Шарик();
    Шарик(const Шарик&) = delete;
    Шарик& operator=(const Шарик&) = delete;

    // Moves by смещение; a rolling ball turns by the distance over its radius about
    // the horizontal axis across the motion.
    virtual void движение(const Вектор3& смещение, bool вращение);
    virtual void задать_позицию(const Вектор3& позиция);
    virtual Вектор3 получить_позицию() const;
    // Hidden, not alive; the node stays in the scene.
    virtual void убить();
    // Alive again with the colour, back under the scene root and visible. Without an
    // object only the colour is taken: the ball stays dead, with a journal error.
    virtual void возродить(std::int32_t цвет);
    virtual bool живой() const;
    // The colour is stored always and drawn where there is an object; 0 to 5, else
    // std::out_of_range where a material is taken.
    virtual void новый_материал(std::int32_t цвет);
    virtual void поворот_объекта(float dt);
    virtual std::uint32_t получить_номер_материала() const;
    // Whether точка lies closer than ДИАМЕТР on the ground (x and z; height ignored).
    virtual bool проверка_нахождения_рядом(const Вектор3& точка) const;
    virtual std::string toString() const;

    // Not owned: one of the two module tables.
    const ТаблицаМатериалов* материалы = nullptr;
    std::int32_t номер_материала = 0;
    Вектор3 позиция;
    // The object number as "%04d"; every node and object name of the ball ends with it.
    std::string номер;
    std::shared_ptr<zyr::zyr_object::Объект> объект;
    std::shared_ptr<zyr::mesto::Место> место;
    std::shared_ptr<zyr::mesto::Место> место_вращения;
    bool живой_ = false;

protected:
    // Builds nothing: for subclasses that make their own nodes.
    Шарик() = default;
};

// A transparent ball that carries, on its own node, the spinning object of an action.
class ДействующийШарик : public Шарик {
public:
    // A kind outside 0 to 4 is refused like a colour outside 0 to 5.
    ДействующийШарик(std::int32_t номер, std::int32_t цвет, const Вектор3& позиция, std::int32_t вид);

    // Spins the action object about the up axis at 2 rad/s.
    void поворот_объекта(float dt) override;
    // Shows the object of another kind.
    virtual void новый_объект(std::int32_t вид);
    std::string toString() const override;

    std::int32_t вид_действия = 0;
    std::shared_ptr<zyr::mesto::Место> место_объекта;
};

// A ball on a path, the element of a chain: a place (segment, offset) and the ball
// that shows it.
class ШарНаПути {
public:
    // A new ball of colour 0 with the next object number at the entrance (1, 0).
    explicit ШарНаПути(const put::Путь& путь);
    virtual ~ШарНаПути() = default;
    ШарНаПути(const ШарНаПути&) = delete;
    ШарНаПути& operator=(const ШарНаПути&) = delete;

    // At the entrance, nothing pending, merge level 0.
    virtual void инициализация();
    virtual void убить();
    virtual bool живой() const;
    // Colour 0 at the entrance; the number stays.
    virtual void возродить(const put::Путь& путь);
    // Only on a segment between the lead-in and the exit; elsewhere nothing changes.
    virtual void задать_позицию(const put::Путь& путь, std::uint32_t сегмент, float смещение);
    // 1 when this ball lies further along the path than другой, −1 when behind, 0 level.
    int opCmp(const ШарНаПути& другой) const;
    virtual std::string toString() const;

    bool действующий = false;
    // Never null once built.
    std::shared_ptr<Шарик> шарик;
    std::uint32_t сегмент = 1;
    std::int32_t номер = 0;
    float смещение = 0.0f;
    // Distance covered in the current frame and not yet applied.
    float отложенное_смещение = 0.0f;
    std::uint32_t уровень_объединения = 0;

protected:
    ШарНаПути() = default;
};

// An action ball on a path: it replaces a plain ball of the same colour and place
// for a while, and starts its action when a match removes it.
class ДействующийШарНаПути : public ШарНаПути {
public:
    // Takes the place, colour and merge level of b, a new kind and the next object number.
    explicit ДействующийШарНаПути(const ШарНаПути& b);

    using ШарНаПути::возродить;
    // As the constructor, keeping this ball's object number and nodes.
    virtual void возродить(const ШарНаПути& b);
    std::string toString() const override;

    // A kind not forbidden, uniformly; taking МИКРОСАМОЛЁТИК forbids it. At least
    // one kind must be allowed.
    static std::uint32_t новое_действие();

    std::uint32_t вид_действия = 0;
    // The path whose chain holds the ball.
    std::uint32_t номер_пути = 0;
    // Seconds left before it turns back into a plain ball.
    float время_жизни = 0.0f;
};

}  // namespace sharik
