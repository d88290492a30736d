// Info-panel elements: textured rectangles placed in the unit square of their
// parent, forming a tree under a panel's root container; they answer point tests.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "zyr/istochnik_resursov.hpp"
#include "zyr/types.hpp"

namespace zyr::mesh { class Меш; }
namespace zyr::texture { class Текстура; class ТекстураВПамяти; }

namespace zyr::element_infopaneli {

// A pixel size that is not a number or does not fit in 32 bits.
class ЭлементИнфопанелиИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Elements nested deeper than this in a description are skipped: drawing pushes
// one OpenGL matrix a level, and the modelview stack is only sure to hold 32.
// The game's panels nest two deep.
inline constexpr int НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ = 16;

// Elements live in std::shared_ptr: a container hands itself to its children as
// their parent. The parent link does not own.
class ЭлементИнфопанели : public std::enable_shared_from_this<ЭлементИнфопанели> {
public:
    using Указатель = std::shared_ptr<ЭлементИнфопанели>;

    // The rectangle (x, y, ш, в) is in the parent's unit square; a negative x or
    // y counts from the parent's right or upper edge. The constructor stores it
    // as the base задать_координаты does, whatever a subclass overrides.
    ЭлементИнфопанели(std::string имя, bool контейнер, float x, float y, float ш, float в);
    // The whole parent.
    ЭлементИнфопанели(std::string имя, bool контейнер);
    virtual ~ЭлементИнфопанели();
    ЭлементИнфопанели(const ЭлементИнфопанели&) = delete;
    ЭлементИнфопанели& operator=(const ЭлементИнфопанели&) = delete;

    virtual Указатель родитель() const;
    // Sets the parent and, when there is one, takes the pixel rectangle from its pixel size.
    virtual void родитель(const Указатель& р);
    // Stores the unit-square rectangle; the pixel rectangle is not recomputed.
    virtual void задать_координаты(float x, float y, float ш, float в);
    // The pixel rectangle from a parent of that pixel size. Children are not recomputed.
    virtual void рассчитать_абсолютные_координаты(int ширина, int высота);
    virtual void рассчитать_абсолютные_координаты(types::Координаты2D<int> размер);
    virtual types::Координаты2D<int> абсолютные_размеры() const;
    // Fits the element to a size in pixels inside its parent; past the parent's
    // right or upper edge it is clipped and shows only the part of its texture
    // that fits. Does nothing without a parent of a positive size. An existing
    // mesh follows the texture rectangle.
    virtual void задать_абсолютные_размеры(int ширина, int высота);
    // (u_left, v_top) is shown at the upper left corner, (u_right, v_bottom) at
    // the lower right; an existing mesh follows.
    virtual void задать_координаты_текстуры(float u_left, float v_top, float u_right, float v_bottom);
    virtual void задать_координаты_текстуры(const std::array<float, 4>& координаты);
    // Back to (0, 0, 1, 1); an existing mesh follows.
    virtual void инициализация_координат_текстуры();
    virtual void создать_меш();
    virtual void задать_видимость(bool видимость);
    virtual bool получить_видимость() const;
    virtual void поменять_видимость();
    virtual std::string получить_имя() const;
    virtual void задать_текстуру(std::shared_ptr<texture::Текстура> текстура);
    // Draws the element and, for a container, its children inside the element's
    // rectangle in the order of their names, each over those before it, however
    // they were attached; nothing when it is invisible. A texture without an
    // image draws nothing of the element itself. Needs the OpenGL context.
    virtual void рисовать();
    virtual bool является_контейнером() const;

    // Container operations; on an element that is not a container they do
    // nothing or yield null. An element that already has a parent is not
    // attached again; a child of the same name is replaced. An element whose
    // pixel rectangle can't be computed throws ЭлементИнфопанелиИсключение
    // and is left as it was, without a parent and outside the map.
    virtual void присоединить_элемент(const Указатель& элемент);
    virtual Указатель отсоединить_элемент(const Указатель& элемент);
    virtual Указатель отсоединить_элемент(const std::string& имя);
    // Direct children only.
    virtual Указатель получить_элемент(const std::string& имя) const;

    // Edges included. The int form takes a point in the parent's pixels, the
    // float form one in the parent's unit square (false for a coordinate that is
    // not a number).
    virtual bool проверить_точку(int x, int y) const;
    virtual bool проверить_точку(float x, float y) const;
    // The float point test, and then the alpha of the image's pixel under the
    // point is not 0. An image that is not RGBA counts as opaque; one without
    // pixels as transparent. Points on the far edges read the last column or row.
    virtual bool проверить_непрозрачную_точку(float x, float y, const texture::ТекстураВПамяти& картинка) const;

    // Builds an element (with its children, for a container) from its
    // description; null, after a journal line, when "имя" or "координаты" are
    // missing or wrong. Lesser faults, children nested deeper than
    // НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ among them, are written to the journal and skipped.
    static Указатель из_JSON(const nlohmann::json& описание, istochnik_resursov::ИсточникРесурсов& менеджер);
    // Attaches an element built from a description; one that can't be placed in
    // the container (its pixel size is no 32-bit number) is left out with the
    // journal line of a failed element, and false returned.
    static bool присоединить_из_описания(ЭлементИнфопанели& контейнер, const Указатель& элемент);

    std::string toString() const;

    // Read access for drawing and tests.
    float отн_x() const { return отн_x_; }
    float отн_y() const { return отн_y_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    float отн_ш() const { return отн_ш_; }
    float отн_в() const { return отн_в_; }
    const std::array<float, 4>& координаты_текстуры() const { return координаты_текстуры_; }
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    const std::map<std::string, Указатель>& элементы() const { return элементы_; }
    const std::shared_ptr<texture::Текстура>& текстура() const { return текстура_; }
    const std::shared_ptr<mesh::Меш>& меш() const { return меш_; }

protected:
    // The quad's twelve texture coordinates, vertex by vertex, from the texture rectangle.
    std::array<float, 12> _преобразовать_координаты_текстур() const;
    // Every change of the texture rectangle reaches a mesh already made, so
    // that a text that grows or shrinks after its first drawing stays clipped
    // right instead of squeezed or cut short.
    void обновить_меш();

    bool видимость_ = true;
    float отн_x_ = 0.0f;
    float отн_y_ = 0.0f;
    float x2_ = 0.0f;
    float y2_ = 0.0f;
    float отн_ш_ = 0.0f;
    float отн_в_ = 0.0f;
    // u_left, v_top, u_right, v_bottom.
    std::array<float, 4> координаты_текстуры_{0.0f, 0.0f, 1.0f, 1.0f};
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t ширина_ = 0;
    std::int32_t высота_ = 0;
    std::string имя_;
    bool это_контейнер_ = false;
    std::map<std::string, Указатель> элементы_;
    std::shared_ptr<texture::Текстура> текстура_;
    std::shared_ptr<mesh::Меш> меш_;
    std::weak_ptr<ЭлементИнфопанели> родитель_;

private:
    // The description of an element at this depth below a root container (whose children are at 1).
    static Указатель из_JSON(const nlohmann::json& описание, istochnik_resursov::ИсточникРесурсов& менеджер,
                             int глубина);
};

}  // namespace zyr::element_infopaneli
