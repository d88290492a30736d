#include "tools/generator/zemlja.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace generator {

namespace {

constexpr float ЕДИНИЦ_НА_ПИКСЕЛЬ = 2 * ПОЛРАЗМЕРА_ЗЕМЛИ / РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ;
constexpr float ПОЛУШИРИНА_ДОРОЖКИ = 6.5f;
constexpr float ПОЛУШИРИНА_ТОННЕЛЯ = 8.0f, ВЫСОТА_ТОННЕЛЯ = 11.5f, СТЕНКА_ТОННЕЛЯ = 1.2f;
// A corner of the ground texture, far outside the field, painted as the tunnels' stone.
constexpr int УГОЛ_КАМНЯ = 24;

// Hash-based value noise: fixed, so every build paints the same ground.
float хеш(int x, int y, int зерно) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(зерно) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffffff) / float(0xffffff);
}

float шум(float x, float y, int зерно) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
    float a = хеш(x0, y0, зерно), b = хеш(x0 + 1, y0, зерно), c = хеш(x0, y0 + 1, зерно), d = хеш(x0 + 1, y0 + 1, зерно);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

В2 в_пиксели(В2 p) {
    return {(p.x + ПОЛРАЗМЕРА_ЗЕМЛИ) / ЕДИНИЦ_НА_ПИКСЕЛЬ, (p.y + ПОЛРАЗМЕРА_ЗЕМЛИ) / ЕДИНИЦ_НА_ПИКСЕЛЬ};
}

// The smallest distance (in ground units) from each pixel to a set of segments,
// filled segment by segment within a margin.
class ПолеРасстояний {
public:
    explicit ПолеРасстояний(float запас)
        : запас_(запас), д_(РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ * РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ, std::numeric_limits<float>::max()) {}

    void отрезок(В2 a, В2 b) {
        В2 pa = в_пиксели(a), pb = в_пиксели(b);
        float з = запас_ / ЕДИНИЦ_НА_ПИКСЕЛЬ;
        int x0 = std::max(0, static_cast<int>(std::min(pa.x, pb.x) - з));
        int x1 = std::min(РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ - 1, static_cast<int>(std::max(pa.x, pb.x) + з));
        int y0 = std::max(0, static_cast<int>(std::min(pa.y, pb.y) - з));
        int y1 = std::min(РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ - 1, static_cast<int>(std::max(pa.y, pb.y) + з));
        В2 ab = b - a;
        float ab2 = std::max(скаляр(ab, ab), 1e-9f);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                В2 p{(x + 0.5f) * ЕДИНИЦ_НА_ПИКСЕЛЬ - ПОЛРАЗМЕРА_ЗЕМЛИ, (y + 0.5f) * ЕДИНИЦ_НА_ПИКСЕЛЬ - ПОЛРАЗМЕРА_ЗЕМЛИ};
                float t = std::clamp(скаляр(p - a, ab) / ab2, 0.0f, 1.0f);
                float& д = д_[static_cast<std::size_t>(y) * РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ + x];
                д = std::min(д, длина(p - (a + ab * t)));
            }
    }
    float operator()(int x, int y) const { return д_[static_cast<std::size_t>(y) * РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ + x]; }

private:
    float запас_;
    std::vector<float> д_;
};

В2 на_земле(В3 p) { return {p.x, p.z}; }

