// The game's screens outside the field, each a game state on the menu classes:
// the game-over and the victory screens shown after play.
#pragma once

#include <cstdint>
#include <string_view>

#include "src/igrovoe_menu.hpp"

namespace dialogy {

// The journal module of every screen here.
inline constexpr std::string_view МОДУЛЬ = "диалоги";

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
