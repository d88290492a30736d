// The material tables of the balls and the floating digits, built at start-up.
#include <array>
#include <memory>
#include <utility>

#include "my_utils/format.hpp"
#include "src/cifry.hpp"
#include "src/igra.hpp"
#include "src/sharik.hpp"
#include "zyr/material.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace igra {

namespace {

using my_utils::format::sprintf;
using Материал = zyr::material::Материал;

// Ball and digit materials share their highlight; only the digits set an ambient colour.
constexpr std::array<float, 4> БЛИК{0.5f, 0.5f, 0.5f, 1.0f};
constexpr std::array<float, 4> ОКРУЖАЮЩИЙ_ЦИФР{0.6f, 0.6f, 0.6f, 1.0f};
constexpr float СТЕПЕНЬ_БЛИКА = 12.5f;
constexpr int ЦВЕТОВ = 6;

std::shared_ptr<zyr::texture::Текстура> текстура(const char* образец, int номер) {
    return zyr::менеджер->получить_текстуру(sprintf(образец, номер));
}

}  // namespace

void построить_таблицы_материалов() {
    for (int n = 1; n <= ЦВЕТОВ; ++n) {
        auto материал = std::make_shared<Материал>();
        материал->задать_бликовый_цвет(БЛИК);
        материал->задать_степень_блика(СТЕПЕНЬ_БЛИКА);
        материал->задать_диффузную_текстуру(текстура("текстура_шарик%d", n));
        материал->задать_присутствие_прозрачности(false);
        sharik::материалы_основные.push_back(std::move(материал));
    }
    for (int n = 1; n <= ЦВЕТОВ; ++n) {
        auto материал = std::make_shared<Материал>();
        материал->задать_бликовый_цвет(БЛИК);
        материал->задать_степень_блика(СТЕПЕНЬ_БЛИКА);
        материал->задать_диффузную_текстуру(текстура("текстура_прозрачный_шарик%d", n));
        материал->задать_присутствие_прозрачности(true);
        sharik::материалы_действующие.push_back(std::move(материал));
    }
    for (int n = 1; n <= ЦВЕТОВ; ++n) {
        auto материал = std::make_shared<Материал>();
        материал->задать_бликовый_цвет(БЛИК);
        материал->задать_окружающий_цвет(ОКРУЖАЮЩИЙ_ЦИФР);
        материал->задать_степень_блика(СТЕПЕНЬ_БЛИКА);
        материал->задать_диффузную_текстуру(текстура("текстура_шарик%d", n));
        материал->задать_присутствие_прозрачности(false);
        cifry::материалы_цифр.push_back(std::move(материал));
    }
}

}  // namespace igra
