#include "tools/generator/cifry.hpp"

#include <cmath>
#include <stdexcept>

namespace generator {

namespace {

constexpr float ШИРИНА_ШТРИХА = 0.12f;
constexpr float ГЛУБИНА = 0.08f;  // half the glyph's thickness

// One stroke of a glyph: a polyline drawn as a band, closed or open.
struct Штрих {
    std::vector<В2> точки;
    bool замкнутый = false;
};

// Points of an elliptic arc from angle a0 to a1 in degrees (either direction).
std::vector<В2> дуга(В2 ц, float rx, float ry, float a0, float a1) {
    int шагов = std::max(4, static_cast<int>(std::fabs(a1 - a0) / 12.0f));
    std::vector<В2> т;
    for (int i = 0; i <= шагов; ++i) {
        float a = (a0 + (a1 - a0) * i / шагов) * ПИ / 180;
        т.push_back({ц.x + rx * std::cos(a), ц.y + ry * std::sin(a)});
    }
    return т;
}

Штрих эллипс(В2 ц, float rx, float ry) {
    std::vector<В2> т = дуга(ц, rx, ry, 90, 90 + 360);
    т.pop_back();
    return {т, true};
}

Штрих линия(std::vector<В2> т) { return {std::move(т), false}; }

std::vector<Штрих> штрихи(int d) {
    switch (d) {
    case 0: return {эллипс({0, 0}, 0.2f, 0.42f)};
    case 1: return {линия({{0.04f, -0.42f}, {0.04f, 0.42f}}), линия({{0.04f, 0.42f}, {-0.16f, 0.24f}}),
                    линия({{-0.16f, -0.42f}, {0.22f, -0.42f}})};
    case 2: {
        std::vector<В2> т = дуга({0, 0.2f}, 0.2f, 0.2f, 160, -35);
        т.push_back({-0.21f, -0.42f});
        return {линия(т), линия({{-0.21f, -0.42f}, {0.23f, -0.42f}})};
    }
    case 3: return {линия(дуга({0, 0.215f}, 0.18f, 0.2f, 150, -90)), линия(дуга({0, -0.2f}, 0.21f, 0.22f, 90, -150))};
    case 4: return {линия({{0.1f, -0.42f}, {0.1f, 0.42f}}), линия({{0.1f, 0.42f}, {-0.22f, -0.12f}}),
                    линия({{-0.22f, -0.12f}, {0.24f, -0.12f}})};
    case 5: return {линия({{0.2f, 0.42f}, {-0.15f, 0.42f}}), линия({{-0.15f, 0.42f}, {-0.168f, -0.019f}}),
                    линия(дуга({0, -0.16f}, 0.22f, 0.22f, 140, -145))};
    case 6: return {эллипс({0, -0.19f}, 0.2f, 0.23f), линия(дуга({0.36f, -0.19f}, 0.56f, 0.63f, 180, 100))};
    case 7: return {линия({{-0.22f, 0.42f}, {0.23f, 0.42f}}), линия({{0.23f, 0.42f}, {-0.06f, -0.42f}})};
    case 8: return {эллипс({0, 0.22f}, 0.16f, 0.19f), эллипс({0, -0.19f}, 0.2f, 0.23f)};
    case 9: {
        std::vector<Штрих> ш = штрихи(6);
        for (Штрих& s : ш)
            for (В2& p : s.точки) p = p * -1.0f;
        return ш;
    }
    default: throw std::out_of_range("цифра вне 0..9");
    }
}

}  // namespace

Геометрия модель_цифры(int d) {
    Геометрия г;
    for (const Штрих& ш : штрихи(d)) {
        г.добавить(лента(ш.точки, ш.замкнутый, ШИРИНА_ШТРИХА, -ГЛУБИНА, ГЛУБИНА));
        if (!ш.замкнутый) {
            // Round ends, so that strokes meeting at a corner join cleanly.
            for (В2 p : {ш.точки.front(), ш.точки.back()}) {
                Геометрия торец = цилиндр(ШИРИНА_ШТРИХА / 2, -ГЛУБИНА, ГЛУБИНА, 12);
                г.добавить(торец, Преобразование::перенос({p.x, p.y, 0}) *
                                      Преобразование::линейное(М3::поворот_x(ПИ / 2)));
            }
        }
    }
    // Glyph space (x right, y up, z out of the face) into the digit's model frame.
    г.преобразовать(Преобразование::линейное(М3::поворот_x(-ПИ / 2)));
    г.задать_uv([](В3 p, В3) { return В2{0.1f + (p.x + 0.3f) / 0.6f * 0.8f, 0.13f + (p.z + 0.5f) * 0.09f}; });
    return г;
}

}  // namespace generator
