#include "src/put.hpp"

#include <algorithm>
#include <cmath>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"

namespace put {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

constexpr const char* МОДУЛЬ = "путь";
constexpr float ДОПУСК = 0.0001f;
constexpr int ПРОХОДОВ_ПОИСКА = 4;

// Cell numbers are exact integers for coordinates within НАИБОЛЬШАЯ_КООРДИНАТА.
double номер_ячейки(float v) { return std::floor(v / РАЗМЕР_ЯЧЕЙКИ); }
std::int64_t ячейка(float v) { return static_cast<std::int64_t>(номер_ячейки(v)); }
float угол_ячейки(std::int64_t номер) { return static_cast<float>(номер) * РАЗМЕР_ЯЧЕЙКИ; }

bool конечный(const Вектор3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Calls посетить(ix, iz) for each cell of [ix_от, ix_до] × [iz_от, iz_до] (z outer,
// x inner, ascending) that отрезок_в_ячейке(p, q) accepts. A row tries only the cells
// around the part of p-q within the row's band, one spare cell to each side, so
// a walk costs the segment's length in cells rather than its box's area.
template <class Посетить>
void обойти_ячейки(const Вектор3& p, const Вектор3& q, std::int64_t ix_от, std::int64_t ix_до, std::int64_t iz_от,
                   std::int64_t iz_до, Посетить&& посетить) {
    const float dz = q.z - p.z;
    for (std::int64_t iz = iz_от; iz <= iz_до; ++iz) {
        const float z = угол_ячейки(iz);
        std::int64_t от = ix_от;
        std::int64_t до = ix_до;
        if (dz != 0.0f) {
            const float t0 = std::clamp((z - p.z) / dz, 0.0f, 1.0f);
            const float t1 = std::clamp((z + РАЗМЕР_ЯЧЕЙКИ - p.z) / dz, 0.0f, 1.0f);
            const float xa = p.x + (q.x - p.x) * t0;
            const float xb = p.x + (q.x - p.x) * t1;
            // Compared before conversion: a far ray end gives a cell number
            // that no 64-bit integer holds.
            const double левая = номер_ячейки(std::min(xa, xb)) - 1;
            const double правая = номер_ячейки(std::max(xa, xb)) + 1;
            if (левая > static_cast<double>(до)) continue;
            if (правая < static_cast<double>(от)) continue;
            if (левая > static_cast<double>(от)) от = static_cast<std::int64_t>(левая);
            if (правая < static_cast<double>(до)) до = static_cast<std::int64_t>(правая);
        }
        for (std::int64_t ix = от; ix <= до; ++ix)
            if (Путь::отрезок_в_ячейке(p, q, угол_ячейки(ix), z)) посетить(ix, iz);
    }
}

}  // namespace

std::string Пределы::toString() const {
    return fmt::sprintf("Пределы(мин_x = %g, макс_x = %g, мин_z = %g, макс_z = %g)", мин_x, макс_x, мин_z, макс_z);
}

std::string Луч::toString() const {
    return fmt::sprintf("Луч(%s, %s)", начало.toString(), направление.toString());
}

Путь::Путь(std::vector<Вектор3> вершины, const std::vector<Разрыв>& разрывы) : вершины_(std::move(вершины)) {
    for (std::size_t i = 0; i < вершины_.size(); ++i) {
        const Вектор3& v = вершины_[i];
        if (!конечный(v) || std::fabs(v.x) > НАИБОЛЬШАЯ_КООРДИНАТА || std::fabs(v.y) > НАИБОЛЬШАЯ_КООРДИНАТА ||
            std::fabs(v.z) > НАИБОЛЬШАЯ_КООРДИНАТА)
            throw ПутьИсключение(fmt::sprintf("Вершина %d пути вне пределов ±%g: %s", static_cast<int>(i),
                                              НАИБОЛЬШАЯ_КООРДИНАТА, v.toString()));
    }
    if (вершины_.size() > std::uint64_t{UINT32_MAX})
        throw ПутьИсключение(fmt::sprintf("Слишком много вершин пути: %d", вершины_.size()));
    const std::size_t n = вершины_.size();
    if (n < 2) return;

    // Vertex 0 starts the lead-in, which lies outside the field: it is not part of the bounds.
    пределы_ = {вершины_[1].x, вершины_[1].x, вершины_[1].z, вершины_[1].z};
    for (std::size_t i = 2; i < n; ++i) {
        пределы_.мин_x = std::min(пределы_.мин_x, вершины_[i].x);
        пределы_.макс_x = std::max(пределы_.макс_x, вершины_[i].x);
        пределы_.мин_z = std::min(пределы_.мин_z, вершины_[i].z);
        пределы_.макс_z = std::max(пределы_.макс_z, вершины_[i].z);
    }

    направления_.reserve(n - 1);
    длины_.reserve(n - 1);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        Вектор3 d = вершины_[k + 1] - вершины_[k];
        const float длина = d.длина();
        if (длина > 0.0f) d = {d.x / длина, d.y / длина, d.z / длина};
        направления_.push_back(d);
        длины_.push_back(длина);
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] { return fmt::sprintf("Путь.пределы = %s", пределы_.toString()); });

