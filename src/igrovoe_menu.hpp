// The common ground of the screens other than the field: a state showing one
// main info panel, a menu that routes the mouse to its buttons in the panel's
// own coordinates, an information panel the player dismisses, and the
// three-state button drawn from rectangles of a texture atlas.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "src/sostojanie.hpp"
#include "zyr/types.hpp"

namespace zyr::infopanel { class Инфопанель; }
namespace zyr::element_infopaneli { class ЭлементИнфопанели; }
namespace zyr::texture { class Текстура; class ТекстураВПамяти; }

namespace igrovoe_menu {

using Точка = zyr::types::Координаты2D<float>;

// Shows its main panel while on top, takes it off the screen while paused and
// removes it when closed. A menu whose panel resource is missing shows nothing
// and skips the panel everywhere. Subclasses call инициализация_главной_инфопанели
// in their constructors; their handlers are bound after construction
// (регистрация_событий, through создать_состояние).
class БазовоеИгровоеМеню : public sostojanie::Состояние {
public:
    // The panel leaves the screen; the handlers stay until the state above replaces them.
    void пауза() override;
    // Panel and handlers removed.
    void закрыть() override;
    // Result reset, the screen cleared (with the clear flag), the panel shown and
    // the handlers bound again, since the state above replaced and removed them.
    void возобновить() override;

    // Asks the engine manager for the panel and shows it, first removing every
    // panel on screen when the clear flag is set.
    virtual void инициализация_главной_инфопанели(const std::string& имя);
    virtual void регистрация_событий() {}
    virtual void разрегистрация_событий() {}

    const std::shared_ptr<zyr::infopanel::Инфопанель>& главная_инфопанель() const { return главная_инфопанель_; }

protected:
    explicit БазовоеИгровоеМеню(bool очистка);
    void _регистрация() override { регистрация_событий(); }

    std::shared_ptr<zyr::infopanel::Инфопанель> главная_инфопанель_;
    // Showing the menu removes every other panel on screen.
    bool очистка_ = true;
};

// A menu of buttons: the left button's presses and releases and every mouse
// motion reach the subclass as points in the main panel's unit square. Without
// a main panel the mouse is ignored.
class ИгровоеМеню : public БазовоеИгровоеМеню {
public:
    // Mouse button up and down and mouse motion.
    void регистрация_событий() override;
    void разрегистрация_событий() override;

    // Press and release of the left button; the subclass tells them apart by the event type.
    virtual bool обработка_клавиши_мыши(SDL_Event событие);
    virtual bool обработка_движения_мыши(SDL_Event событие);
    virtual void индивидуальная_обработка_клавиши_мыши(SDL_Event, Точка) {}
    virtual void индивидуальная_обработка_движения_мыши(SDL_Event, Точка) {}

protected:
    explicit ИгровоеМеню(bool очистка) : БазовоеИгровоеМеню(очистка) {}

private:
    // A window position (y down from the top) in the panel's unit square.
    Точка точка_панели(std::int32_t x, std::int32_t y) const;
};

// A panel dismissed by the release of Space, Enter or the left mouse button:
// its result becomes Выйти. It needs no panel for that.
class ПростаяИнформационнаяПанель : public БазовоеИгровоеМеню {
public:
    void регистрация_событий() override;
    void разрегистрация_событий() override;

    virtual bool обработка_отжатия_клавиши_выхода(SDL_Event событие);
    virtual bool обработка_клавиши_мыши(SDL_Event событие);

protected:
    explicit ПростаяИнформационнаяПанель(bool очистка) : БазовоеИгровоеМеню(очистка) {}
};

enum class СостояниеКнопки : std::int32_t {
    Обычное = 0,
    ПодУказателем = 1,
    Нажатое = 2,
};

// A button on a panel element. It fires when the left button goes down on it
// and comes up on it without the pointer leaving it in between. Until its state
// first changes the element shows what the panel description gives it.
class Кнопка {
public:
    // Per state (Обычное, ПодУказателем, Нажатое): a texture (null keeps the
    // element's) and a texture rectangle of four floats as the element takes
    // them. With the opaque-pixel test and an image, only points on opaque
    // pixels of the image count as on the button.
    Кнопка(std::string имя, std::shared_ptr<zyr::element_infopaneli::ЭлементИнфопанели> элемент,
           std::array<std::shared_ptr<zyr::texture::Текстура>, 3> текстуры, std::array<float, 12> координаты_текстуры,
           std::shared_ptr<zyr::texture::ТекстураВПамяти> картинка, bool проверка_непрозрачности);
    virtual ~Кнопка() = default;

    // A mouse event (SDL type) at a point in the panel's unit square; true when
    // the button fires. A button without element never reacts.
    virtual bool обработка_события_мыши(std::int32_t тип, Точка точка);

    // The steps of обработка_события_мыши, each given whether the point is on the button.
    void изменение_текстуры(СостояниеКнопки состояние);
    bool обработка_движения_мыши(bool внутри);
    bool обработка_нажатия_клавиши_мыши(bool внутри);
    bool обработка_отжатия_клавиши_мыши(bool внутри);

    const std::string& имя() const { return имя_; }
    СостояниеКнопки состояние() const { return состояние_; }
    bool нажата() const { return нажата_; }

private:
    std::shared_ptr<zyr::element_infopaneli::ЭлементИнфопанели> элемент_;
    std::string имя_;
    bool нажата_ = false;
    bool проверка_непрозрачности_ = false;
    СостояниеКнопки состояние_ = СостояниеКнопки::Обычное;
    std::array<std::shared_ptr<zyr::texture::Текстура>, 3> текстуры_;
    std::array<float, 12> координаты_текстуры_{};
    std::shared_ptr<zyr::texture::ТекстураВПамяти> картинка_;
};

}  // namespace igrovoe_menu
