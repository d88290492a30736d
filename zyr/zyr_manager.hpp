// The engine manager: the one object through which the game reaches the engine.
// It owns the renderer, the default camera, the scene roots, the resource
// registries, the event handler, the scene-update function and the panels on screen.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "zyr/istochnik_resursov.hpp"

namespace zyr::camera { class Камера; }
namespace zyr::mesto { class Место; }
namespace zyr::mesh { class ЗагруженныеМеши; }
namespace zyr::skelet { class ЗагруженныеСкелеты; }
namespace zyr::texture { class ЗагруженныеТекстуры; class ЗагруженныеВПамятьТекстуры; }
namespace zyr::resources { class ИменаРесурсов; }
namespace zyr::vis { class Визуализатор; }
namespace zyr::zavisimost::shrift_SDL2 { class ЗагруженныеTTFШрифты; }
namespace zyr::zyr_object { class ЗагруженныеОбъекты; }
namespace zyr::infopanel { class ЗагруженныеИнфопанели; }
namespace zyr::zavisimost::sobytija_SDL2 { class ОбработчикСобытий; }

namespace zyr::zyr_manager {

using Часы = std::chrono::steady_clock;  // CLOCK_MONOTONIC

// Whole microseconds between two readings of the monotonic clock: the elapsed
// time in 100-nanosecond units, divided by 10 with integer division.
std::int64_t микросекунды_между(Часы::time_point от, Часы::time_point до);

class ZYRМенеджер : public istochnik_resursov::ИсточникРесурсов {
public:
    // The scene-update function: the seconds since the previous update.
    using ФункцияОбновленияСцены = std::function<void(float)>;
    using Инфопанели = std::map<std::string, std::shared_ptr<infopanel::Инфопанель>>;

    // Builds the manager over the resource directories (scanning them) and
    // installs it as the current resource source. The renderer's set-up issues
    // OpenGL calls, so the window and its context come first; without a context
    // the set-up is skipped and only what needs no OpenGL works.
    static std::shared_ptr<ZYRМенеджер> создать(std::vector<std::string> каталоги_ресурсов);

    ~ZYRМенеджер() override;
    ZYRМенеджер(const ZYRМенеджер&) = delete;
    ZYRМенеджер& operator=(const ZYRМенеджер&) = delete;

    virtual bool обработка_событий_отсутствует() const;
    // Installs the standard handler when none is installed, then runs the
    // handler's event pass; true tells the frame loop to end.
    virtual bool обработка_событий();
    // Captures the mouse (hidden cursor, grab, relative mode) when the handler
    // asks for it, otherwise releases it and centres it in the window. The
    // handler's answer is read only here.
    virtual void задать_обработчик_событий(std::shared_ptr<zavisimost::sobytija_SDL2::ОбработчикСобытий> обработчик);
    virtual void задать_функцию_обновления_сцены(ФункцияОбновленияСцены функция);
    // Calls the scene-update function (when there is one) with the time since
    // the previous update, or since construction for the first call.
    virtual void обновить_сцену();

    std::shared_ptr<mesh::Меш> получить_меш(const std::string& имя) override;
    std::shared_ptr<skelet::Скелет> получить_скелет(const std::string& имя) override;
    std::shared_ptr<texture::Текстура> получить_текстуру(const std::string& имя) override;
    std::shared_ptr<texture::ТекстураВПамяти> получить_текстуру_в_памяти(const std::string& имя) override;
    std::shared_ptr<zyr_object::Объект> получить_объект(const std::string& имя) override;
    std::shared_ptr<zavisimost::shrift_SDL2::TTFШрифт> получить_ttf_шрифт(const std::string& имя) override;
    std::shared_ptr<infopanel::Инфопанель> получить_инфопанель(const std::string& имя) override;

    // Puts the panel on screen under its name, replacing a panel of that name.
    virtual void добавить_инфопанель(std::shared_ptr<infopanel::Инфопанель> панель);
    // Removes whatever panel is on screen under this panel's name.
    virtual void удалить_инфопанель(const std::shared_ptr<infopanel::Инфопанель>& панель);
    // A name not on screen changes nothing.
    virtual void удалить_инфопанель(const std::string& имя);
    virtual void удалить_все_инфопанели();
    // Draws the panels on screen in the order of their names, so a panel whose
    // name sorts later lies over one whose name sorts earlier.
    virtual void отрисовка_инфопанелей();

    // The time measurement of обновить_сцену: stores the present reading and
    // returns the seconds since the previous one.
    float подсчёт_времени();

    vis::Визуализатор& визуализатор() { return *визуализатор_; }
    // Null only while the renderer is being set up during construction.
    const std::shared_ptr<camera::Камера>& камера() const { return камера_; }
    // The scene root, drawn in the opaque and the transparent pass.
    const std::shared_ptr<mesto::Место>& начальное_место() const { return начальное_место_; }
    // The background root, drawn first, without depth test and lighting, turning with the camera.
    const std::shared_ptr<mesto::Место>& место_фона() const { return место_фона_; }
    // The node that carries the default camera; under neither root at start.
    const std::shared_ptr<mesto::Место>& место_камеры() const { return место_камеры_; }
    const resources::ИменаРесурсов& имена_ресурсов() const { return *имена_ресурсов_; }
    const std::shared_ptr<zavisimost::sobytija_SDL2::ОбработчикСобытий>& обработчик_событий() const {
        return обработчик_событий_;
    }
    // The panels on screen by name.
    const Инфопанели& инфопанели() const { return инфопанели_; }

protected:
    ZYRМенеджер() = default;
    // The construction steps, run by создать once the manager is owned.
    void построить(std::vector<std::string> каталоги_ресурсов);

private:
    std::unique_ptr<vis::Визуализатор> визуализатор_;
    std::shared_ptr<camera::Камера> камера_;
    std::shared_ptr<mesto::Место> начальное_место_;
    std::shared_ptr<mesto::Место> место_фона_;
    std::shared_ptr<mesto::Место> место_камеры_;
    std::shared_ptr<resources::ИменаРесурсов> имена_ресурсов_;
    std::unique_ptr<mesh::ЗагруженныеМеши> меши_;
    std::unique_ptr<skelet::ЗагруженныеСкелеты> скелеты_;
    std::unique_ptr<texture::ЗагруженныеТекстуры> текстуры_;
    std::unique_ptr<texture::ЗагруженныеВПамятьТекстуры> текстуры_в_памяти_;
    std::unique_ptr<zavisimost::shrift_SDL2::ЗагруженныеTTFШрифты> шрифты_;
    std::unique_ptr<infopanel::ЗагруженныеИнфопанели> инфопанели_реестр_;
    std::unique_ptr<zyr_object::ЗагруженныеОбъекты> объекты_;
    std::shared_ptr<zavisimost::sobytija_SDL2::ОбработчикСобытий> обработчик_событий_;
    ФункцияОбновленияСцены функция_обновления_сцены_;
    Инфопанели инфопанели_;
    Часы::time_point время_обновления_{};
};

}  // namespace zyr::zyr_manager
