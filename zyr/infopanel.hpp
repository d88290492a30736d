// Info panels: rectangles of the window drawn over the scene (menus, dialogs,
// the statistics display), each holding a tree of elements; and their registry.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "zyr/element_infopaneli.hpp"
#include "zyr/istochnik_resursov.hpp"
#include "zyr/resources.hpp"
#include "zyr/types.hpp"

namespace zyr::infopanel {

// Coordinates that cannot be placed in the window: a window without size, or a
// pixel value that is not a number or does not fit in 32 bits.
class ИнфопанельИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How x, y, ширина, высота of a panel are read. Fractions are of the window's
// width for x and ширина and of its height for y and высота (Относительно), or
// all of the width (ОтносительноX) or all of the height (ОтносительноY).
enum class ТипКоординат : std::int32_t {
    Абсолютно = 0,
    Относительно = 1,
    ОтносительноX = 2,
    ОтносительноY = 3,
};

// Placed in window pixels with the origin at the lower left corner (the frame
// of glViewport); inside, the unit square belongs to the root container.
class Инфопанель {
public:
    using Элемент = element_infopaneli::ЭлементИнфопанели::Указатель;

    // The resource source (the engine manager) must outlive the panel. The
    // rectangles stay zero until задать_координаты.
    Инфопанель(std::string имя, istochnik_resursov::ИсточникРесурсов& менеджер);
    // The same, then the coordinates as the base задать_координаты sets them;
    // throws ИнфопанельИсключение as it does.
    Инфопанель(std::string имя, istochnik_resursov::ИсточникРесурсов& менеджер, ТипКоординат тип, float x, float y,
               float ш, float в);
    virtual ~Инфопанель();
    Инфопанель(const Инфопанель&) = delete;
    Инфопанель& operator=(const Инфопанель&) = delete;

    // Both rectangles from the window size of this moment (a negative x or y
    // counts from the right or upper edge), then the root container's pixel
    // rectangle. Throws ИнфопанельИсключение, changing nothing, in a window
    // without width or height (after a journal error) and for a pixel value
    // that is not a number or does not fit in 32 bits.
    virtual void задать_координаты(ТипКоординат тип, float x, float y, float ш, float в);
    virtual void задать_видимость(bool видимость);
    virtual bool получить_видимость() const;
    virtual void поменять_видимость();
    virtual std::string получить_имя() const;
    // Forwarded to the root container.
    virtual void присоединить_элемент(const Элемент& элемент);
    virtual Элемент отсоединить_элемент(const Элемент& элемент);
    virtual Элемент отсоединить_элемент(const std::string& имя);
    virtual Элемент получить_элемент(const std::string& имя) const;
    // Sets the panel's viewport and unit-square projection and draws the root
    // container; nothing when the panel is invisible. Needs the OpenGL context.
    virtual void рисовать();
    // A point in window pixels (y up), edges included. Invisible panels answer too.
    virtual bool проверить_точку(int x, int y) const;
    // The point in the panel's unit square; not a number on an axis where the panel has no size.
    virtual types::Координаты2D<float> внутренние_координаты_точки(int x, int y) const;

    // A new, empty root container named after the panel with "_контейнер".
    void инициализация_контейнера();
    // Any text but the four member names gives Абсолютно.
    static ТипКоординат преобразовать_тип_координат(const std::string& текст);
    // The panel of a ".ip" description, or null when "имя" or "координаты" are
    // missing or wrong, or the coordinates cannot be placed. An element that
    // fails is left out (journal line) and the rest of the panel is built.
    static std::shared_ptr<Инфопанель> из_JSON(const nlohmann::json& описание,
                                               istochnik_resursov::ИсточникРесурсов& менеджер);

    std::string toString() const;

    // Read access for the renderer, menus and tests.
    ТипКоординат тип() const { return тип_; }
    float отн_x() const { return отн_x_; }
    float отн_y() const { return отн_y_; }
    float отн_ш() const { return отн_ш_; }
    float отн_в() const { return отн_в_; }
    std::int32_t x() const { return x_; }
    std::int32_t y() const { return y_; }
    std::int32_t ширина() const { return ширина_; }
    std::int32_t высота() const { return высота_; }
    const Элемент& контейнер() const { return контейнер_; }

protected:
    istochnik_resursov::ИсточникРесурсов* менеджер_ = nullptr;
    bool видимость_ = true;
    ТипКоординат тип_ = ТипКоординат::Абсолютно;
    float отн_x_ = 0.0f;
    float отн_y_ = 0.0f;
    float отн_ш_ = 0.0f;
    float отн_в_ = 0.0f;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t ширина_ = 0;
    std::int32_t высота_ = 0;
    std::string имя_;
    Элемент контейнер_;

private:
    void установить_координаты(ТипКоординат тип, float x, float y, float ш, float в);
};

// Panels by resource name (kind "инфопанель"): one panel per name, the same
// object on every request.
class ЗагруженныеИнфопанели : public resources::ЗагруженныеРесурсы<Инфопанель> {
public:
    // The source (the engine manager, which owns the registry) is handed to
    // every panel built and must outlive the registry.
    ЗагруженныеИнфопанели(std::shared_ptr<const resources::ИменаРесурсов> имена,
                          istochnik_resursov::ИсточникРесурсов& менеджер);

    // Every failure is written to the journal and answered with false.
    bool загрузить_один(const std::string& имя) override;

private:
    istochnik_resursov::ИсточникРесурсов& менеджер_;
};

}  // namespace zyr::infopanel
