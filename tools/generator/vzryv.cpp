#include "tools/generator/vzryv.hpp"

#include <cmath>
#include <fmt/format.h>

#include "tools/generator/modeli.hpp"

namespace generator {

namespace {

constexpr int ПОЯСОВ = 3, СЕКТОРОВ = 4, ШАГОВ = 4;
constexpr float ВНУТРЕННИЙ = 0.55f;  // inner radius of a fragment's shell, as a share of the ball's

std::string имя_осколка(int k) { return fmt::format("осколок_{:02d}", k + 1); }

// A point of the ball's surface and its texture coordinates (those of the ball mesh).
В3 точка_сферы(float u, float v) {
    float θ = ПИ * v, φ = 2 * ПИ * u;
    if (v <= 0) return {0, 1, 0};
    if (v >= 1) return {0, -1, 0};
    return {std::sin(θ) * std::cos(φ), std::cos(θ), -std::sin(θ) * std::sin(φ)};
}

struct Осколок {
    float u0, u1, v0, v1;
};

Осколок осколок(int k) {
    int пояс = k / СЕКТОРОВ, сектор = k % СЕКТОРОВ;
    return {float(сектор) / СЕКТОРОВ, float(сектор + 1) / СЕКТОРОВ, float(пояс) / ПОЯСОВ, float(пояс + 1) / ПОЯСОВ};
}

В3 центр_осколка(int k) {
    Осколок о = осколок(k);
    return точка_сферы((о.u0 + о.u1) / 2, (о.v0 + о.v1) / 2) * (РАДИУС_ШАРИКА * (1 + ВНУТРЕННИЙ) / 2);
}

// A small fixed pseudo-random sequence, so the generated data never changes.
class Случай {
public:
    explicit Случай(std::uint32_t зерно) : с_(зерно) {}
    float число(float a, float b) {
        с_ = с_ * 1664525u + 1013904223u;
        return a + (b - a) * ((с_ >> 8) / 16777216.0f);
    }

private:
    std::uint32_t с_;
};

}  // namespace

ГеометрияСоСкелетом модель_взрыва() {
    ГеометрияСоСкелетом итог;
    Геометрия& г = итог.геометрия;
    for (int k = 0; k < ОСКОЛКОВ; ++k) {
        std::size_t первая = г.вершин();
        Осколок о = осколок(k);
        auto u = [&](int i) { return о.u0 + (о.u1 - о.u0) * i / ШАГОВ; };
        auto v = [&](int j) { return о.v0 + (о.v1 - о.v0) * j / ШАГОВ; };
        // Outer and inner shell patches.
        for (float радиус : {РАДИУС_ШАРИКА, РАДИУС_ШАРИКА * ВНУТРЕННИЙ}) {
            bool наружу = радиус == РАДИУС_ШАРИКА;
            std::uint32_t начало = static_cast<std::uint32_t>(г.вершин());
            for (int j = 0; j <= ШАГОВ; ++j)
                for (int i = 0; i <= ШАГОВ; ++i) {
                    В3 n = точка_сферы(u(i), v(j));
                    г.вершина(n * радиус, {u(i), v(j)}, наружу ? n : -n);
                }
            for (int j = 0; j < ШАГОВ; ++j)
                for (int i = 0; i < ШАГОВ; ++i) {
                    std::uint32_t a = начало + j * (ШАГОВ + 1) + i;
                    г.четырёхугольник(a, a + 1, a + ШАГОВ + 2, a + ШАГОВ + 1);
                }
        }
        // The four broken edges joining the shells, each facing away from the fragment.
        В3 ц = центр_осколка(k);
        auto стенка = [&](auto точка_края) {
            std::uint32_t начало = static_cast<std::uint32_t>(г.вершин());
            for (int s = 0; s <= ШАГОВ; ++s) {
                auto [p, uv] = точка_края(s);
                В3 a = p * РАДИУС_ШАРИКА, b = p * (РАДИУС_ШАРИКА * ВНУТРЕННИЙ);
                auto [p2, uv2] = точка_края(s == ШАГОВ ? s - 1 : s + 1);
                // The wall's normal: across the edge, away from the fragment's middle.
                В3 вдоль = нормировать(p2 - p);
                В3 n = нормировать(векторное(вдоль, p));
                if (скаляр(n, a - ц) < 0) n = -n;
                г.вершина(a, uv, n);
                г.вершина(b, uv, n);
            }
            for (int s = 0; s < ШАГОВ; ++s) {
                std::uint32_t a = начало + 2 * s;
                г.четырёхугольник(a, a + 2, a + 3, a + 1);
            }
        };
        for (int j : {0, ШАГОВ}) {
            if (v(j) <= 0 || v(j) >= 1) continue;  // an edge at a pole has no length
            стенка([&](int s) { return std::pair{точка_сферы(u(s), v(j)), В2{u(s), v(j)}}; });
        }
        for (int i : {0, ШАГОВ}) {
            стенка([&](int s) { return std::pair{точка_сферы(u(i), v(s)), В2{u(i), v(s)}}; });
        }
        итог.группы.push_back(имя_осколка(k));
        for (std::size_t в = первая; в < г.вершин(); ++в) {
            итог.веса.push_back({static_cast<std::uint16_t>(k), static_cast<std::uint16_t>(в), 1.0f});
        }
    }
    return итог;
}

ДанныеСкелета скелет_взрыва() {
    ДанныеСкелета с;
    pisatel::АнимацияФайла а;
    а.имя = "Action";
    а.первый_кадр = ПЕРВЫЙ_КАДР_ВЗРЫВА;
    а.последний_кадр = ПОСЛЕДНИЙ_КАДР_ВЗРЫВА;
    const int кадров = ПОСЛЕДНИЙ_КАДР_ВЗРЫВА - ПЕРВЫЙ_КАДР_ВЗРЫВА + 1;
    а.строки.assign(кадров, {});
    Случай случай(20240611u);
    for (int k = 0; k < ОСКОЛКОВ; ++k) {
        В3 голова = центр_осколка(k);
        В3 хвост = голова * 1.2f;
        с.кости.push_back({имя_осколка(k), -1, {голова.x, голова.y, голова.z}, {хвост.x, хвост.y, хвост.z}, {1, 0, 0, 0}});
        В3 наружу = нормировать(голова);
        float дальность = случай.число(9.0f, 15.0f), подскок = случай.число(1.0f, 4.0f);
        В3 ось = нормировать(В3{случай.число(-1, 1), случай.число(-1, 1), случай.число(-1, 1)} + наружу * 0.1f);
        float оборот = случай.число(2.5f, 6.0f) * (случай.число(0, 1) < 0.5f ? -1 : 1);
        using namespace pisatel;
        for (std::uint16_t тип : {ПЕРЕНОС_X, ПЕРЕНОС_Y, ПЕРЕНОС_Z, ПОВОРОТ_W, ПОВОРОТ_X, ПОВОРОТ_Y, ПОВОРОТ_Z,
                                  МАСШТАБ_X, МАСШТАБ_Y, МАСШТАБ_Z}) {
            а.кривые.push_back({static_cast<std::uint16_t>(k), тип});
        }
        for (int f = 0; f < кадров; ++f) {
            float t = float(f) / (кадров - 1);
            float разлёт = 1 - (1 - t) * (1 - t);  // fast at first, slowing down
            В3 сдвиг = наружу * (дальность * разлёт) + В3{0, подскок * std::sin(ПИ * t), 0};
            float угол = оборот * t;
            float c = std::cos(угол / 2), s = std::sin(угол / 2);
            float размер = 1 - 0.85f * std::pow(t, 1.5f);
            auto& строка = а.строки[f];
            строка.insert(строка.end(), {сдвиг.x, сдвиг.y, сдвиг.z, c, s * ось.x, s * ось.y, s * ось.z, размер,
                                         размер, размер});
        }
    }
    с.анимации.push_back(std::move(а));
    return с;
}

}  // namespace generator
