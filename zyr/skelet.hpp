// Skeletons (".sk"): bones with their rest pose and named animations of per-frame
// curves, sampled at any frame into one change state per bone, and blended.
// Bones are independent: no state is composed with its parent's.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "zyr/quaternion.hpp"
#include "zyr/resources.hpp"
#include "zyr/vector.hpp"

namespace zyr::skelet {

using quaternion::Кватернион;
using vector::Вектор3;

class СкелетИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Change flags of a bone state.
inline constexpr std::uint32_t ФЛАГ_ПЕРЕНОСА = 1;
inline constexpr std::uint32_t ФЛАГ_ПОВОРОТА = 2;
inline constexpr std::uint32_t ФЛАГ_МАСШТАБА = 4;

struct НачальнаяКость {
    Вектор3 голова{};
    Кватернион ориентация = Кватернион::НОЛЬ;

    std::string toString() const;
};

// One curve: the bone it drives and the component it sets (a single bit,
// 1 to 512; any other value sets nothing).
struct КриваяКости {
    std::uint16_t номер_кости = 0;
    std::uint16_t тип_кривой = 0;
};

struct Анимация {
    std::int16_t первый_кадр = 0;
    std::int16_t последний_кадр = 0;
    std::vector<КриваяКости> диспетчер;
    // One row per frame from the first, one value per curve in `диспетчер` order.
    std::vector<std::vector<float>> кривые;

    std::string toString() const;
};

struct СостояниеАнимацииКости {
    НачальнаяКость начальная_кость{};
    std::uint32_t флаги = 0;
    Вектор3 перенос{};
    Кватернион поворот = Кватернион::НОЛЬ;
    Вектор3 масштаб{1.0f, 1.0f, 1.0f};

    std::string toString() const;
};

inline constexpr СостояниеАнимацииКости СОСТОЯНИЕ_БЕЗ_ИЗМЕНЕНИЙ{};

// Bone name -> its state.
using СостояниеАнимации = std::map<std::string, СостояниеАнимацииКости>;

class Скелет {
public:
    // Reads a skeleton file; a file that is short, announces more than it holds
    // or names bones and frames it lacks is refused with СкелетИсключение.
    explicit Скелет(const std::string& путь);
    virtual ~Скелет() = default;
    Скелет(const Скелет&) = delete;
    Скелет& operator=(const Скелет&) = delete;

    virtual std::vector<std::string> получить_имена_костей() const;
    virtual std::vector<std::string> получить_имена_анимаций() const;
    // Every bone's state at the frame: clamped to the animation's frames (infinities
    // included), linear between two rows; a NaN frame gives the first frame's state.
    // A missing animation (journal line): all bones in their default state.
    virtual СостояниеАнимации получить_состояние_анимации(const std::string& имя, float кадр) const;
    // k = 0 gives animation 1, k = 1 animation 2.
    virtual СостояниеАнимации объединить_состояния_анимации(const std::string& имя1, float кадр1,
                                                            const std::string& имя2, float кадр2, float k) const;
    virtual std::string toString() const;

    const std::vector<std::string>& имена_костей() const { return имена_костей_; }
    const std::vector<НачальнаяКость>& начальные_кости() const { return начальные_кости_; }
    const std::map<std::string, Анимация>& анимации() const { return анимации_; }
    const std::vector<std::int16_t>& родители() const { return родители_; }
    const std::map<std::uint16_t, std::vector<std::uint16_t>>& дети() const { return дети_; }
    const std::vector<std::uint16_t>& корни() const { return корни_; }

private:
    using СостоянияПоНомерам = std::map<std::uint16_t, СостояниеАнимацииКости>;

    СостояниеАнимацииКости состояние_по_умолчанию(std::uint16_t кость) const;
    СостоянияПоНомерам состояние_в_кадре(const Анимация& анимация, int кадр) const;
    void прочитать(const std::string& путь);

    std::vector<std::string> имена_костей_;
    std::vector<НачальнаяКость> начальные_кости_;
    std::map<std::string, Анимация> анимации_;
    std::vector<std::int16_t> родители_;
    std::map<std::uint16_t, std::vector<std::uint16_t>> дети_;
    std::vector<std::uint16_t> корни_;
};

// A whole state as text, one "name: state" a line (for debugging).
std::string состояние_анимации_в_строку(const СостояниеАнимации& состояние);

class ЗагруженныеСкелеты : public resources::ЗагруженныеРесурсы<Скелет> {
public:
    using ЗагруженныеРесурсы::ЗагруженныеРесурсы;

    bool загрузить_один(const std::string& имя) override;
};

}  // namespace zyr::skelet
