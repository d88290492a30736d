// Triangle meshes: the mesh file (".me", versions 1 and 2), meshes built from
// arrays in memory, skinned meshes moved by a skeleton, and the mesh registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "zyr/istochnik_resursov.hpp"
#include "zyr/resources.hpp"
#include "zyr/vector.hpp"

namespace zyr::skelet {
class Скелет;
struct СостояниеАнимацииКости;
}  // namespace zyr::skelet

namespace zyr::mesh {

class МешИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Vertex positions, texture coordinates, normals and 16-bit triangle indices,
// drawn from client-side arrays: either the four separate blocks or one array
// interleaved as GL_T2F_N3F_V3F (u, v, nx, ny, nz, x, y, z a vertex).
class Меш {
public:
    // Reads a version 1 file.
    Меш(const std::string& путь, bool отдельные_буферы);
    // Builds a version 1 mesh from arrays: 3 floats a position, 2 a texture
    // coordinate, 3 a normal (or none: zero normals) and 3 indices a triangle.
    // Arrays whose lengths disagree, counts above 65535 and indices outside the
    // vertices are refused with МешИсключение.
    Меш(std::span<const float> позиции, std::span<const float> текстурные_координаты, std::span<const float> нормали,
        std::span<const std::uint16_t> индексы, bool отдельные_буферы);
    // An own copy of the data block; always version 1.
    Меш(const Меш& другой);
    Меш& operator=(const Меш&) = delete;
    virtual ~Меш() = default;

    virtual void _присвоить_отдельные_буферы();
    virtual void _присвоить_чередующийся_буфер();
    // Client arrays must be enabled by the caller (the renderer does it).
    virtual void рисовать();
    virtual int количество_граней() const;
    virtual void присвоить_скелет(std::shared_ptr<skelet::Скелет> скелет);
    virtual bool установить_состояние_анимации(const std::string& имя, float кадр);
    virtual bool объединить_состояния_анимации(const std::string& имя1, float кадр1, const std::string& имя2,
                                               float кадр2, float доля);
    // One-way: drops the interleaved array and draws from the separate blocks.
    virtual void включить_отдельные_буферы();
    // Copies 2·N floats over the texture coordinates (further floats are
    // ignored); fewer than 2·N are refused with МешИсключение and change nothing.
    virtual void изменить_координаты_текстур(std::span<const float> координаты);
    virtual std::uint16_t версия() const;
    virtual std::string toString() const;

    void _присвоить_буферы();

    std::uint16_t количество_вершин() const { return вершин_; }
    bool отдельные_буферы() const { return отдельные_буферы_; }
    // When true, the mesh registry hands out copies after the first request.
    bool независимые_копии() const { return независимые_копии_; }
    void задать_независимые_копии(bool независимые) { независимые_копии_ = независимые; }

    // The four blocks as in the file: positions, texture coordinates, normals, indices.
    std::span<const std::byte> блок_данных() const { return блок_данных_; }
    std::span<const float> чередующийся_массив() const { return чередующийся_массив_; }
    // Where drawing takes each array from: 3·N, 2·N, 3·N floats and 3·F indices.
    const float* позиции() const { return позиции_; }
    const float* текстурные_координаты() const { return текстурные_координаты_; }
    const float* нормали() const { return нормали_; }
    const std::uint16_t* индексы() const { return индексы_; }
    const float* начало_чередующегося() const { return начало_чередующегося_; }

protected:
    // The blocks of a mesh file after its header, checked against the counts.
    struct БлокиФайла {
        std::vector<std::byte> блок;
        std::uint16_t вершин = 0;
        std::uint16_t граней = 0;
    };

    Меш(БлокиФайла блоки, std::uint16_t версия, bool отдельные_буферы, bool независимые_копии);

    // Copies the four blocks that start at `смещение` after checking their
    // length and every index (shared by the version 1 and 2 readers).
    static БлокиФайла взять_блоки(std::span<const std::byte> файл, std::size_t смещение, std::uint16_t вершин,
                                  std::uint16_t граней);

