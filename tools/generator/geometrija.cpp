#include "tools/generator/geometrija.hpp"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <limits>

namespace generator {

std::uint16_t Геометрия::вершина(В3 p, В2 uv, В3 n) {
    std::size_t номер = вершин();
    if (номер >= 65535) {
        throw ГеометрияИсключение("в меше больше 65535 вершин");
    }
    n = нормировать(n);
    позиции.insert(позиции.end(), {p.x, p.y, p.z});
    текстурные.insert(текстурные.end(), {uv.x, uv.y});
    нормали.insert(нормали.end(), {n.x, n.y, n.z});
    return static_cast<std::uint16_t>(номер);
}

void Геометрия::треугольник(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    В3 pa = позиция(a), pb = позиция(b), pc = позиция(c);
    В3 г = векторное(pb - pa, pc - pa);
    float масштаб = std::max({длина(pb - pa), длина(pc - pa), 1e-6f});
    if (длина(г) <= 1e-6f * масштаб * масштаб) {
        return;
    }
    В3 n = нормаль(a) + нормаль(b) + нормаль(c);
    if (скаляр(г, n) < 0) {
        std::swap(b, c);
    }
    индексы.insert(индексы.end(), {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                                   static_cast<std::uint16_t>(c)});
}

void Геометрия::четырёхугольник(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    треугольник(a, b, c);
    треугольник(a, c, d);
}

void Геометрия::добавить(const Геометрия& другая) { добавить(другая, Преобразование{}); }

void Геометрия::добавить(const Геометрия& другая, const Преобразование& т) {
    std::size_t начало = вершин();
    if (начало + другая.вершин() > 65535) {
        throw ГеометрияИсключение("в меше больше 65535 вершин");
    }
    Геометрия копия = другая;
    копия.преобразовать(т);
    позиции.insert(позиции.end(), копия.позиции.begin(), копия.позиции.end());
    текстурные.insert(текстурные.end(), копия.текстурные.begin(), копия.текстурные.end());
    нормали.insert(нормали.end(), копия.нормали.begin(), копия.нормали.end());
    for (std::uint16_t i : копия.индексы) {
        индексы.push_back(static_cast<std::uint16_t>(i + начало));
    }
}

void Геометрия::преобразовать(const Преобразование& т) {
    // The cofactor matrix is the inverse transpose times the determinant: a mirroring
    // map needs its sign turned back.
    bool зеркало = т.м.определитель() < 0;
    М3 нм = т.м.для_нормалей();
    for (std::size_t i = 0; i < вершин(); ++i) {
        В3 p = т(позиция(i));
        В3 n = нормировать(нм * нормаль(i)) * (зеркало ? -1.0f : 1.0f);
        позиции[3 * i] = p.x, позиции[3 * i + 1] = p.y, позиции[3 * i + 2] = p.z;
        нормали[3 * i] = n.x, нормали[3 * i + 1] = n.y, нормали[3 * i + 2] = n.z;
    }
    if (зеркало) {
        for (std::size_t t = 0; t + 2 < индексы.size(); t += 3) {
            std::swap(индексы[t + 1], индексы[t + 2]);
        }
    }
}

void Геометрия::задать_uv(const std::function<В2(В3, В3)>& f) {
    for (std::size_t i = 0; i < вершин(); ++i) {
        В2 uv = f(позиция(i), нормаль(i));
        текстурные[2 * i] = uv.x;
        текстурные[2 * i + 1] = uv.y;
    }
}

void Геометрия::вдвинуть_uv_на_полтекселя(int ширина, int высота) {
    const float пu = 0.5f / static_cast<float>(ширина), пv = 0.5f / static_cast<float>(высота);
    for (std::size_t i = 0; i < вершин(); ++i) {
        текстурные[2 * i] = пu + текстурные[2 * i] * (1 - 2 * пu);
        текстурные[2 * i + 1] = пv + текстурные[2 * i + 1] * (1 - 2 * пv);
    }
}

В3 Геометрия::минимум() const {
    В3 м{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
         std::numeric_limits<float>::max()};
    for (std::size_t i = 0; i < вершин(); ++i) {
        В3 p = позиция(i);
        м = {std::min(м.x, p.x), std::min(м.y, p.y), std::min(м.z, p.z)};
    }
    return м;
}

В3 Геометрия::максимум() const {
    В3 м{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
         -std::numeric_limits<float>::max()};
    for (std::size_t i = 0; i < вершин(); ++i) {
        В3 p = позиция(i);
        м = {std::max(м.x, p.x), std::max(м.y, p.y), std::max(м.z, p.z)};
    }
    return м;
}

Геометрия сфера(float радиус, int долгот, int широт) {
    Геометрия г;
    for (int i = 0; i <= широт; ++i) {
        float θ = ПИ * i / широт;
        // Exactly on the axis at the poles, so that the pole triangles come out degenerate.
        float синус = (i == 0 || i == широт) ? 0.0f : std::sin(θ);
        float косинус = i == 0 ? 1.0f : i == широт ? -1.0f : std::cos(θ);
        for (int j = 0; j <= долгот; ++j) {
            float φ = 2 * ПИ * j / долгот;
            В3 n{синус * std::cos(φ), косинус, -синус * std::sin(φ)};
            г.вершина(n * радиус, {float(j) / долгот, float(i) / широт}, n);
        }
    }
    for (int i = 0; i < широт; ++i) {
        for (int j = 0; j < долгот; ++j) {
            std::uint32_t a = i * (долгот + 1) + j, b = a + 1, c = a + долгот + 2, d = a + долгот + 1;
            г.четырёхугольник(a, b, c, d);
        }
    }
    return г;
}

Геометрия тело_вращения(const std::vector<ТочкаПрофиля>& профиль, int секторов) {
    return тело_вращения(профиль, секторов, 0, 2 * ПИ, false);
}

Геометрия тело_вращения(const std::vector<ТочкаПрофиля>& профиль, int секторов, float φ0, float φ1,
                        bool закрыть_срезы) {
    Геометрия г;
    std::size_t n = профиль.size();
    if (n < 2) {
        return г;
    }
    auto нормаль_ребра = [&](std::size_t i) -> std::pair<bool, В2> {
        В2 d{профиль[i + 1].r - профиль[i].r, профиль[i + 1].y - профиль[i].y};
        if (длина(d) < 1e-6f) {
            return {false, {}};
        }
        return {true, нормировать(В2{d.y, -d.x})};
    };
    std::vector<В2> нормали(n);
    std::vector<float> путь(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        В2 сумма{};
        if (i > 0) {
            auto [есть, нр] = нормаль_ребра(i - 1);
            if (есть) сумма = сумма + нр;
            путь[i] = путь[i - 1] + длина(В2{профиль[i].r - профиль[i - 1].r, профиль[i].y - профиль[i - 1].y});
        }
        if (i + 1 < n) {
            auto [есть, нр] = нормаль_ребра(i);
            if (есть) сумма = сумма + нр;
        }
        нормали[i] = нормировать(сумма);
    }
    float полный = std::max(путь.back(), 1e-6f);
    for (std::size_t i = 0; i < n; ++i) {
        for (int j = 0; j <= секторов; ++j) {
            float φ = φ0 + (φ1 - φ0) * j / секторов;
            float c = std::cos(φ), s = -std::sin(φ);
            В3 p{профиль[i].r * c, профиль[i].y, профиль[i].r * s};
            В3 nn{нормали[i].x * c, нормали[i].y, нормали[i].x * s};
            if (длина(nn) < 1e-6f) {
                nn = {0, 1, 0};
            }
            г.вершина(p, {float(j) / секторов, путь[i] / полный}, nn);
        }
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (int j = 0; j < секторов; ++j) {
            std::uint32_t a = i * (секторов + 1) + j, b = a + 1, d = a + секторов + 1, c = d + 1;
            г.четырёхугольник(a, b, c, d);
        }
    }
    if (закрыть_срезы) {
        std::vector<В2> контур;
        for (const ТочкаПрофиля& т : профиль) {
            if (контур.empty() || длина(В2{т.r, т.y} - контур.back()) > 1e-6f) контур.push_back({т.r, т.y});
        }
        if (контур.size() > 2 && длина(контур.front() - контур.back()) < 1e-6f) контур.pop_back();
        std::vector<std::uint32_t> треугольники = триангулировать(контур);
        for (float φ : {φ0, φ1}) {
            float c = std::cos(φ), s = -std::sin(φ);
            // The cut faces away from the swept part.
            В3 касательная{-std::sin(φ), 0, -std::cos(φ)};
            В3 нр = φ == φ0 ? -касательная : касательная;
            std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
            for (В2 p : контур) {
                г.вершина({p.x * c, p.y, p.x * s}, {0.5f, 0.5f}, нр);
            }
            for (std::size_t t = 0; t < треугольники.size(); t += 3) {
                г.треугольник(первая + треугольники[t], первая + треугольники[t + 1], первая + треугольники[t + 2]);
            }
        }
    }
    return г;
}

Геометрия цилиндр(float радиус, float y0, float y1, int секторов) {
    return усечённый_конус(радиус, y0, радиус, y1, секторов);
}

Геометрия усечённый_конус(float r0, float y0, float r1, float y1, int секторов) {
    return тело_вращения({{0, y0}, {r0, y0}, {r0, y0}, {r1, y1}, {r1, y1}, {0, y1}}, секторов);
}

Геометрия коробка(В3 мин, В3 макс) {
    Геометрия г;
    // Each face: its normal and two edge directions spanning it.
    struct Грань {
        В3 n, u, v;
    };
    const Грань грани[] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    };
    В3 центр = (мин + макс) * 0.5f, пол = (макс - мин) * 0.5f;
    auto растянуть = [&](В3 v) { return В3{v.x * пол.x, v.y * пол.y, v.z * пол.z}; };
    for (const Грань& f : грани) {
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        const float знаки[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (auto& s : знаки) {
            В3 p = центр + растянуть(f.n + f.u * s[0] + f.v * s[1]);
            г.вершина(p, {(s[0] + 1) / 2, (1 - s[1]) / 2}, f.n);
        }
        г.четырёхугольник(первая, первая + 1, первая + 2, первая + 3);
    }
    return г;
}

Геометрия тор(float R, float r, int секторов, int сечений) {
    Геометрия г;
    for (int j = 0; j <= секторов; ++j) {
        float φ = 2 * ПИ * j / секторов;
        В3 e{std::cos(φ), 0, -std::sin(φ)};
        for (int k = 0; k <= сечений; ++k) {
            float ψ = 2 * ПИ * k / сечений;
            В3 n = e * std::cos(ψ) + В3{0, 1, 0} * std::sin(ψ);
            г.вершина(e * R + n * r, {float(j) / секторов, float(k) / сечений}, n);
        }
    }
    for (int j = 0; j < секторов; ++j) {
        for (int k = 0; k < сечений; ++k) {
            std::uint32_t a = j * (сечений + 1) + k, b = a + 1, d = a + сечений + 1, c = d + 1;
            г.четырёхугольник(a, b, c, d);
        }
    }
    return г;
}

namespace {

float площадь2(const std::vector<В2>& к) {
    float s = 0;
    for (std::size_t i = 0; i < к.size(); ++i) {
        В2 a = к[i], b = к[(i + 1) % к.size()];
        s += a.x * b.y - b.x * a.y;
    }
    return s;
}

float поворот(В2 a, В2 b, В2 c) { return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x); }

bool внутри_треугольника(В2 p, В2 a, В2 b, В2 c) {
    return поворот(a, b, p) >= 0 && поворот(b, c, p) >= 0 && поворот(c, a, p) >= 0;
}

}  // namespace

