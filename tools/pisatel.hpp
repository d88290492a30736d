// Writer of the engine's binary resource formats: mesh files (".me", versions 1
// and 2) and skeleton files (".sk"). The tests build their files with it and the
// data generator the game's meshes and skeletons.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace pisatel {

// The four vertex blocks of a mesh, in the file's units: 3 floats a position,
// 2 a texture coordinate, 3 a normal, 3 indices a triangle.
struct ДанныеМеша {
    std::vector<float> позиции;
    std::vector<float> текстурные_координаты;
    std::vector<float> нормали;
    std::vector<std::uint16_t> индексы;
};

struct ЗаписьВеса {
    std::uint16_t группа = 0;
    std::uint16_t вершина = 0;
    float вес = 0.0f;
};

struct КостьФайла {
    std::string имя;
    std::int16_t родитель = -1;
    std::array<float, 3> голова{};
    std::array<float, 3> хвост{};  // stored in the file; the engine does not read it
    std::array<float, 4> ориентация{1.0f, 0.0f, 0.0f, 0.0f};  // w, x, y, z
};

struct КриваяФайла {
    std::uint16_t номер_кости = 0;
    std::uint16_t тип_кривой = 0;
};

// Each row holds one value per curve, for the frames first, first + 1, ...
struct АнимацияФайла {
    std::string имя;
    std::int16_t первый_кадр = 0;
    std::int16_t последний_кадр = 0;
    std::vector<КриваяФайла> кривые;
    std::vector<std::vector<float>> строки;
};

// Thrown when the data cannot be written in the format: block lengths that
// disagree, counts or names too long for 16 bits, rows of the wrong length.
class ОшибкаПисателя : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Curve types: the component that a curve sets.
inline constexpr std::uint16_t ПЕРЕНОС_X = 1, ПЕРЕНОС_Y = 2, ПЕРЕНОС_Z = 4;
inline constexpr std::uint16_t ПОВОРОТ_W = 8, ПОВОРОТ_X = 16, ПОВОРОТ_Y = 32, ПОВОРОТ_Z = 64;
inline constexpr std::uint16_t МАСШТАБ_X = 128, МАСШТАБ_Y = 256, МАСШТАБ_Z = 512;

// The whole file as bytes. Weight records and curve bone numbers are written as
// given, even when they point outside the mesh or skeleton (tests need such files).
std::string меш_версии_1(const ДанныеМеша& меш);
std::string меш_версии_2(const ДанныеМеша& меш, const std::vector<std::string>& группы,
                         const std::vector<ЗаписьВеса>& веса);
std::string скелет(const std::vector<КостьФайла>& кости, const std::vector<АнимацияФайла>& анимации);

void записать(const std::filesystem::path& файл, const std::string& байты);

// Little-endian pieces, for building or patching files by hand.
void добавить_u16(std::string& байты, std::uint16_t значение);
void добавить_i16(std::string& байты, std::int16_t значение);
void добавить_f32(std::string& байты, float значение);
void заменить_u16(std::string& байты, std::size_t смещение, std::uint16_t значение);

// A ready mesh for tests and benchmarks: a strip of квадратов unit squares along
// x, two triangles each, 2 * (квадратов + 1) vertices with normals along z.
ДанныеМеша полоса_квадратов(std::size_t квадратов);

}  // namespace pisatel
