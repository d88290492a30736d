// The game's screens outside the field, each a game state on the menu classes:
// the start screen and the level selection before play, the game-over and the
// victory screens after it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "src/igrovoe_menu.hpp"

namespace dialogy {

// The journal module of every screen here.
inline constexpr std::string_view МОДУЛЬ = "диалоги";

// The first screen: "Игра" (or the release of Enter) opens the level selection,
// "Выход" leaves it, which ends the program. A screen whose panel or container
// is missing has no buttons; Enter still works.
class НачальнаяЗаставка : public igrovoe_menu::ИгровоеМеню {
public:
    // The menu's mouse handlers and the release of Enter.
    void регистрация_событий() override;
    void разрегистрация_событий() override;
    // Only the first button that fires acts.
    void индивидуальная_обработка_клавиши_мыши(SDL_Event событие, igrovoe_menu::Точка точка) override;
    void индивидуальная_обработка_движения_мыши(SDL_Event событие, igrovoe_menu::Точка точка) override;

    // Handlers off; the result pushes a new level selection.
    virtual void переход_к_выбору_уровня();
    virtual bool обработка_отжатия_клавиши_ENTER(SDL_Event событие);

    const std::optional<igrovoe_menu::Кнопка>& кнопка_игра() const { return кнопка_игра_; }
    const std::optional<igrovoe_menu::Кнопка>& кнопка_выход() const { return кнопка_выход_; }

protected:
    НачальнаяЗаставка();

private:
    // Absent when the panel lacks the button's element.
    std::optional<igrovoe_menu::Кнопка> кнопка_игра_;
    std::optional<igrovoe_menu::Кнопка> кнопка_выход_;
};

// Twelve level buttons; the one that fires pushes the field of its level.
class ВыборУровней : public igrovoe_menu::ИгровоеМеню {
public:
    static constexpr std::int32_t КОЛИЧЕСТВО_УРОВНЕЙ = 12;

    // A button with the level it starts: a level whose element is missing has
    // none, and the others keep their own levels.
    struct КнопкаУровня {
        std::int32_t уровень = 0;
        igrovoe_menu::Кнопка кнопка;
    };

    // Only the first button that fires acts: "Выбран уровень %d", handlers off,
    // and the result pushes the field, whose level-file exceptions reach the caller.
    void индивидуальная_обработка_клавиши_мыши(SDL_Event событие, igrovoe_menu::Точка точка) override;
    void индивидуальная_обработка_движения_мыши(SDL_Event событие, igrovoe_menu::Точка точка) override;

    const std::vector<КнопкаУровня>& кнопки_уровней() const { return кнопки_уровней_; }

protected:
    ВыборУровней();

private:
    std::vector<КнопкаУровня> кнопки_уровней_;
};

// Shown half a second after a life is lost; dismissed like any information panel.
class КонецИгры : public igrovoe_menu::ПростаяИнформационнаяПанель {
protected:
    КонецИгры();
};

// Shown when the level is cleared, with the score as the text element "очки"
// of its panel; the panel is shared by every victory of the run, so the
// element of an earlier victory is replaced. Without its panel it shows nothing.
class Победа : public igrovoe_menu::ПростаяИнформационнаяПанель {
protected:
    explicit Победа(std::int32_t очки);
};

}  // namespace dialogy
