// Scene nodes: a tree of named places with a local transform (position, orientation,
// scale), visibility, named children and named attached objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "zyr/dvigimyi_object.hpp"
#include "zyr/matrix.hpp"

namespace zyr::mesto {

using dvigimyi_object::ДвижимыйОбъект;
using matrix::Матрица4;
using quaternion::Кватернион;
using vector::Вектор3;

// A node owns its children and attached objects (others may share them); the link back
// to the parent never owns. Nodes live in std::shared_ptr (std::make_shared): attaching
// a child hands it a link to this node.
class Место : public std::enable_shared_from_this<Место> {
public:
    // Iteration order follows neither names nor insertion.
    using Дети = std::unordered_map<std::string, std::shared_ptr<Место>>;
    using Объекты = std::unordered_map<std::string, std::shared_ptr<ДвижимыйОбъект>>;

    explicit Место(std::string имя) : имя_(std::move(имя)) {}
    virtual ~Место() = default;
    Место(const Место&) = delete;
    Место& operator=(const Место&) = delete;

    // Stores the link only; the maps belong to добавить_ребёнка and удалить_ребёнка.
    virtual void задать_родителя(const std::shared_ptr<Место>& родитель) { родитель_ = родитель; }
    virtual std::shared_ptr<Место> получить_родителя() const { return родитель_.lock(); }
    virtual const std::string& получить_имя() const { return имя_; }

    virtual Кватернион получить_ориентацию() const { return ориентация_; }
    virtual Вектор3 получить_позицию() const { return позиция_; }
    virtual Вектор3 получить_масштаб() const { return масштаб_; }

    // Stored normalised.
    virtual void задать_ориентацию(const Кватернион& ориентация);
    virtual void сбросить_ориентацию();
    virtual void задать_позицию(const Вектор3& позиция);
    virtual void задать_позицию(float x, float y, float z);
    virtual void задать_масштаб(const Вектор3& масштаб);
    virtual void задать_масштаб(float x, float y, float z);
    // Component-wise.
    virtual void масштабировать(const Вектор3& множитель);
    virtual void масштабировать(float x, float y, float z);
    // In the parent's frame.
    virtual void сдвинуть(const Вектор3& смещение);
    virtual void сдвинуть(float x, float y, float z);
    // Turns in the node's own frame, about Z, X and Y; radians.
    virtual void крен(float угол);
    virtual void наклон(float угол);
    virtual void поворот(float угол);
    // The axis is taken as given.
    virtual void вращать(const Вектор3& ось, float угол);
    // orientation = orientation · normalised(q): a turn in the node's own frame.
    virtual void вращать(const Кватернион& q);

    // A new node with that position, normalised orientation and scale, attached here.
    virtual std::shared_ptr<Место> создать_ребёнка(const std::string& имя, const Вектор3& позиция,
                                                  const Кватернион& ориентация, const Вектор3& масштаб);
    // Attaches a node that has no parent. A node with a parent (here or elsewhere) is
    // ignored: detach it first to move it. A child of the same name is replaced in the
    // map and keeps its own parent link. This node or one of its ancestors is refused.
    virtual void добавить_ребёнка(const std::shared_ptr<Место>& ребёнок);
    virtual std::int16_t количество_детей() const;
    virtual std::shared_ptr<Место> получить_ребёнка(const std::string& имя) const;
    // Removes the child of the given node's name.
    virtual std::shared_ptr<Место> удалить_ребёнка(const std::shared_ptr<Место>& ребёнок);
    // The removed child with its parent link cleared, or null when there is none of that name.
    virtual std::shared_ptr<Место> удалить_ребёнка(const std::string& имя);
    virtual void удалить_всех_детей();

    // The cached local matrix T · R · S, rebuilt only after a transform change.
    virtual const Матрица4& _получить_полное_преобразование() const;

    virtual void задать_видимость(bool видимость) { видимость_ = видимость; }
    virtual bool получить_видимость() const { return видимость_; }
    virtual void поменять_видимость() { видимость_ = !видимость_; }

    // The same rules as добавить_ребёнка, for the objects map.
    virtual void присоединить_объект(const std::shared_ptr<ДвижимыйОбъект>& объект);
    virtual std::int16_t количество_объектов() const;
    virtual std::shared_ptr<ДвижимыйОбъект> получить_объект(const std::string& имя) const;
    virtual std::shared_ptr<ДвижимыйОбъект> отсоединить_объект(const std::shared_ptr<ДвижимыйОбъект>& объект);
    virtual std::shared_ptr<ДвижимыйОбъект> отсоединить_объект(const std::string& имя);
    virtual void отсоединить_все_объекты();

    // Unless invisible: pushes the current matrix, multiplies it by the local matrix,
    // draws the attached objects and then the children with the same pass, pops.
    virtual void рисовать(std::uint32_t проход);
    // 0 for an invisible node; otherwise the objects' and children's counts summed.
    virtual std::int32_t количество_граней() const;
    // parent's world matrix · local, walked up to the root on every call.
    virtual Матрица4 получить_унаследованную_матрицу() const;

    std::string toString() const;

private:
    void изменено() { изменено_ = true; }
    bool является_предком_или_собой(const Место& место) const;

    std::weak_ptr<Место> родитель_;
    Дети дети_;
    Объекты объекты_;
    std::string имя_;
    Кватернион ориентация_ = Кватернион::НОЛЬ;
    Вектор3 позиция_ = Вектор3::НОЛЬ;
    Вектор3 масштаб_ = Вектор3::ЕДИНИЦА_МАСШТАБА;
    bool видимость_ = true;
    mutable Матрица4 локальная_;
    mutable bool изменено_ = true;
};

// The empty maps a node takes when it drops all its children or all its objects.
inline const Место::Дети ПУСТОЙ_МАССИВ_ДЕТЕЙ;
inline const Место::Объекты ПУСТОЙ_МАССИВ_ОБЪЕКТОВ;

}  // namespace zyr::mesto