std::vector<std::uint32_t> триангулировать(const std::vector<В2>& контур) {
    std::vector<std::uint32_t> остаток(контур.size());
    for (std::uint32_t i = 0; i < остаток.size(); ++i) остаток[i] = i;
    if (площадь2(контур) < 0) {
        std::reverse(остаток.begin(), остаток.end());
    }
    std::vector<std::uint32_t> итог;
    std::size_t попыток = 0;
    while (остаток.size() > 3 && попыток < 4 * контур.size() * контур.size()) {
        ++попыток;
        bool срезано = false;
        for (std::size_t i = 0; i < остаток.size(); ++i) {
            std::uint32_t ia = остаток[(i + остаток.size() - 1) % остаток.size()], ib = остаток[i],
                          ic = остаток[(i + 1) % остаток.size()];
            В2 a = контур[ia], b = контур[ib], c = контур[ic];
            if (поворот(a, b, c) <= 1e-9f) continue;
            bool пусто = true;
            for (std::uint32_t j : остаток) {
                if (j == ia || j == ib || j == ic) continue;
                if (внутри_треугольника(контур[j], a, b, c)) {
                    пусто = false;
                    break;
                }
            }
            if (!пусто) continue;
            итог.insert(итог.end(), {ia, ib, ic});
            остаток.erase(остаток.begin() + static_cast<std::ptrdiff_t>(i));
            срезано = true;
            break;
        }
        if (!срезано) {
            throw ГеометрияИсключение("контур не триангулируется: он не простой");
        }
    }
    if (остаток.size() == 3) {
        итог.insert(итог.end(), {остаток[0], остаток[1], остаток[2]});
    }
    return итог;
}