    количество_сегментов_ = static_cast<std::uint32_t>(n - 1);
    // Gap ends come from the level file: a range is cut to the segments the path has.
    for (const auto& [a, b] : разрывы) {
        const std::uint64_t до = std::min<std::uint64_t>(std::max(a, b), количество_сегментов_);
        for (std::uint64_t k = std::min(a, b); k < до; ++k) сегменты_разрывов_.push_back(static_cast<std::uint32_t>(k));
    }

    живой_ = true;
    построение_сетки();
}

void Путь::построение_сетки() {
    if (!живой_) return;
    начало_сетки_ = {угол_ячейки(ячейка(пределы_.мин_x)), угол_ячейки(ячейка(пределы_.мин_z))};
    конец_сетки_ = {угол_ячейки(ячейка(пределы_.макс_x)), угол_ячейки(ячейка(пределы_.макс_z))};
    // The lead-in and the exit are never entered; fewer than three segments leave the grid empty.
    const std::int64_t последний = static_cast<std::int64_t>(количество_сегментов_) - 2;
    for (std::int64_t k = 1; k <= последний; ++k) {
        const Вектор3& p = вершины_[k];
        const Вектор3& q = вершины_[k + 1];
        обойти_ячейки(p, q, ячейка(std::min(p.x, q.x)), ячейка(std::max(p.x, q.x)), ячейка(std::min(p.z, q.z)),
                      ячейка(std::max(p.z, q.z)), [&](std::int64_t ix, std::int64_t iz) {
                          сетка_[{угол_ячейки(ix), угол_ячейки(iz)}].push_back(static_cast<std::uint32_t>(k));
                      });
    }
}

bool Путь::отрезок_в_ячейке(const Вектор3& p, const Вектор3& q, float x, float z) {
    const float x2 = x + РАЗМЕР_ЯЧЕЙКИ;
    const float z2 = z + РАЗМЕР_ЯЧЕЙКИ;
    const auto в_ячейке = [&](const Вектор3& v) { return v.x >= x && v.x <= x2 && v.z >= z && v.z <= z2; };
    if (в_ячейке(p) || в_ячейке(q)) return true;

    const float мин_x = std::min(p.x, q.x);
    const float макс_x = std::max(p.x, q.x);
    const float мин_z = std::min(p.z, q.z);
    const float макс_z = std::max(p.z, q.z);
    if (мин_x > x2 || макс_x < x || мин_z > z2 || макс_z < z) return false;

    const auto сторона = [&](float X, float Z) { return (X - p.x) * (q.z - p.z) - (q.x - p.x) * (Z - p.z); };
    // An edge counts when the segment meets it, corners included: a segment that
    // runs through the cell from corner to corner meets no edge strictly inside.
    // The lower edge needs no test of its own: a segment that meets the closed cell
    // without an end in it meets the left, upper or right edge as well.
    if (сторона(x, z) * сторона(x, z2) <= 0.0f && мин_x <= x && x <= макс_x) return true;
    if (сторона(x, z2) * сторона(x2, z2) <= 0.0f && мин_z <= z2 && z2 <= макс_z) return true;
    if (сторона(x2, z) * сторона(x2, z2) <= 0.0f && мин_x <= x2 && x2 <= макс_x) return true;
    return false;
}

bool Путь::живой() const { return живой_; }

