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

// A textured ball surface: the setters in the order the tables are built with;
// окружающий, when given, comes after the specular colour.
std::shared_ptr<Материал> материал_шарика(const char* образец, int номер, bool прозрачный,
                                          const std::array<float, 4>* окружающий = nullptr) {
    auto материал = std::make_shared<Материал>();
    материал->задать_бликовый_цвет(БЛИК);
    if (окружающий) материал->задать_окружающий_цвет(*окружающий);
    материал->задать_степень_блика(СТЕПЕНЬ_БЛИКА);
    материал->задать_диффузную_текстуру(zyr::менеджер->получить_текстуру(sprintf(образец, номер)));
    материал->задать_присутствие_прозрачности(прозрачный);
    return материал;
}

}  // namespace

// Each table in its own pass, so that missing textures are reported table by table.
void построить_таблицы_материалов() {
    for (int n = 1; n <= ЦВЕТОВ; ++n)
        sharik::материалы_основные.push_back(материал_шарика("текстура_шарик%d", n, false));
    for (int n = 1; n <= ЦВЕТОВ; ++n)
        sharik::материалы_действующие.push_back(материал_шарика("текстура_прозрачный_шарик%d", n, true));
    for (int n = 1; n <= ЦВЕТОВ; ++n)
        cifry::материалы_цифр.push_back(материал_шарика("текстура_шарик%d", n, false, &ОКРУЖАЮЩИЙ_ЦИФР));
}

}  // namespace igra