Геометрия выдавить(const std::vector<В2>& контур, float z0, float z1, float uv_масштаб) {
    Геометрия г;
    std::vector<В2> к = контур;
    if (площадь2(к) < 0) {
        std::reverse(к.begin(), к.end());
    }
    auto uv = [&](В2 p) { return В2{0.5f + p.x * uv_масштаб, 0.5f - p.y * uv_масштаб}; };
    std::vector<std::uint32_t> треугольники = триангулировать(к);
    for (float z : {z0, z1}) {
        В3 n{0, 0, z == z1 ? 1.0f : -1.0f};
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        for (В2 p : к) {
            г.вершина({p.x, p.y, z}, uv(p), n);
        }
        for (std::size_t t = 0; t < треугольники.size(); t += 3) {
            г.треугольник(первая + треугольники[t], первая + треугольники[t + 1], первая + треугольники[t + 2]);
        }
    }
    for (std::size_t i = 0; i < к.size(); ++i) {
        В2 a = к[i], b = к[(i + 1) % к.size()];
        В2 d = b - a;
        if (длина(d) < 1e-6f) continue;
        В3 n{d.y, -d.x, 0};
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        г.вершина({a.x, a.y, z0}, uv(a), n);
        г.вершина({b.x, b.y, z0}, uv(b), n);
        г.вершина({b.x, b.y, z1}, uv(b), n);
        г.вершина({a.x, a.y, z1}, uv(a), n);
        г.четырёхугольник(первая, первая + 1, первая + 2, первая + 3);
    }
    return г;
}

