#include "tools/generator/prosmotr.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace generator {

namespace {

Цвет выборка(const Холст& т, В2 uv) {
    float x = uv.x * т.ширина() - 0.5f, y = uv.y * т.высота() - 0.5f;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    auto p = [&](int xx, int yy) {
        return т.пиксель(std::clamp(xx, 0, т.ширина() - 1), std::clamp(yy, 0, т.высота() - 1));
    };
    return смешать(смешать(p(x0, y0), p(x0 + 1, y0), fx), смешать(p(x0, y0 + 1), p(x0 + 1, y0 + 1), fx), fy);
}

}  // namespace

Холст просмотр(const Геометрия& г, const Холст* текстура, int W, int H, const ВидПросмотра& вид) {
    Холст х(W, H, вид.фон);
    if (г.вершин() == 0) return х;
    В3 мин = г.минимум(), макс = г.максимум();
    В3 центр = (мин + макс) * 0.5f;
    float радиус = std::max(длина(макс - мин) * 0.5f, 1e-3f);
    В3 вперёд = нормировать(вид.направление);
    float расстояние = радиус / std::sin(вид.поле_зрения / 2) * 1.05f;
    В3 глаз = центр - вперёд * расстояние;
    В3 вправо = нормировать(векторное(вперёд, В3{0, 1, 0}));
    В3 вверх = векторное(вправо, вперёд);
    float f = H / 2 / std::tan(вид.поле_зрения / 2);
    В3 свет = нормировать(В3{0.4f, 0.8f, 0.45f});

    struct Точка {
        float x, y, z;
    };
    std::vector<Точка> экран(г.вершин());
    for (std::size_t i = 0; i < г.вершин(); ++i) {
        В3 d = г.позиция(i) - глаз;
        float z = std::max(скаляр(d, вперёд), 1e-3f);
        экран[i] = {W / 2.0f + f * скаляр(d, вправо) / z, H / 2.0f - f * скаляр(d, вверх) / z, z};
    }
    std::vector<float> глубина(static_cast<std::size_t>(W) * H, std::numeric_limits<float>::max());
    for (std::size_t t = 0; t < г.треугольников(); ++t) {
        std::uint16_t ia = г.индексы[3 * t], ib = г.индексы[3 * t + 1], ic = г.индексы[3 * t + 2];
        Точка a = экран[ia], b = экран[ib], c = экран[ic];
        float площадь = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        // Counter-clockwise seen from outside is clockwise on a screen whose y runs down.
        if (площадь >= 0) continue;
        int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
        int x1 = std::min(W - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
        int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
        int y1 = std::min(H - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                float px = x + 0.5f, py = y + 0.5f;
                float w0 = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / площадь;
                float w1 = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / площадь;
                float w2 = 1 - w0 - w1;
                if (w0 < 0 || w1 < 0 || w2 < 0) continue;
                // Perspective-correct weights.
                float q0 = w0 / a.z, q1 = w1 / b.z, q2 = w2 / c.z, q = q0 + q1 + q2;
                q0 /= q, q1 /= q, q2 /= q;
                float z = q0 * a.z + q1 * b.z + q2 * c.z;
                float& зб = глубина[static_cast<std::size_t>(y) * W + x];
                if (z >= зб) continue;
                зб = z;
                В3 n = нормировать(г.нормаль(ia) * q0 + г.нормаль(ib) * q1 + г.нормаль(ic) * q2);
                В2 uv = г.uv(ia) * q0 + г.uv(ib) * q1 + г.uv(ic) * q2;
                Цвет основа = текстура ? выборка(*текстура, uv) : Цвет{0.7f, 0.7f, 0.7f, 1};
                float свет_ = 0.35f + 0.75f * std::max(0.0f, скаляр(n, свет));
                Цвет итог{std::min(1.0f, основа.r * свет_), std::min(1.0f, основа.g * свет_),
                          std::min(1.0f, основа.b * свет_), 1};
                х.наложить(x, y, итог, основа.a);
            }
        }
    }
    return х;
}

}  // namespace generator