std::uint64_t Путь::length() const { return количество_сегментов_; }

void Путь::проверить_сегмент(std::uint32_t сегмент) const {
    if (сегмент >= количество_сегментов_)
        throw ПутьИсключение(fmt::sprintf("Нет сегмента %d: у пути сегментов %d", сегмент, количество_сегментов_));
}

Вектор3 Путь::точка(std::uint32_t сегмент, float смещение) const {
    проверить_сегмент(сегмент);
    return вершины_[сегмент] + направления_[сегмент] * смещение;
}

float Путь::расстояние(std::uint32_t сегмент1, float смещение1, std::uint32_t сегмент2, float смещение2) const {
    проверить_сегмент(сегмент1);
    проверить_сегмент(сегмент2);
    // Summing only the segments between keeps distances within one segment exact,
    // which the chain's contact tests rely on.
    float сумма = 0.0f;
    for (std::uint32_t k = std::min(сегмент1, сегмент2); k < std::max(сегмент1, сегмент2); ++k) сумма += длины_[k];
    if (сегмент1 <= сегмент2) return (сумма + смещение2) - смещение1;
    return смещение2 - (сумма + смещение1);
}

Вектор3 Путь::получить_вектор(std::uint32_t сегмент) const {
    проверить_сегмент(сегмент);
    return направления_[сегмент];
}

float Путь::получить_длину_вектора(std::uint32_t сегмент) const {
    проверить_сегмент(сегмент);
    return длины_[сегмент];
}

bool Путь::сегмент_не_в_разрыве(std::uint32_t сегмент) const {
    return std::find(сегменты_разрывов_.begin(), сегменты_разрывов_.end(), сегмент) == сегменты_разрывов_.end();
}

std::vector<Пересечение> Путь::пересечения_с_лучом(std::uint64_t номер_пути, const Луч& луч) const {
    std::vector<Пересечение> пересечения;
    if (!живой_ || сетка_.empty()) return пересечения;
    const Вектор3 s = луч.начало;
    const Вектор3 e = s + луч.направление * 2.0f;
    if (!std::isfinite(s.x) || !std::isfinite(s.z) || !std::isfinite(e.x) || !std::isfinite(e.z)) return пересечения;
    Вектор3 D = e - s;
    D.нормализация();

    const float мин_x = std::min(s.x, e.x);
    const float макс_x = std::max(s.x, e.x);
    const float мин_z = std::min(s.z, e.z);
    const float макс_z = std::max(s.z, e.z);
    // Clipped to the grid before conversion, so a ray far outside cannot overflow a cell number.
    const double ix_от = std::max(номер_ячейки(мин_x), номер_ячейки(начало_сетки_.x));
    const double ix_до = std::min(номер_ячейки(макс_x), номер_ячейки(конец_сетки_.x));
    const double iz_от = std::max(номер_ячейки(мин_z), номер_ячейки(начало_сетки_.y));
    const double iz_до = std::min(номер_ячейки(макс_z), номер_ячейки(конец_сетки_.y));
    if (ix_от > ix_до || iz_от > iz_до) return пересечения;

    std::vector<std::uint32_t> кандидаты;
    обойти_ячейки(s, e, static_cast<std::int64_t>(ix_от), static_cast<std::int64_t>(ix_до),
                  static_cast<std::int64_t>(iz_от), static_cast<std::int64_t>(iz_до),
                  [&](std::int64_t ix, std::int64_t iz) {
                      const auto ячейка_сетки = сетка_.find({угол_ячейки(ix), угол_ячейки(iz)});
                      if (ячейка_сетки != сетка_.end())
                          кандидаты.insert(кандидаты.end(), ячейка_сетки->second.begin(), ячейка_сетки->second.end());
                  });
    std::sort(кандидаты.begin(), кандидаты.end());
    кандидаты.erase(std::unique(кандидаты.begin(), кандидаты.end()), кандидаты.end());

    for (const std::uint32_t k : кандидаты) {
        if (!сегмент_не_в_разрыве(k)) continue;
        const Вектор3& p = вершины_[k];
        const Вектор3& q = вершины_[k + 1];
        if (std::max(p.x, q.x) < мин_x || std::min(p.x, q.x) > макс_x || std::max(p.z, q.z) < мин_z ||
            std::min(p.z, q.z) > макс_z)
            continue;
        if (((p.x - s.x) * D.z - D.x * (p.z - s.z)) * ((q.x - s.x) * D.z - D.x * (q.z - s.z)) > 0.0f) continue;
        if (((s.x - p.x) * (q.z - p.z) - (q.x - p.x) * (s.z - p.z)) *
                ((e.x - p.x) * (q.z - p.z) - (q.x - p.x) * (e.z - p.z)) >
            0.0f)
            continue;
        const Вектор3& u = направления_[k];
        const float знаменатель = u.x * D.z - u.z * D.x;
        if (std::fabs(знаменатель) <= ДОПУСК) continue;
        const float t = ((s.x - p.x) * D.z - (s.z - p.z) * D.x) / знаменатель;
        пересечения.push_back({номер_пути, k, t, p + u * t});
    }
    return пересечения;
}