Геометрия лента(const std::vector<В2>& линия, bool замкнутая, float ширина, float z0, float z1) {
    Геометрия г;
    std::size_t n = линия.size();
    if (n < 2) {
        return г;
    }
    float пол = ширина / 2;
    // Offset direction (to the left of the line) and its length at every point, mitred.
    std::vector<В2> смещение(n);
    for (std::size_t i = 0; i < n; ++i) {
        bool есть_пред = замкнутая || i > 0, есть_след = замкнутая || i + 1 < n;
        В2 пред = есть_пред ? нормировать(линия[i] - линия[(i + n - 1) % n]) : В2{};
        В2 след = есть_след ? нормировать(линия[(i + 1) % n] - линия[i]) : В2{};
        В2 t = нормировать(пред + след);
        if (длина(t) < 1e-6f) t = есть_след ? след : пред;
        В2 нр = перпендикуляр(t);
        float к = есть_пред ? скаляр(нр, перпендикуляр(пред)) : скаляр(нр, перпендикуляр(след));
        float м = пол / std::max(к, 0.5f);
        смещение[i] = нр * м;
    }
    std::size_t рёбер = замкнутая ? n : n - 1;
    auto uv = [](В2 p) { return В2{0.5f + p.x * 0.5f, 0.5f - p.y * 0.5f}; };
    // Top and bottom faces.
    for (float z : {z0, z1}) {
        В3 нр{0, 0, z == z1 ? 1.0f : -1.0f};
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        for (std::size_t i = 0; i < n; ++i) {
            В2 l = линия[i] + смещение[i], r = линия[i] - смещение[i];
            г.вершина({l.x, l.y, z}, uv(l), нр);
            г.вершина({r.x, r.y, z}, uv(r), нр);
        }
        for (std::size_t i = 0; i < рёбер; ++i) {
            std::uint32_t a = первая + 2 * i, b = первая + 2 * ((i + 1) % n);
            г.четырёхугольник(a, a + 1, b + 1, b);
        }
    }
    // The two side walls, smooth along the line.
    for (float сторона : {1.0f, -1.0f}) {
        std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
        for (std::size_t i = 0; i < n; ++i) {
            В2 p = линия[i] + смещение[i] * сторона;
            В2 нр2 = нормировать(смещение[i] * сторона);
            В3 нр{нр2.x, нр2.y, 0};
            г.вершина({p.x, p.y, z0}, uv(p), нр);
            г.вершина({p.x, p.y, z1}, uv(p), нр);
        }
        for (std::size_t i = 0; i < рёбер; ++i) {
            std::uint32_t a = первая + 2 * i, b = первая + 2 * ((i + 1) % n);
            г.четырёхугольник(a, b, b + 1, a + 1);
        }
    }
    // Flat ends of an open line.
    if (!замкнутая) {
        for (std::size_t i : {std::size_t{0}, n - 1}) {
            В2 d = нормировать(i == 0 ? линия[0] - линия[1] : линия[n - 1] - линия[n - 2]);
            В3 нр{d.x, d.y, 0};
            В2 l = линия[i] + смещение[i], r = линия[i] - смещение[i];
            std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
            г.вершина({l.x, l.y, z0}, uv(l), нр);
            г.вершина({r.x, r.y, z0}, uv(r), нр);
            г.вершина({r.x, r.y, z1}, uv(r), нр);
            г.вершина({l.x, l.y, z1}, uv(l), нр);
            г.четырёхугольник(первая, первая + 1, первая + 2, первая + 3);
        }
    }
    return г;
}