float плавно(float край0, float край1, float x) {
    float t = std::clamp((x - край0) / (край1 - край0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

}  // namespace

В2 uv_земли(float x, float z) {
    return {(x + ПОЛРАЗМЕРА_ЗЕМЛИ) / (2 * ПОЛРАЗМЕРА_ЗЕМЛИ), (z + ПОЛРАЗМЕРА_ЗЕМЛИ) / (2 * ПОЛРАЗМЕРА_ЗЕМЛИ)};
}

Холст текстура_земли(const Уровень& у) {
    const int N = РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ;
    ПолеРасстояний дорожки(20), подходы(20);
    for (const auto& путь : у.пути) {
        for (std::size_t i = 0; i + 1 < путь.size(); ++i) {
            (i == 0 ? подходы : дорожки).отрезок(на_земле(путь[i]), на_земле(путь[i + 1]));
        }
    }
    Холст х(N, N);
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            float gx = (x + 0.5f) * ЕДИНИЦ_НА_ПИКСЕЛЬ - ПОЛРАЗМЕРА_ЗЕМЛИ, gz = (y + 0.5f) * ЕДИНИЦ_НА_ПИКСЕЛЬ - ПОЛРАЗМЕРА_ЗЕМЛИ;
            float n = 0.6f * шум(gx / 24, gz / 24, 1) + 0.3f * шум(gx / 7, gz / 7, 2) + 0.1f * шум(gx / 2, gz / 2, 3);
            Цвет трава{0.30f + 0.12f * n, 0.50f + 0.14f * n, 0.22f + 0.06f * n, 1};
            // A paved circle round the cannon.
            float r = std::sqrt(gx * gx + gz * gz);
            Цвет камень{0.62f + 0.08f * n, 0.6f + 0.08f * n, 0.56f + 0.06f * n, 1};
            float плитка = (std::fmod(std::fabs(std::atan2(gz, gx)) * 8 / ПИ, 1.0f) < 0.04f || std::fmod(r, 6.0f) < 0.25f) ? 0.85f : 1.0f;
            Цвет c = смешать(трава, {камень.r * плитка, камень.g * плитка, камень.b * плитка, 1}, 1 - плавно(17.5f, 18.5f, r));
            // Tracks: a dark rim, a worn bed; the lead-ins fade out towards their start.
            auto дорожка = [&](float д, float сила) {
                if (д > ПОЛУШИРИНА_ДОРОЖКИ + 1.5f) return;
                Цвет ложе{0.56f + 0.06f * n, 0.44f + 0.05f * n, 0.3f + 0.04f * n, 1};
                Цвет кромка{0.28f, 0.2f, 0.13f, 1};
                float к = 1 - плавно(ПОЛУШИРИНА_ДОРОЖКИ, ПОЛУШИРИНА_ДОРОЖКИ + 1.0f, д);
                float кр = плавно(ПОЛУШИРИНА_ДОРОЖКИ - 1.6f, ПОЛУШИРИНА_ДОРОЖКИ - 0.6f, д);
                Цвет т = смешать(темнее(ложе, 0.25f * (1 - д / ПОЛУШИРИНА_ДОРОЖКИ)), кромка, кр);
                c = смешать(c, т, к * сила);
            };
            дорожка(подходы(x, y), 0.6f);
            дорожка(дорожки(x, y), 1.0f);
            х.задать(x, y, c);
        }
    }
    for (const auto& путь : у.пути) {
        if (путь.size() < 3) continue;
        // The entrance: a dark burrow the balls come out of.
        В2 вход = в_пиксели(на_земле(путь[1]));
        float рп = 1 / ЕДИНИЦ_НА_ПИКСЕЛЬ;
        х.нарисовать(круг(вход, 8.5f * рп), Цвет{0.22f, 0.15f, 0.09f, 1});
        х.нарисовать(круг(вход, 6.0f * рп), Цвет{0.05f, 0.04f, 0.03f, 1});
        // The exit: a black pit in a red and yellow warning ring.
        В2 выход = в_пиксели(на_земле(путь.back()));
        х.нарисовать(круг(выход, 10.5f * рп), Цвет{0.9f, 0.75f, 0.1f, 1});
        for (int k = 0; k < 8; ++k) {
            float a = k * ПИ / 4;
            В2 d{std::cos(a), std::sin(a)};
            х.нарисовать(отрезок(выход + d * (7.5f * рп), выход + d * (10.5f * рп), 1.1f * рп), Цвет{0.1f, 0.1f, 0.1f, 1});
        }
        х.нарисовать(круг(выход, 7.5f * рп), Цвет{0.8f, 0.1f, 0.08f, 1});
        х.нарисовать(круг(выход, 5.5f * рп), Цвет{0.02f, 0.02f, 0.02f, 1});
    }
    // Bonus sites: a worn circle under each base.
    for (В2 п : у.площадки) {
        х.нарисовать(контур(круг(в_пиксели(п), 10.5f / ЕДИНИЦ_НА_ПИКСЕЛЬ), 0.8f / ЕДИНИЦ_НА_ПИКСЕЛЬ), Цвет{0.25f, 0.2f, 0.12f, 0.8f});
    }
    // The tunnels' stone, in a corner that lies outside the field.
    for (int y = 0; y < УГОЛ_КАМНЯ; ++y)
        for (int x = 0; x < УГОЛ_КАМНЯ; ++x) х.задать(x, y, {0.58f, 0.55f, 0.5f, 1});
    return х;
}