    float* позиции_ = nullptr;
    float* текстурные_координаты_ = nullptr;
    std::uint16_t* индексы_ = nullptr;
    float* нормали_ = nullptr;
    std::vector<std::byte> блок_данных_;
    std::vector<float> чередующийся_массив_;
    float* начало_чередующегося_ = nullptr;
    std::uint16_t граней_ = 0;
    std::uint16_t вершин_ = 0;
    bool отдельные_буферы_ = false;
    std::uint16_t версия_ = 1;
    bool независимые_копии_ = false;

private:
    static БлокиФайла прочитать_версию_1(const std::string& путь);
};

// A version 2 mesh: named vertex groups with per-vertex weights, moved on the
// processor by the bone states of a skeleton whose bone names match group names.
// Always drawn from separate arrays; normals are never moved.
class МешСоСкелетом : public Меш {
public:
    // Reads a version 2 file.
    explicit МешСоСкелетом(const std::string& путь);
    // Shares rest positions, group names, weights and skeleton with the source;
    // owns its data block and current positions. It has no bone groups until
    // `присвоить_скелет` is called on it, and then animates on its own.
    МешСоСкелетом(const МешСоСкелетом& другой);

    void рисовать() override;
    void присвоить_скелет(std::shared_ptr<skelet::Скелет> скелет) override;
    bool установить_состояние_анимации(const std::string& имя, float кадр) override;
    bool объединить_состояния_анимации(const std::string& имя1, float кадр1, const std::string& имя2, float кадр2,
                                       float доля) override;
    std::string toString() const override;

    struct ВесГруппы {
        std::uint16_t группа = 0;
        float вес = 0.0f;
    };

    const std::vector<std::string>& имена_групп() const { return *имена_групп_; }
    // Group numbers, ascending, whose name is a bone of the assigned skeleton.
    const std::vector<std::uint16_t>& группы_костей() const { return группы_костей_; }
    // The weights of one vertex by ascending group number (empty without records).
    std::span<const ВесГруппы> веса_вершины(std::uint16_t вершина) const;
    std::span<const vector::Вектор3> начальные_положения() const { return *начальные_положения_; }
    std::span<const vector::Вектор3> текущие_положения() const { return текущие_положения_; }
    const std::shared_ptr<skelet::Скелет>& скелет() const { return скелет_; }

private:
    // Vertex v's weights are записи[начало[v] .. начало[v + 1]).
    struct Веса {
        std::vector<std::uint32_t> начало;
        std::vector<ВесГруппы> записи;
    };
    struct ФайлСоСкелетом;

    static ФайлСоСкелетом прочитать_версию_2(const std::string& путь);
    explicit МешСоСкелетом(ФайлСоСкелетом файл);
    void применить_состояние(const std::map<std::string, skelet::СостояниеАнимацииКости>& состояние);

    std::shared_ptr<const std::vector<std::string>> имена_групп_;
    std::vector<std::uint16_t> группы_костей_;
    std::shared_ptr<const Веса> веса_;
    std::shared_ptr<const std::vector<vector::Вектор3>> начальные_положения_;
    std::vector<vector::Вектор3> текущие_положения_;
    std::shared_ptr<skelet::Скелет> скелет_;
    // Per group, the state that moves it in the current application (null when
    // it does not count); kept to avoid allocating on every frame.
    std::vector<const skelet::СостояниеАнимацииКости*> состояния_групп_;
};

// Reads at most the first 6 bytes and builds the reader of the file's version:
// version 1 on the interleaved array, version 2 as МешСоСкелетом.
std::shared_ptr<Меш> выбор_меша(const std::string& путь);

// The mesh part of an object description: "имя" (required), "тип_отрисовки",
// "независимые_копии", "скелет". Throws МешИсключение when the mesh cannot be had.
std::shared_ptr<Меш> меш_из_JSON(const nlohmann::json& описание, istochnik_resursov::ИсточникРесурсов& источник);

// The first request of a name gets the registry's own instance; later requests
// get it again, or a copy when its independent-copies flag is set.
class ЗагруженныеМеши : public resources::ЗагруженныеРесурсы<Меш> {
public:
    using ЗагруженныеРесурсы::ЗагруженныеРесурсы;

    bool загрузить_один(const std::string& имя) override;
    std::shared_ptr<Меш> получить(const std::string& имя) override;
};

}  // namespace zyr::mesh
