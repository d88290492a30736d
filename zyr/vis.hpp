// The renderer: the frame loop and the abstract drawing of one frame. The
// OpenGL renderer that the engine manager makes is zyr/zavisimost/vis_gl.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zyr::zyr_manager {
class ZYRМенеджер;
}

namespace zyr::vis {

class Визуализатор {
public:
    virtual ~Визуализатор() = default;
    Визуализатор(const Визуализатор&) = delete;
    Визуализатор& operator=(const Визуализатор&) = delete;

    // Takes effect from the next frame's clear on.
    virtual void задать_цвет_фона(std::span<const float, 4> цвет);
    virtual void отрисовка_кадра() = 0;
    // Viewport and projection from the window size; every frame.
    virtual void поверхность_изменилась() = 0;
    // The initial pipeline state; once, at creation.
    virtual void поверхность_создана() = 0;
    // Runs at most `кадров` frames: none for 0, until event handling asks to
    // stop for a negative count. The frame whose event handling asks to stop is
    // neither drawn nor counted.
    virtual void визуализация(std::int64_t кадров);

    const std::array<float, 4>& цвет_фона() const { return цвет_фона_; }
    // Width / height of the window as last computed by поверхность_изменилась.
    float соотношение_сторон() const { return соотношение_сторон_; }

protected:
    // The manager owns the renderer, so the link back never dangles.
    explicit Визуализатор(zyr_manager::ZYRМенеджер& менеджер) : менеджер(менеджер) {}

    // The set-up call that creation makes once the object is complete:
    // поверхность_создана, then поверхность_изменилась.
    void настроить();

    zyr_manager::ZYRМенеджер& менеджер;
    float соотношение_сторон_ = 0.0f;
    std::array<float, 4> цвет_фона_{0.0f, 0.0f, 0.0f, 1.0f};
};

}  // namespace zyr::vis