Геометрия трубка(const std::vector<В3>& линия, float радиус, int секторов) {
    Геометрия г;
    std::size_t n = линия.size();
    if (n < 2) {
        return г;
    }
    std::vector<В3> касательные(n);
    for (std::size_t i = 0; i < n; ++i) {
        В3 пред = i > 0 ? нормировать(линия[i] - линия[i - 1]) : В3{};
        В3 след = i + 1 < n ? нормировать(линия[i + 1] - линия[i]) : В3{};
        касательные[i] = нормировать(пред + след);
    }
    // Frames carried along the line so that the cross-section does not twist.
    В3 t0 = касательные[0];
    В3 опора = std::fabs(t0.y) < 0.9f ? В3{0, 1, 0} : В3{1, 0, 0};
    В3 a = нормировать(векторное(опора, t0));
    std::uint32_t первая = static_cast<std::uint32_t>(г.вершин());
    for (std::size_t i = 0; i < n; ++i) {
        В3 t = касательные[i];
        a = нормировать(a - t * скаляр(a, t));
        В3 b = векторное(t, a);
        for (int j = 0; j <= секторов; ++j) {
            float ψ = 2 * ПИ * j / секторов;
            В3 нр = a * std::cos(ψ) + b * std::sin(ψ);
            г.вершина(линия[i] + нр * радиус, {float(j) / секторов, float(i) / (n - 1)}, нр);
        }
        if (i == 0 || i + 1 == n) {
            // A flat end cap: a fan around the centre.
            std::uint32_t ц = г.вершина(линия[i], {0.5f, 0.5f}, i == 0 ? -t : t);
            std::uint32_t кольцо = static_cast<std::uint32_t>(г.вершин());
            for (int j = 0; j <= секторов; ++j) {
                float ψ = 2 * ПИ * j / секторов;
                В3 нр = a * std::cos(ψ) + b * std::sin(ψ);
                г.вершина(линия[i] + нр * радиус, {0.5f + 0.5f * std::cos(ψ), 0.5f + 0.5f * std::sin(ψ)},
                          i == 0 ? -t : t);
            }
            for (int j = 0; j < секторов; ++j) {
                г.треугольник(ц, кольцо + j, кольцо + j + 1);
            }
        }
    }
    // Rings are laid out as: ring 0, cap 0, ring 1, ..., ring n-1, cap n-1.
    std::uint32_t шаг_кольца = секторов + 1, шаг_крышки = 1 + секторов + 1;
    auto начало_кольца = [&](std::size_t i) {
        return первая + i * шаг_кольца + (i > 0 ? шаг_крышки : 0);
    };
    for (std::size_t i = 0; i + 1 < n; ++i) {
        std::uint32_t к0 = начало_кольца(i), к1 = начало_кольца(i + 1);
        for (int j = 0; j < секторов; ++j) {
            г.четырёхугольник(к0 + j, к0 + j + 1, к1 + j + 1, к1 + j);
        }
    }
    return г;
}

