#include "zyr/zavisimost/shrift_SDL2.hpp"

#include <charconv>
#include <memory>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"

namespace zyr::zavisimost::shrift_SDL2 {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

namespace {
constexpr const char* МОДУЛЬ = "шрифт_SDL";
}

TTFШрифт::~TTFШрифт() {
    // Once the library is shut down FreeType has freed every face itself.
    if (ручка != nullptr && TTF_WasInit() > 0) TTF_CloseFont(ручка);
}

void TTFШрифт::загрузить_из_файла(const std::string& путь, int размер) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] { return fmt::sprintf("Щас шрифт %s грузить будем!", путь); });
    TTF_Font* новая = TTF_OpenFont(путь.c_str(), размер);
    if (ручка != nullptr && TTF_WasInit() > 0) TTF_CloseFont(ручка);
    ручка = новая;
    if (ручка == nullptr) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] {
            return fmt::sprintf("Шрифт %s_%d не загрузился. Ошибка: %s ", путь, размер, SDL_GetError());
        });
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] { return fmt::sprintf("Шрифт %s_%s загрузили!", путь, std::to_string(размер)); });
}

std::optional<ЧастиИмениШрифта> разобрать_имя_шрифта(std::string_view имя) {
    const auto черта = имя.rfind('_');
    if (черта == std::string_view::npos) return std::nullopt;
    ЧастиИмениШрифта части{std::string(имя.substr(0, черта)), std::nullopt};
    std::string_view размер = имя.substr(черта + 1);
    // from_chars takes a "-" sign but no "+"; a "+" is dropped unless a second sign follows it.
    if (размер.starts_with('+') && !размер.substr(1).starts_with('-')) размер.remove_prefix(1);
    std::int32_t значение = 0;
    const auto [конец, ошибка] = std::from_chars(размер.data(), размер.data() + размер.size(), значение);
    if (ошибка == std::errc() && конец == размер.data() + размер.size()) части.размер = значение;
    return части;
}

bool ЗагруженныеTTFШрифты::загрузить_один(const std::string& имя) {
    const auto части = разобрать_имя_шрифта(имя);
    if (!части) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Имя шрифта %s неверно построено.", имя); });
        return false;
    }
    if (!части->размер) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return fmt::sprintf("Размер шрифта %s не определяется.", имя); });
        return false;
    }
    const int размер = *части->размер;
    return загрузить_из_файла(имя, части->база, "TTF_шрифт", МОДУЛЬ, "Отсутствует файл шрифта %s",
                              "Ошибка в файле шрифта %s", [&](const std::string& путь) {
                                  auto шрифт = std::make_shared<TTFШрифт>();
                                  шрифт->загрузить_из_файла(путь, размер);
                                  return шрифт;
                              });
}

}  // namespace zyr::zavisimost::shrift_SDL2
