// Triangle meshes built in memory for the data generator: vertex arrays in the
// layout of the mesh file, and the primitive solids the game's models are made of.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/generator/vektor.hpp"

namespace generator {

class ГеометрияИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Vertex arrays as the mesh file stores them. Every triangle is wound
// counter-clockwise seen from the side its vertex normals point to.
struct Геометрия {
    std::vector<float> позиции;      // x, y, z per vertex
    std::vector<float> текстурные;   // u, v per vertex; v = 0 is the image's top row
    std::vector<float> нормали;      // unit x, y, z per vertex
    std::vector<std::uint16_t> индексы;

    std::size_t вершин() const { return позиции.size() / 3; }
    std::size_t треугольников() const { return индексы.size() / 3; }
    В3 позиция(std::size_t i) const { return {позиции[3 * i], позиции[3 * i + 1], позиции[3 * i + 2]}; }
    В3 нормаль(std::size_t i) const { return {нормали[3 * i], нормали[3 * i + 1], нормали[3 * i + 2]}; }
    В2 uv(std::size_t i) const { return {текстурные[2 * i], текстурные[2 * i + 1]}; }

    // Adds a vertex and returns its number; the normal is normalised here.
    std::uint16_t вершина(В3 p, В2 uv, В3 n);
    // Adds a triangle; its winding is set so that it faces the way its vertex normals
    // point, and a triangle of no area is dropped.
    void треугольник(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // Two triangles a-b-c and a-c-d.
    void четырёхугольник(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);

    // Appends another mesh, placed by an optional transform.
    void добавить(const Геометрия& другая);
    void добавить(const Геометрия& другая, const Преобразование& т);
    // Moves every vertex; normals follow (a mirroring transform also turns the windings).
    void преобразовать(const Преобразование& т);
    // Replaces every texture coordinate by a function of the vertex.
    void задать_uv(const std::function<В2(В3 позиция, В3 нормаль)>& f);
    // Moves texture coordinates of 0..1 half a texel of a texture of that size
    // inside its edges. The engine clamps textures to their black border, and
    // linear filtering at u or v = 0 or 1 blends half of it in: a dark seam.
    void вдвинуть_uv_на_полтекселя(int ширина, int высота);

    // The axis-aligned bounds of the positions.
    В3 минимум() const;
    В3 максимум() const;
};

// A sphere about the origin; u follows the longitude, v runs from the top (+y) down.
Геометрия сфера(float радиус, int долгот, int широт);

// One point of a profile turned about the y axis: distance from the axis and height.
// The profile's outer side is on its right when walked in its order, so a profile
// that climbs at a positive radius faces away from the axis. A point given twice in a
// row makes a crease there.
struct ТочкаПрофиля {
    float r = 0, y = 0;
};
// The surface of revolution of a profile (lathe) about the y axis, sectors around;
// u follows the angle, v the profile's length.
Геометрия тело_вращения(const std::vector<ТочкаПрофиля>& профиль, int секторов);
// Only the part of the turn from angle φ0 to φ1 (radians, about +y, starting at +x
// and going towards -z); a closed profile then also gets flat faces at both cuts.
Геометрия тело_вращения(const std::vector<ТочкаПрофиля>& профиль, int секторов, float φ0, float φ1,
                        bool закрыть_срезы);

// A closed cylinder along y from y0 to y1.
Геометрия цилиндр(float радиус, float y0, float y1, int секторов);
// A closed cone frustum along y.
Геометрия усечённый_конус(float r0, float y0, float r1, float y1, int секторов);
// A box between two corners, flat faces, each face mapped onto the whole image.
Геометрия коробка(В3 мин, В3 макс);
// A torus about the y axis.
Геометрия тор(float большой_радиус, float малый_радиус, int секторов, int сечений);

// A simple polygon in the x-y plane (counter-clockwise seen from +z), extruded along z
// from z0 to z1, with flat caps and walls; u, v come from x, y scaled by uv_масштаб.
Геометрия выдавить(const std::vector<В2>& контур, float z0, float z1, float uv_масштаб = 1.0f);
// Triangulates a simple polygon (counter-clockwise) by ear clipping; indices into контур.
std::vector<std::uint32_t> триангулировать(const std::vector<В2>& контур);

// A band of rectangular cross-section swept along a polyline in the x-y plane:
// ширина across the line in the plane, from z0 to z1 in depth. Closed lines join
// their ends. Used for the strokes of the digit glyphs.
Геометрия лента(const std::vector<В2>& линия, bool замкнутая, float ширина, float z0, float z1);

// A tube of round cross-section along a 3D polyline (open, with flat ends).
Геометрия трубка(const std::vector<В3>& линия, float радиус, int секторов);

// Checks the invariants every generated mesh keeps: at most 65535 vertices, unit
// normals, finite values, indices in range, windings that agree with the normals.
// Returns an empty string when all hold, else the first violation.
std::string проверить(const Геометрия& г);

}  // namespace generator
