// The designs of the twelve shipped levels. The level files under data/ were written
// from these by igra_urovni; the files are what people edit afterwards.
#include <algorithm>
#include <cmath>

#include "tools/generator/uroven.hpp"

namespace generator {

namespace {

constexpr float ШАГ_ВЕРШИН = 9.0f;
constexpr float ГРАДУС = ПИ / 180;

// A spiral on the ground: the radius goes from r0 to r1 while the angle turns by
// оборотов whole turns from θ0 (degrees; +x is 0, 90 is straight ahead of the cannon at
// the start, -z); направление +1 turns counter-clockwise seen from above. An optional
// wave makes it meander.
struct Спираль {
    float r0 = 160, r1 = 60, θ0 = 90, оборотов = 1, направление = 1;
    float волна = 0, частота = 0;
};

В2 точка_спирали(const Спираль& с, float t) {
    float θ = (с.θ0 + с.направление * с.оборотов * 360 * t) * ГРАДУС;
    float r = с.r0 + (с.r1 - с.r0) * t + с.волна * std::sin(с.частота * θ);
    return {r * std::cos(θ), -r * std::sin(θ)};
}

// Points of a curve given by a parameter 0..1, spaced about ШАГ_ВЕРШИН apart.
template <class Кривая>
std::vector<В2> разметить(Кривая кривая) {
    std::vector<В2> плотно;
    for (int i = 0; i <= 20000; ++i) плотно.push_back(кривая(i / 20000.0f));
    std::vector<В2> итог{плотно.front()};
    float пройдено = 0;
    for (std::size_t i = 1; i < плотно.size(); ++i) {
        пройдено += длина(плотно[i] - плотно[i - 1]);
        if (пройдено >= ШАГ_ВЕРШИН) {
            итог.push_back(плотно[i]);
            пройдено = 0;
        }
    }
    if (длина(плотно.back() - итог.back()) > ШАГ_ВЕРШИН * 0.4f) итог.push_back(плотно.back());
    else итог.back() = плотно.back();
    return итог;
}

// A path of the level file: the lead-in vertex 0 lies outwards from the entrance, out
// of the way of every path; then the curve's points at ball height.
std::vector<В3> путь_по_точкам(const std::vector<В2>& точки, float вынос = 26) {
    В2 вход = точки.front();
    В2 наружу = нормировать(вход) * вынос;
    std::vector<В3> итог{{вход.x + наружу.x, ВЫСОТА_ЦЕНТРА_ШАРИКА, вход.y + наружу.y}};
    for (В2 p : точки) итог.push_back({p.x, ВЫСОТА_ЦЕНТРА_ШАРИКА, p.y});
    return итог;
}

std::vector<В3> спираль(const Спираль& с) {
    return путь_по_точкам(разметить([&](float t) { return точка_спирали(с, t); }));
}

// A spiral in and, after a U-turn, out again between its own turns.
std::vector<В3> двойная_спираль(float r0, float шаг, float θ0, float внутрь, float наружу, float направление) {
    auto r_внутрь = [&](float s) { return r0 - шаг * s; };
    auto угол = [&](float s) { return (θ0 + направление * 360 * s) * ГРАДУС; };
    auto кривая = [&](float t) -> В2 {
        float весь = внутрь + наружу + 0.5f;  // the U-turn counted as half a turn of parameter
        float s = t * весь;
        if (s <= внутрь) {
            float r = r_внутрь(s);
            return {r * std::cos(угол(s)), -r * std::sin(угол(s))};
        }
        if (s <= внутрь + 0.5f) {
            // A half circle from the inner turn to the outer one at the same angle.
            float k = (s - внутрь) / 0.5f;
            float θ = угол(внутрь);
            В2 радиус{std::cos(θ), -std::sin(θ)};
            В2 вперёд{-std::sin(θ) * направление, -std::cos(θ) * направление};
            float ц = r_внутрь(внутрь) + шаг / 4;
            В2 центр = радиус * ц;
            float φ = ПИ * k;
            return центр + радиус * (-std::cos(φ) * шаг / 4) + вперёд * (std::sin(φ) * шаг / 4);
        }
        float s2 = внутрь - (s - внутрь - 0.5f);
        float r = r_внутрь(s2) + шаг / 2;
        return {r * std::cos(угол(s2)), -r * std::sin(угол(s2))};
    };
    return путь_по_точкам(разметить(кривая));
}

// A gap pair covering the vertices from share a to share b of a path's length.
std::pair<std::uint32_t, std::uint32_t> тоннель(const std::vector<В3>& путь, float a, float b) {
    auto номер = [&](float доля) {
        return static_cast<std::uint32_t>(std::clamp<float>(std::round(доля * (путь.size() - 1)), 2, путь.size() - 3));
    };
    return {номер(a), номер(b)};
}

float до_отрезка(В2 p, В2 a, В2 b) {
    В2 ab = b - a;
    float t = std::clamp(скаляр(p - a, ab) / std::max(скаляр(ab, ab), 1e-9f), 0.0f, 1.0f);
    return длина(p - (a + ab * t));
}

// Bonus sites where the ground is free: away from every path (segment 0 included),
// the cannon and each other; picked greedily, the most open place first.
std::vector<В2> площадки(const Уровень& у, int сколько) {
    std::vector<В2> итог;
    for (int попытка = 0; попытка < сколько; ++попытка) {
        float лучший = 0;
        В2 выбор{};
        for (float x = -190; x <= 190; x += 5) {
            for (float z = -190; z <= 190; z += 5) {
                В2 p{x, z};
                float r = длина(p);
                if (r < 38 || r > 185) continue;
                float свободно = 1e9f;
                for (const auto& путь : у.пути)
                    for (std::size_t i = 0; i + 1 < путь.size(); ++i)
                        свободно = std::min(свободно, до_отрезка(p, {путь[i].x, путь[i].z}, {путь[i + 1].x, путь[i + 1].z}));
                for (В2 q : итог) свободно = std::min(свободно, длина(p - q) / 2);
                // Prefer places nearer the middle, where the player looks.
                float оценка = std::min(свободно, 40.0f) - r * 0.02f;
                if (свободно >= 18 && оценка > лучший) {
                    лучший = оценка;
                    выбор = p;
                }
            }
        }
        if (лучший <= 0) break;
        итог.push_back(выбор);
    }
    return итог;
}

Уровень из_путей(std::vector<std::vector<В3>> пути, std::vector<std::vector<std::pair<float, float>>> тоннели,
                 int площадок) {
    Уровень у;
    у.пути = std::move(пути);
    for (std::size_t i = 0; i < у.пути.size(); ++i) {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> р;
        if (i < тоннели.size())
            for (auto [a, b] : тоннели[i]) р.push_back(тоннель(у.пути[i], a, b));
        у.разрывы.push_back(std::move(р));
    }
    у.площадки = площадки(у, площадок);
    return у;
}

std::vector<std::vector<В3>> веер(int путей, Спираль с) {
    std::vector<std::vector<В3>> итог;
    for (int k = 0; k < путей; ++k) {
        Спираль к = с;
        к.θ0 = с.θ0 + 360.0f * k / путей;
        итог.push_back(спираль(к));
    }
    return итог;
}

}  // namespace

Уровень задуманный_уровень(int номер) {
    switch (номер) {
    case 1: return из_путей({спираль({160, 65, 90, 1.2f, 1})}, {}, 2);
    case 2: return из_путей({спираль({165, 45, 90, 2.0f, -1})}, {}, 2);
    case 3: return из_путей(веер(2, {165, 60, 90, 1.25f, 1}), {}, 3);
    case 4: return из_путей({спираль({168, 38, 60, 2.6f, -1})}, {{{0.45f, 0.58f}}}, 3);
    case 5: return из_путей(веер(2, {165, 70, 0, 1.2f, 1, 8, 5}), {{{0.5f, 0.62f}}, {{0.5f, 0.62f}}}, 3);
    case 6: return из_путей(веер(3, {165, 60, 90, 1.0f, -1}), {{{0.55f, 0.7f}}}, 3);
    case 7: return из_путей({двойная_спираль(165, 64, 90, 1.5f, 1.0f, 1)}, {{{0.48f, 0.56f}}}, 2);
    case 8: return из_путей(веер(2, {168, 48, 30, 1.75f, -1}), {{{0.3f, 0.38f}, {0.66f, 0.74f}}, {{0.3f, 0.38f}, {0.66f, 0.74f}}}, 3);
    case 9: return из_путей(веер(3, {165, 55, 90, 1.25f, 1}), {{{0.5f, 0.62f}}, {{0.5f, 0.62f}}, {{0.5f, 0.62f}}}, 3);
    case 10: return из_путей(веер(4, {165, 60, 45, 0.8f, -1}), {{{0.5f, 0.65f}}, {}, {{0.5f, 0.65f}}, {}}, 4);
    case 11: return из_путей(веер(3, {168, 42, 0, 1.6f, 1, 4, 6}), {{{0.35f, 0.45f}, {0.7f, 0.8f}}, {{0.35f, 0.45f}}, {{0.7f, 0.8f}}}, 3);
    case 12:
        return из_путей(веер(4, {168, 48, 90, 1.1f, -1}),
                        {{{0.4f, 0.5f}}, {{0.6f, 0.7f}}, {{0.4f, 0.5f}}, {{0.6f, 0.7f}}}, 4);
    default: throw УровеньИсключение("нет уровня с таким номером");
    }
}

}  // namespace generator
