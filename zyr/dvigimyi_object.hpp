// The base of everything that hangs on a scene node: camera, lamps and drawable objects.
// It knows its name and, without owning it, the node it is attached to.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zyr::mesto {
class Место;
}

namespace zyr::dvigimyi_object {

class ДвижимыйОбъект {
public:
    explicit ДвижимыйОбъект(std::string имя) : имя_(std::move(имя)) {}
    virtual ~ДвижимыйОбъект() = default;
    // An object has at most one parent link; a copy would share it without being attached.
    ДвижимыйОбъект(const ДвижимыйОбъект&) = delete;
    ДвижимыйОбъект& operator=(const ДвижимыйОбъект&) = delete;

    virtual const std::string& получить_имя() const { return имя_; }
    // The node this object is attached to; null while detached or once the node is gone.
    virtual std::shared_ptr<mesto::Место> родитель() const { return родитель_.lock(); }
    // Stores the link only; attaching and detaching belong to the node's maps.
    virtual void задать_родителя(const std::shared_ptr<mesto::Место>& место) { родитель_ = место; }
    // Pass 1 draws opaque things and sets the lamps, pass 2 draws transparent things.
    virtual void рисовать(std::uint32_t проход) = 0;
    virtual std::int32_t количество_граней() const { return 0; }

private:
    std::weak_ptr<mesto::Место> родитель_;
    std::string имя_;
};

}  // namespace zyr::dvigimyi_object