namespace {

// A tunnel cover along a run of path vertices: an arch of elliptic cross-section
// over the track, with an inner vault and faces at both portals.
Геометрия тоннель(const std::vector<В3>& точки) {
    Геометрия г;
    В2 uv{(УГОЛ_КАМНЯ / 2.0f) / РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ, (УГОЛ_КАМНЯ / 2.0f) / РАЗМЕР_ТЕКСТУРЫ_ЗЕМЛИ};
    const int ДУГА = 12;
    std::size_t n = точки.size();
    std::vector<В2> поперёк(n);
    for (std::size_t i = 0; i < n; ++i) {
        В2 пред = i > 0 ? нормировать(на_земле(точки[i]) - на_земле(точки[i - 1])) : В2{};
        В2 след = i + 1 < n ? нормировать(на_земле(точки[i + 1]) - на_земле(точки[i])) : В2{};
        поперёк[i] = перпендикуляр(нормировать(пред + след));
    }
    auto сечение = [&](std::size_t i, int k, float толщина) {
        float a = ПИ * k / ДУГА;
        float w = ПОЛУШИРИНА_ТОННЕЛЯ + толщина, h = ВЫСОТА_ТОННЕЛЯ + толщина;
        В2 c = на_земле(точки[i]) + поперёк[i] * (w * std::cos(a));
        В3 p{c.x, h * std::sin(a), c.y};
        В2 н2 = поперёк[i] * (std::cos(a) / w);
        В3 нр = нормировать(В3{н2.x, std::sin(a) / h, н2.y});
        return std::pair{p, нр};
    };
    for (float толщина : {СТЕНКА_ТОННЕЛЯ, 0.0f}) {
        bool внешняя = толщина > 0;
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        for (std::size_t i = 0; i < n; ++i)
            for (int k = 0; k <= ДУГА; ++k) {
                auto [p, нр] = сечение(i, k, толщина);
                г.вершина(p, uv, внешняя ? нр : -нр);
            }
        for (std::size_t i = 0; i + 1 < n; ++i)
            for (int k = 0; k < ДУГА; ++k) {
                std::uint32_t a = первая + i * (ДУГА + 1) + k, b = a + ДУГА + 1;
                г.четырёхугольник(a, a + 1, b + 1, b);
            }
    }
    // Portal faces: the arch's cross-section between the outer and inner surfaces.
    for (std::size_t i : {std::size_t{0}, n - 1}) {
        В2 д = i == 0 ? на_земле(точки[0]) - на_земле(точки[1]) : на_земле(точки[n - 1]) - на_земле(точки[n - 2]);
        д = нормировать(д);
        В3 нр{д.x, 0, д.y};
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        for (int k = 0; k <= ДУГА; ++k) {
            г.вершина(сечение(i, k, СТЕНКА_ТОННЕЛЯ).first, uv, нр);
            г.вершина(сечение(i, k, 0).first, uv, нр);
        }
        for (int k = 0; k < ДУГА; ++k) {
            std::uint32_t a = первая + 2 * k;
            г.четырёхугольник(a, a + 2, a + 3, a + 1);
        }
    }
    return г;
}

}  // namespace

Геометрия модель_земли(const Уровень& у) {
    Геометрия г;
    const int КЛЕТОК = 40;
    for (int j = 0; j <= КЛЕТОК; ++j)
        for (int i = 0; i <= КЛЕТОК; ++i) {
            float x = -ПОЛРАЗМЕРА_ЗЕМЛИ + 2 * ПОЛРАЗМЕРА_ЗЕМЛИ * i / КЛЕТОК;
            float z = -ПОЛРАЗМЕРА_ЗЕМЛИ + 2 * ПОЛРАЗМЕРА_ЗЕМЛИ * j / КЛЕТОК;
            г.вершина({x, 0, z}, uv_земли(x, z), {0, 1, 0});
        }
    for (int j = 0; j < КЛЕТОК; ++j)
        for (int i = 0; i < КЛЕТОК; ++i) {
            std::uint32_t a = j * (КЛЕТОК + 1) + i;
            г.четырёхугольник(a, a + 1, a + КЛЕТОК + 2, a + КЛЕТОК + 1);
        }
    for (std::size_t п = 0; п < у.пути.size(); ++п) {
        std::vector<bool> в_разрыве = сегменты_в_разрывах(у, п);
        const auto& путь = у.пути[п];
        for (std::size_t k = 0; k < в_разрыве.size();) {
            if (!в_разрыве[k]) {
                ++k;
                continue;
            }
            std::size_t начало = k;
            while (k < в_разрыве.size() && в_разрыве[k]) ++k;
            // Segments начало..k-1 run from vertex начало to vertex k.
            г.добавить(тоннель(std::vector<В3>(путь.begin() + начало, путь.begin() + k + 1)));
        }
    }
    return г;
}

}  // namespace generator
