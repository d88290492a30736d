// A path: the polyline on the ground along which one chain of balls rolls; places
// on it, ray crossings through a grid of 20-unit cells and nearest points.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "zyr/types.hpp"
#include "zyr/vector.hpp"

namespace put {

using zyr::types::Координаты2D;
using zyr::vector::Вектор3;

inline constexpr float НЕ_ЗАДАНО = std::numeric_limits<float>::quiet_NaN();

// Side of a grid cell.
inline constexpr float РАЗМЕР_ЯЧЕЙКИ = 20.0f;

// Largest magnitude of a vertex coordinate. It keeps every grid walk finite and
// every cell number exact in float; a field is a few hundred units across.
inline constexpr float НАИБОЛЬШАЯ_КООРДИНАТА = 100000.0f;

// Vertices out of bounds, or a segment number that the path does not have.
class ПутьИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bounds of the path on the ground (x and z).
struct Пределы {
    float мин_x = НЕ_ЗАДАНО;
    float макс_x = НЕ_ЗАДАНО;
    float мин_z = НЕ_ЗАДАНО;
    float макс_z = НЕ_ЗАДАНО;

    std::string toString() const;
};

// A place on a path that a search found: the path's number in the path set, the
// segment, the offset along it and the point itself.
struct Пересечение {
    std::uint64_t номер_пути = 0;
    std::uint32_t сегмент = 0;
    float смещение = НЕ_ЗАДАНО;
    Вектор3 точка{НЕ_ЗАДАНО, НЕ_ЗАДАНО, НЕ_ЗАДАНО};

    friend bool operator==(const Пересечение&, const Пересечение&) = default;
};

// A ray on the ground: both vectors have y = 0.
struct Луч {
    Вектор3 начало = Вектор3::НОЛЬ;
    Вектор3 направление = Вектор3::НОЛЬ;

    Луч() = default;
    Луч(const Вектор3& начало_, const Вектор3& направление_) : начало(начало_), направление(направление_) {}
    // (a.x, 0, a.y) and (b.x, 0, b.y).
    Луч(const Координаты2D<float>& a, const Координаты2D<float>& b)
        : начало(a.x, 0.0f, a.y), направление(b.x, 0.0f, b.y) {}

    std::string toString() const;
};

// Cells are keyed by the x and z of their lower corner.
struct СравнениеЯчеек {
    bool operator()(const Координаты2D<float>& a, const Координаты2D<float>& b) const {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    }
};

using Сетка = std::map<Координаты2D<float>, std::vector<std::uint32_t>, СравнениеЯчеек>;
using Разрыв = std::pair<std::uint32_t, std::uint32_t>;

// Segment k runs from vertex k to vertex k+1. Segment 0 is the lead-in, balls
// enter at (1, 0) and the last segment is the exit. Every operation that takes a
// segment number refuses one the path does not have with ПутьИсключение.
class Путь {
public:
    // Fewer than two vertices leave the path not живой, without segments or grid.
    // A vertex coordinate that is not finite or exceeds НАИБОЛЬШАЯ_КООРДИНАТА throws.
    // A gap (a, b) marks the segments from min(a, b) to max(a, b) - 1 that the path has.
    Путь(std::vector<Вектор3> вершины, const std::vector<Разрыв>& разрывы);
    virtual ~Путь() = default;

    virtual bool живой() const;
    // Number of segments.
    virtual std::uint64_t length() const;
    // Vertex сегмент plus the segment's direction times смещение; the offset is not clamped.
    virtual Вектор3 точка(std::uint32_t сегмент, float смещение) const;
    // Signed distance along the path from place 1 to place 2, positive when place 2
    // lies further along. Only the lengths of the segments between the two are summed.
    virtual float расстояние(std::uint32_t сегмент1, float смещение1, std::uint32_t сегмент2,
                             float смещение2) const;
    // The segments (outside gaps) that the ray from начало to начало + 2·направление
    // crosses, in ascending segment order, one crossing per segment.
    virtual std::vector<Пересечение> пересечения_с_лучом(std::uint64_t номер_пути, const Луч& луч) const;
    virtual Вектор3 получить_вектор(std::uint32_t сегмент) const;
    virtual float получить_длину_вектора(std::uint32_t сегмент) const;
    virtual bool сегмент_не_в_разрыве(std::uint32_t сегмент) const;
    // The path point nearest to точка on the segments searched outward from
    // сегмент: at most four forward (never the last one) and four backward (never
    // segment 0), those in a gap left out; a tie goes to the segment searched
    // first. A point at the end of a segment is given as the start of the next
    // one unless that lies in a gap or is the exit, so the answer is never on the
    // exit either. With no segment to search, the answer is the start of сегмент, offset 0.
    virtual Пересечение поиск_ближайшей_точки(std::uint32_t номер_пути, std::uint32_t сегмент,
                                              const Вектор3& точка) const;

    // Whether segment p-q touches the closed cell [x, x+20] × [z, z+20] on the ground.
    static bool отрезок_в_ячейке(const Вектор3& p, const Вектор3& q, float x, float z);

    // The in-segment answer for segment сегмент, given the vectors from the searched
    // point to the segment's first and second vertex.
    Пересечение расчёт_ближайшей_точки_сегмента(std::uint32_t номер_пути, std::uint32_t сегмент,
                                                 const Вектор3& к_началу, const Вектор3& к_концу) const;

    const std::vector<Вектор3>& направления() const { return направления_; }
    const std::vector<Вектор3>& вершины() const { return вершины_; }
    const std::vector<float>& длины() const { return длины_; }
    const Пределы& пределы() const { return пределы_; }
    const std::vector<std::uint32_t>& сегменты_разрывов() const { return сегменты_разрывов_; }
    std::uint32_t количество_сегментов() const { return количество_сегментов_; }
    const Координаты2D<float>& начало_сетки() const { return начало_сетки_; }
    const Координаты2D<float>& конец_сетки() const { return конец_сетки_; }
    const Сетка& сетка() const { return сетка_; }

private:
    void построение_сетки();
    void проверить_сегмент(std::uint32_t сегмент) const;
    Пересечение ближайшая_точка_сегмента(std::uint32_t номер_пути, std::uint32_t сегмент,
                                         const Вектор3& точка) const;

    std::vector<Вектор3> направления_;
    std::vector<Вектор3> вершины_;
    std::vector<float> длины_;
    Пределы пределы_;
    std::vector<std::uint32_t> сегменты_разрывов_;
    std::uint32_t количество_сегментов_ = 0;
    bool живой_ = false;
    Координаты2D<float> начало_сетки_{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
    Координаты2D<float> конец_сетки_{НЕ_ЗАДАНО, НЕ_ЗАДАНО};
    Сетка сетка_;
};

}  // namespace put
