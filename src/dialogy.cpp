#include "src/dialogy.hpp"

#include <array>
#include <memory>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace dialogy {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

namespace {

// Centred in the lower part of the victory panel, under its frame, on the
// panel's backing "доска_очков": the panel draws its elements in the order of
// their names, so a backing must sort before "очки" to lie under the text.
constexpr float ОЧКИ_X = 0.2f;
constexpr float ОЧКИ_Y = 0.2f;
constexpr float ОЧКИ_Ш = 0.6f;
constexpr float ОЧКИ_В = 0.13f;
constexpr const char* ШРИФТ_ОЧКОВ = "LiberationSerif-Italic_40";
constexpr std::array<float, 3> ЦВЕТ_ОЧКОВ{0.8f, 0.0f, 0.4f};

}  // namespace

КонецИгры::КонецИгры() : ПростаяИнформационнаяПанель(true) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Состояние КонецИгры");
    инициализация_главной_инфопанели("конец_игры");
}

Победа::Победа(std::int32_t очки) : ПростаяИнформационнаяПанель(true) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Состояние Победа");
    инициализация_главной_инфопанели("победа");
    if (!главная_инфопанель_) return;
    auto текст = std::make_shared<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>("очки", false, ОЧКИ_X, ОЧКИ_Y,
                                                                                   ОЧКИ_Ш, ОЧКИ_В);
    текст->задать_текст(*zyr::менеджер, my_utils::format::sprintf("набрано %d очков", очки), ШРИФТ_ОЧКОВ, ЦВЕТ_ОЧКОВ);
    главная_инфопанель_->присоединить_элемент(текст);
}

}  // namespace dialogy
