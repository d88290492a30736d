#include "zyr/zavisimost/vis_gl.hpp"

#include <SDL2/SDL.h>
#include <GL/gl.h>

#include "zyr/camera.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr_manager.hpp"

namespace zyr::zavisimost::vis_gl {

std::unique_ptr<Визуализатор_gl> Визуализатор_gl::создать(zyr_manager::ZYRМенеджер& менеджер) {
    std::unique_ptr<Визуализатор_gl> визуализатор(new Визуализатор_gl(менеджер));
    if (SDL_GL_GetCurrentContext() != nullptr) визуализатор->настроить();
    return визуализатор;
}

void Визуализатор_gl::поверхность_создана() {
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glEnable(GL_CULL_FACE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    // Scaled nodes scale the normals with the model-view matrix; lighting needs them unit length.
    glEnable(GL_NORMALIZE);
}

void Визуализатор_gl::поверхность_изменилась() {
    const auto ширина = okno_SDL2::параметры_окна.ширина;
    const auto высота = okno_SDL2::параметры_окна.высота;
    glViewport(0, 0, ширина, высота);
    соотношение_сторон_ = static_cast<float>(ширина) / static_cast<float>(высота);

    double ближнее = 2.0;
    double дальнее = 100.0;
    if (const auto камера = менеджер.камера()) {
        ближнее = камера->ближнее_отсечение();
        дальнее = камера->дальнее_отсечение();
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-соотношение_сторон_, соотношение_сторон_, -1.0, 1.0, ближнее, дальнее);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Визуализатор_gl::отрисовка_кадра() {
    // The clear comes before the colour is set, so a new background colour
    // shows from the following frame on.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(цвет_фона_[0], цвет_фона_[1], цвет_фона_[2], цвет_фона_[3]);

    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    const auto& камера = менеджер.камера();
    камера->установить_направление_камеры(true);
    менеджер.место_фона()->рисовать(1);

    glEnable(GL_DEPTH_TEST);
    камера->установить_камеру(false);
    glEnable(GL_LIGHTING);
    менеджер.начальное_место()->рисовать(1);

    glEnable(GL_DEPTH_TEST);
    менеджер.начальное_место()->рисовать(2);

    менеджер.отрисовка_инфопанелей();

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace zyr::zavisimost::vis_gl
