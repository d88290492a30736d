// The OpenGL renderer: fixed-function drawing of the background tree, the
// scene tree in its opaque and transparent passes, and the info panels.
#pragma once

#include <memory>

#include "zyr/vis.hpp"

namespace zyr::zavisimost::vis_gl {

class Визуализатор_gl : public vis::Визуализатор {
public:
    // Makes the renderer and sets the pipeline up (поверхность_создана, then
    // поверхность_изменилась). Without a current OpenGL context there is no
    // pipeline to set up and the set-up is skipped, so a manager can be made
    // in a process without a window.
    static std::unique_ptr<Визуализатор_gl> создать(zyr_manager::ZYRМенеджер& менеджер);

    void отрисовка_кадра() override;
    void поверхность_изменилась() override;
    void поверхность_создана() override;

protected:
    using vis::Визуализатор::Визуализатор;
};

}  // namespace zyr::zavisimost::vis_gl