std::string проверить(const Геометрия& г) {
    if (г.позиции.size() % 3 != 0 || г.текстурные.size() != г.вершин() * 2 || г.нормали.size() != г.вершин() * 3) {
        return "массивы вершин разной длины";
    }
    if (г.вершин() > 65535 || г.треугольников() > 65535 || г.индексы.size() % 3 != 0) {
        return "слишком много вершин или треугольников";
    }
    for (std::size_t i = 0; i < г.вершин(); ++i) {
        В3 p = г.позиция(i), n = г.нормаль(i);
        В2 uv = г.uv(i);
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !std::isfinite(uv.x) ||
            !std::isfinite(uv.y)) {
            return fmt::format("вершина {} не конечна", i);
        }
        if (std::fabs(длина(n) - 1.0f) > 1e-3f) {
            return fmt::format("нормаль вершины {} длины {}", i, длина(n));
        }
    }
    for (std::size_t t = 0; t < г.треугольников(); ++t) {
        std::uint16_t a = г.индексы[3 * t], b = г.индексы[3 * t + 1], c = г.индексы[3 * t + 2];
        if (a >= г.вершин() || b >= г.вершин() || c >= г.вершин()) {
            return fmt::format("треугольник {} ссылается за вершины", t);
        }
        В3 n = векторное(г.позиция(b) - г.позиция(a), г.позиция(c) - г.позиция(a));
        if (скаляр(n, г.нормаль(a) + г.нормаль(b) + г.нормаль(c)) <= 0) {
            return fmt::format("треугольник {} обращён против своих нормалей", t);
        }
    }
    return {};
}

}  // namespace generator