Пересечение Путь::расчёт_ближайшей_точки_сегмента(std::uint32_t номер_пути, std::uint32_t сегмент,
                                                    const Вектор3& к_началу, const Вектор3& к_концу) const {
    проверить_сегмент(сегмент);
    const float L = длины_[сегмент];
    const float t = (L * L + к_началу.квадрат_длины() - к_концу.квадрат_длины()) / 2.0f / L;
    return {номер_пути, сегмент, t, вершины_[сегмент] + направления_[сегмент] * t};
}

Пересечение Путь::ближайшая_точка_сегмента(std::uint32_t номер_пути, std::uint32_t j, const Вектор3& точка) const {
    const Вектор3 a = вершины_[j] - точка;
    const Вектор3 c = вершины_[j + 1] - точка;
    const Вектор3& u = направления_[j];
    const float da = a.скалярное_произведение(u);
    const float dc = c.скалярное_произведение(u);
    // The end is the start of the next segment, unless that one lies in a gap or is the exit.
    const auto конец = [&] {
        return j + 2 < количество_сегментов_ && сегмент_не_в_разрыве(j + 1)
                   ? Пересечение{номер_пути, j + 1, 0.0f, вершины_[j + 1]}
                   : Пересечение{номер_пути, j, длины_[j], вершины_[j + 1]};
    };
    if (std::fabs(da) < ДОПУСК) return {номер_пути, j, 0.0f, вершины_[j]};
    if (std::fabs(dc) < ДОПУСК) return конец();
    if (da * dc < 0.0f) return расчёт_ближайшей_точки_сегмента(номер_пути, j, a, c);
    // The projection falls outside: the nearer end (at an outer corner, the vertex).
    return da > 0.0f ? Пересечение{номер_пути, j, 0.0f, вершины_[j]} : конец();
}

Пересечение Путь::поиск_ближайшей_точки(std::uint32_t номер_пути, std::uint32_t сегмент, const Вектор3& точка) const {
    проверить_сегмент(сегмент);
    // Signed, so that "no backward part" from segment 0 stays that way.
    const std::int64_t n = количество_сегментов_;
    std::int64_t вперёд = сегмент;
    std::int64_t назад = static_cast<std::int64_t>(сегмент) - 1;
    // Every segment of the window answers with its nearest point; the first
    // answer found could lie farther than a later one (or than a corner vertex).
    std::optional<Пересечение> лучшее;
    float лучшее_расстояние = 0.0f;
    const auto рассмотреть = [&](std::int64_t j) {
        const auto k = static_cast<std::uint32_t>(j);
        if (!сегмент_не_в_разрыве(k)) return;
        const Пересечение ответ = ближайшая_точка_сегмента(номер_пути, k, точка);
        const float расстояние = (ответ.точка - точка).квадрат_длины();
        if (!лучшее || расстояние < лучшее_расстояние) {
            лучшее = ответ;
            лучшее_расстояние = расстояние;
        }
    };
    for (int проход = 0; проход < ПРОХОДОВ_ПОИСКА; ++проход) {
        if (вперёд + 1 < n) рассмотреть(вперёд++);
        if (назад >= 1) рассмотреть(назад--);
    }
    if (лучшее) return *лучшее;
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "Поиск не удался");
    return {номер_пути, сегмент, 0.0f, вершины_[сегмент]};
}

}  // namespace put
