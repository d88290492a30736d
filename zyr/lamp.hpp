// A lamp: an object on a scene node that sets one of the pipeline's eight lights from
// its node's world position and its own colours, in the opaque pass only.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "zyr/dvigimyi_object.hpp"

namespace zyr::lamp {

using dvigimyi_object::ДвижимыйОбъект;

class Лампа : public ДвижимыйОбъект {
public:
    // номер indexes the pipeline's lights 0 to 7; a lamp with any other number writes a
    // journal error here and never draws.
    Лампа(std::string имя, std::int32_t номер);

    // Pass 1 only. Sends the position on every draw and each colour only after it changed;
    // the position is the node's world translation and the pipeline transforms it once
    // more by the current matrix.
    void рисовать(std::uint32_t проход) override;
    virtual void задать_окружающий_свет(std::span<const float, 4> цвет);
    virtual void задать_диффузный_свет(std::span<const float, 4> цвет);
    virtual void задать_бликовый_свет(std::span<const float, 4> цвет);
    virtual void включенность(bool включена) { включена_ = включена; }
    virtual bool включенность() const { return включена_; }
    virtual void поменять_включенность() { включена_ = !включена_; }

private:
    std::int64_t номер_;
    std::array<float, 4> окружающий_{0.2f, 0.2f, 0.2f, 1.0f};
    std::array<float, 4> диффузный_{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> бликовый_{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> позиция_{0.0f, 0.0f, 0.0f, 1.0f};
    bool изменён_окружающий_ = true;
    bool изменён_диффузный_ = true;
    bool изменён_бликовый_ = true;
    bool включена_ = true;
};

}  // namespace zyr::lamp
