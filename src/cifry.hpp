// Floating score numbers: a row of three-dimensional digits that shows the points
// scored at a place, rises and turns for five seconds and vanishes. Digits and
// numbers are pooled and never destroyed. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zyr/vector.hpp"

namespace zyr::mesto { class Место; }
namespace zyr::zyr_object { class Объект; }
namespace zyr::material { class Материал; }

namespace cifry {

using zyr::vector::Вектор3;
using МестоУказатель = std::shared_ptr<zyr::mesto::Место>;

// Digits stand 0.7 node units apart, centre to centre.
inline constexpr float ШАГ_ЦИФР = 0.7f;
// A number's node is scaled by 6, so the digits stand 4.2 scene units apart.
inline constexpr float МАСШТАБ_ЧИСЛА = 6.0f;
inline constexpr float ВРЕМЯ_ЖИЗНИ_ЧИСЛА = 5.0f;
// 100 degrees a second, in radians.
inline constexpr float СКОРОСТЬ_ПОВОРОТА = 1.7453293f;
// Scene units a second.
inline constexpr float СКОРОСТЬ_ПОДЪЁМА = 5.0f;

// Indexed by colour number 0 to 5, like the ball tables; filled at start-up.
extern std::vector<std::shared_ptr<zyr::material::Материал>> материалы_цифр;

// One digit of a number, on a node of its own under the number's node.
class Цифра : public std::enable_shared_from_this<Цифра> {
public:
    // Dead digits by digit value; the last entry of each is the front of the pool.
    static std::array<std::vector<std::shared_ptr<Цифра>>, 10> мёртвые_цифры;

    // A digit outside 0 to 9 or a colour outside the ball tables leaves the digit
    // unbuilt: no node, not alive. A missing mesh "цифра_%d" leaves it not alive
    // with an empty node under родитель. Each case writes a journal error.
    Цифра(int цифра, int цвет, const МестоУказатель& родитель, const Вектор3& позиция);
    virtual ~Цифра() = default;
    Цифра(const Цифра&) = delete;
    Цифра& operator=(const Цифра&) = delete;

    // The front of the pool of that value, revived, or a new digit; a value
    // outside 0 to 9 never reaches the pools and yields an unbuilt digit.
    static std::shared_ptr<Цифра> получить_цифру(int цифра, int цвет, const МестоУказатель& родитель,
                                                 const Вектор3& позиция);

    virtual void задать_позицию(const Вектор3& позиция);
    virtual Вектор3 получить_позицию() const;
    // Detaches and hides the node; a live digit goes to the front of its pool, a
    // digit that is not alive to none, so killing twice pools it once.
    virtual void убить();
    // Back under родитель, visible, in the colour's material. A digit without a
    // drawable object (unbuilt, or its mesh missing) stays not alive.
    virtual void возродить(int цвет, const МестоУказатель& родитель, const Вектор3& позиция);

    // Read access for numbers and tests.
    int цифра() const { return цифра_; }
    int цвет() const { return цвет_; }
    const std::string& имя() const { return имя_; }
    const std::shared_ptr<zyr::zyr_object::Объект>& объект() const { return объект_; }
    const МестоУказатель& место() const { return место_; }
    bool живая() const { return живая_; }

private:
    std::int32_t цвет_ = 0;
    std::int32_t цифра_ = 0;
    Вектор3 позиция_;
    std::string имя_;
    std::shared_ptr<zyr::zyr_object::Объект> объект_;
    МестоУказатель место_;
    bool живая_ = false;
};

// A row of digits showing one value on a node under the scene root.
class Число : public std::enable_shared_from_this<Число> {
public:
    // Dead numbers; the last entry is the front of the pool.
    static std::vector<std::shared_ptr<Число>> мёртвые_числа;

    // A colour outside the ball tables leaves the number unbuilt (no node, not
    // alive) after a journal error and the line "add chislo error!!! <colour>" on
    // standard output. A negative value shows without its sign. Needs the engine manager.
    Число(int значение, int цвет, const Вектор3& позиция);
    virtual ~Число() = default;
    Число(const Число&) = delete;
    Число& operator=(const Число&) = delete;

    // The front of the pool, revived, or a new number. A pooled number that
    // refuses the colour stays at the front of the pool and is returned not alive.
    static std::shared_ptr<Число> получить_число(int значение, int цвет, const Вектор3& позиция);

    // Colour, text, position and a full life; node and digits untouched.
    void инициализация(int значение, int цвет, const Вектор3& позиция);
    // The row of digits for the text under the number's node, centred on it.
    void построение_цифр();

    // One frame: true, with no motion, once the life has fallen below 0.
    virtual bool движение(float dt);
    // Kills the digits, detaches the node; a live number goes to the front of the pool.
    virtual void убить();
    // For a dead number: a bad colour changes nothing but the journal error and
    // the standard-output line; otherwise the new value's row under the scene
    // root, with the node's scale and last orientation kept.
    virtual void возродить(int значение, int цвет, const Вектор3& позиция);
    virtual bool живой() const { return живой_; }

    // Read access for tests.
    int цвет() const { return цвет_; }
    const std::string& текст() const { return текст_; }
    const МестоУказатель& место() const { return место_; }
    const std::vector<std::shared_ptr<Цифра>>& цифры() const { return цифры_; }
    float жизнь() const { return жизнь_; }

private:
    std::int32_t цвет_ = 0;
    Вектор3 позиция_;
    std::string текст_;
    МестоУказатель место_;
    std::vector<std::shared_ptr<Цифра>> цифры_;
    float жизнь_ = 0.0f;
    bool живой_ = false;
};

// The live numbers in the order they were added.
extern std::vector<std::shared_ptr<Число>> живые_числа;

// Appends the six digit materials: texture "текстура_шарик%d", specular
// (0.5, 0.5, 0.5, 1), ambient (0.6, 0.6, 0.6, 1), shininess 12.5, opaque.
void инициализация_материалов_цифр();
// Nothing while the setting "паника" is not 0; a number that is not alive is not added.
void добавить_число(int значение, int цвет, const Вектор3& позиция);
// Moves every live number; those whose life is over are killed and leave the list.
void движение_чисел(float dt);
void удалить_все_числа();

}  // namespace cifry
