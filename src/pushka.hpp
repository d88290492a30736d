// The cannon in the middle of the field: base, carriage, axles, wheels, barrel and
// colour indicator on scene nodes. It turns and tilts, holds the current and the
// next ball colour, hands charges to the shot, plays its recoil and shows the aim
// marker. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "src/jadro.hpp"
#include "zyr/quaternion.hpp"
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

namespace pushka {

using jadro::Заряд;
using zyr::mesto::Место;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

// Tilt limits in radians: −10 and 40 degrees.
inline constexpr float НАИМЕНЬШИЙ_НАКЛОН = -0.17453292f;
inline constexpr float НАИБОЛЬШИЙ_НАКЛОН = 0.6981317f;

// The recoil lasts ДЛИТЕЛЬНОСТЬ_ОТКАТА with keyframes every ШАГ_ОТКАТА: the parts slide
// back and return while the wheels turn forward and back.
inline constexpr float ДЛИТЕЛЬНОСТЬ_ОТКАТА = 0.2f;
inline constexpr float ШАГ_ОТКАТА = 0.1f;
inline constexpr std::array<float, 3> СДВИГ_ОТКАТА{0.0f, 2.0f, 0.0f};
inline constexpr std::array<float, 3> УГОЛ_КОЛЁС_ОТКАТА{0.0f, 1.4142135f, 0.0f};

// The inner node stands this far along z of the outer one; the recoil adds to it.
inline constexpr float ПОЛОЖЕНИЕ_ВНУТРЕННЕГО_МЕСТА = 5.0f;
// The aim marker lies this high in the scene.
inline constexpr float ВЫСОТА_ЛУЧА = 1.0f;

// The charge's colour of an empty or recoiling cannon: −1 taken as a signed int.
inline constexpr std::uint32_t НЕТ_ЦВЕТА = 4294967295u;

// One part of the assembly: its object resource, its node's name, position and
// orientation under the inner node.
struct ИсходныеДанные {
    std::string имя_объекта;
    std::string имя_места;
    Вектор3 позиция = Вектор3::НОЛЬ;
    Кватернион ориентация = Кватернион::НОЛЬ;
};

// The parts as (part name, data), in the order the assembly builds them, which is
// the order their objects are requested and numbered in.
extern const std::array<std::pair<std::string, ИсходныеДанные>, 7> ЧАСТИ;

class Пушка {
public:
    // Builds the assembly at позиция under the scene root with the colours 0 and 1.
    // A missing object leaves its node empty; without "индикатор" no colour shows.
    explicit Пушка(const Вектор3& позиция);
    // Takes its nodes out of the scene, when the field has not done so already.
    virtual ~Пушка();
    Пушка(const Пушка&) = delete;
    Пушка& operator=(const Пушка&) = delete;

    // Turns about y by угол radians; no limit.
    virtual void повернуть(float угол);
    // Tilts by угол radians within НАИМЕНЬШИЙ_НАКЛОН..НАИБОЛЬШИЙ_НАКЛОН: barrel, indicator
    // and carriage turn by the part of угол the limits allow, axles and wheels not.
    virtual void наклонить(float угол);
    // While the recoil plays: a charge of НЕТ_ЦВЕТА, nothing else changes. Otherwise
    // the recoil starts and the charge of the current colour is handed over; the
    // next colour becomes current and a new next one is drawn. An empty cannon
    // recoils too and hands over НЕТ_ЦВЕТА.
    virtual Заряд выстрелить();
    // One frame of the recoil; nothing while it does not play. The frame that reaches
    // ДЛИТЕЛЬНОСТЬ_ОТКАТА sets the final pose. The field calls it in unpaused frames.
    virtual void движение(float dt);
    // Swaps the current and the next colour, then обновить_цвета.
    virtual void замена_цвета();
    // Replaces each of the two colours that is not on the field (shariki::живые_цвета)
    // by an independent uniform draw from the colours there, or empties both when
    // there are none; the indicator shows the current colour or its own material.
    virtual void обновить_цвета();
    // The current colour (НЕТ_ЦВЕТА when empty), the position and both angles.
    virtual Заряд получить_заряд() const;
    // Shows or hides the aim marker; shown, it lies on the line of fire at the
    // distance where the shot comes down to ball height. The field calls it in
    // unpaused frames.
    virtual void прицел(bool вкл);

    // Read access for the field and tests.
    // The turning node under the scene root: the field hangs the camera under it.
    const std::shared_ptr<Место>& внешнее_место() const { return внешнее_место_; }
    // The sliding node under it that carries the parts.
    const std::shared_ptr<Место>& внутреннее_место() const { return внутреннее_место_; }
    const std::shared_ptr<Место>& место_луча() const { return место_луча_; }
    // The node of a part by its name in ЧАСТИ; null for another name.
    std::shared_ptr<Место> место_части(const std::string& часть) const;
    const Вектор3& позиция() const { return позиция_; }
    float поворот() const { return поворот_; }
    float наклон() const { return наклон_; }
    bool откат() const { return откат_; }
    float время_отката() const { return время_отката_; }
    int фаза_отката() const { return фаза_отката_; }
    const Кватернион& ориентация_колеса1() const { return ориентация_колеса1_; }
    const Кватернион& ориентация_колеса2() const { return ориентация_колеса2_; }
    // Null without the object "индикатор".
    const std::shared_ptr<zyr::zyr_object::Объект>& индикатор() const { return индикатор_; }
    // Colour plus 1; 0 for none.
    std::uint32_t текущий_цвет() const { return текущий_цвет_; }
    std::uint32_t следующий_цвет() const { return следующий_цвет_; }
    // Key 0: the indicator's own material (absent without the indicator); keys 1 to 6:
    // the ball colours 0 to 5.
    const std::map<int, std::shared_ptr<zyr::material::Материал>>& материалы() const { return материалы_; }

private:
    void собрать_части();
    void поза_отката(float сдвиг, float угол_колёс);

    std::shared_ptr<Место> внешнее_место_;
    std::shared_ptr<Место> внутреннее_место_;
    Вектор3 позиция_ = Вектор3::НОЛЬ;
    float поворот_ = 0.0f;
    float наклон_ = 0.0f;
    bool откат_ = false;
    float время_отката_ = 0.0f;
    int фаза_отката_ = 0;
    Кватернион ориентация_колеса1_ = Кватернион::НОЛЬ;
    Кватернион ориентация_колеса2_ = Кватернион::НОЛЬ;
    std::shared_ptr<zyr::zyr_object::Объект> индикатор_;
    std::uint32_t текущий_цвет_ = 1;
    std::uint32_t следующий_цвет_ = 2;
    std::map<int, std::shared_ptr<zyr::material::Материал>> материалы_;
    std::shared_ptr<Место> место_луча_;
    // The part nodes by part name.
    std::map<std::string, std::shared_ptr<Место>> места_частей_;
};

}  // namespace pushka
