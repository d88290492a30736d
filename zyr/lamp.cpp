#include "zyr/lamp.hpp"

#include <algorithm>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace zyr::lamp {

namespace {

namespace gl = zavisimost::graphika_gl;

bool номер_допустим(std::int64_t номер) { return номер >= 0 && gl::номер_лампы_допустим(static_cast<std::uint64_t>(номер)); }

void отправить_если_изменён(std::int64_t номер, std::uint32_t параметр, const std::array<float, 4>& цвет, bool& изменён) {
    if (!изменён) return;
    gl::gl_изменить_свет(static_cast<std::uint64_t>(номер), параметр, цвет);
    изменён = false;
}

}  // namespace

Лампа::Лампа(std::string имя, std::int32_t номер) : ДвижимыйОбъект(std::move(имя)), номер_(номер) {
    if (!номер_допустим(номер_)) {
        my_utils::journal::в_журнал("лампа", my_utils::journal::УровниЖурнала::Ошибка, [this] {
            return fmt::sprintf("Номер лампы %d вне пределов 0-7: лампа %s не будет светить", номер_, получить_имя());
        });
    }
}

void Лампа::задать_окружающий_свет(std::span<const float, 4> цвет) {
    std::ranges::copy(цвет, окружающий_.begin());
    изменён_окружающий_ = true;
}

void Лампа::задать_диффузный_свет(std::span<const float, 4> цвет) {
    std::ranges::copy(цвет, диффузный_.begin());
    изменён_диффузный_ = true;
}

void Лампа::задать_бликовый_свет(std::span<const float, 4> цвет) {
    std::ranges::copy(цвет, бликовый_.begin());
    изменён_бликовый_ = true;
}

void Лампа::рисовать(std::uint32_t проход) {
    if (проход != 1 || !номер_допустим(номер_)) return;
    const auto номер = static_cast<std::uint64_t>(номер_);
    if (!включена_) {
        gl::gl_выключить_лампу(номер);
        return;
    }
    gl::gl_включить_лампу(номер);
    if (const auto место = родитель()) {
        const auto& мировая = место->получить_унаследованную_матрицу().m;
        позиция_ = {мировая[12], мировая[13], мировая[14], 1.0f};
    }
    gl::gl_задать_позицию_лампы(номер, позиция_);
    отправить_если_изменён(номер_, GL_AMBIENT, окружающий_, изменён_окружающий_);
    отправить_если_изменён(номер_, GL_DIFFUSE, диффузный_, изменён_диффузный_);
    отправить_если_изменён(номер_, GL_SPECULAR, бликовый_, изменён_бликовый_);
}

}  // namespace zyr::lamp
