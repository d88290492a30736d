// TrueType fonts opened with SDL2_ttf at a point size, and their registry,
// which knows a font by the name "<file base name>_<point size>".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <SDL2/SDL_ttf.h>

#include "zyr/resources.hpp"

namespace zyr::zavisimost::shrift_SDL2 {

class TTFШрифт {
public:
    TTFШрифт() = default;
    virtual ~TTFШрифт();
    TTFШрифт(const TTFШрифт&) = delete;
    TTFШрифт& operator=(const TTFШрифт&) = delete;

    // A file that doesn't open leaves the font without a handle and writes the
    // reason to the journal; it raises nothing. The font library must be started.
    virtual void загрузить_из_файла(const std::string& путь, int размер);
    // The handle for the rendering calls; null when opening failed.
    virtual TTF_Font* opCall() const { return ручка; }

private:
    TTF_Font* ручка = nullptr;
};

// The base name and point size of a font name: the size follows the last "_"
// as a decimal integer with an optional sign. Empty when the name has no "_".
struct ЧастиИмениШрифта {
    std::string база;
    std::optional<std::int32_t> размер;  // empty when the text after "_" isn't such an integer
};
std::optional<ЧастиИмениШрифта> разобрать_имя_шрифта(std::string_view имя);

class ЗагруженныеTTFШрифты : public zyr::resources::ЗагруженныеРесурсы<TTFШрифт> {
public:
    using zyr::resources::ЗагруженныеРесурсы<TTFШрифт>::ЗагруженныеРесурсы;
    bool загрузить_один(const std::string& имя) override;
};

}  // namespace zyr::zavisimost::shrift_SDL2
