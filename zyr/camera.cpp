#include "zyr/camera.hpp"

#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace zyr::camera {

namespace gl = zavisimost::graphika_gl;

void Камера::обновить_матрицу() {
    const auto место = родитель();
    if (!место) {
        my_utils::journal::в_журнал("камера", my_utils::journal::УровниЖурнала::Ошибка, [this] {
            return fmt::sprintf("Камера %s не присоединена к месту, вид не обновлён", получить_имя());
        });
        return;
    }
    const Матрица4 мировая = место->получить_унаследованную_матрицу();
    вид_ = мировая.adjoint() * (1.0f / мировая.определитель());
}

void Камера::установить_направление_камеры(bool обновить) {
    if (обновить) обновить_матрицу();
    gl::gl_загрузить_матрицу(Матрица4(вид_.получить_матрицу_3x3()).m);
}

void Камера::установить_камеру(bool обновить) {
    if (обновить) обновить_матрицу();
    gl::gl_загрузить_матрицу(вид_.m);
}

}  // namespace zyr::camera
