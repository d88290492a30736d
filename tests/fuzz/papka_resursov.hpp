// The resource folder of the object and panel fuzzers: the meshes, skeleton and
// picture that the seeds name, and the description under test, written anew for
// every input. A fresh engine manager without a window is built over it for
// each input, so no input sees what an earlier one loaded.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include "fuzz_fail.hpp"
#include "zatravki.hpp"
#include "zyr/zyr_manager.hpp"

namespace papka_resursov {

inline void заполнить(const std::filesystem::path& путь) {
    const auto меши = zatravki::меши();
    for (std::size_t i = 0; i < меши.size(); ++i)
        pisatel::записать(путь / (zatravki::ИМЕНА_МЕШЕЙ.at(i) + ".me"), меши[i]);
    pisatel::записать(путь / (std::string(zatravki::ИМЯ_СКЕЛЕТА) + ".sk"), zatravki::скелет());

    // 4 x 4 pixels, the left half transparent: the panels' opaque-point test reads both kinds.
    SDL_Surface* картинка = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_RGBA32);
    if (картинка == nullptr) std::abort();
    for (int ряд = 0; ряд < 4; ++ряд) {
        auto* пиксели = static_cast<std::uint32_t*>(картинка->pixels) + ряд * картинка->pitch / 4;
        for (int столбец = 0; столбец < 4; ++столбец) пиксели[столбец] = столбец < 2 ? 0x00FFFFFFu : 0xFF8040C0u;
    }
    const auto файл = путь / (std::string(zatravki::ИМЯ_КАРТИНКИ) + ".png");
    if (IMG_SavePNG(картинка, файл.c_str()) != 0) std::abort();
    SDL_FreeSurface(картинка);
}

inline const fuzz_fail::Папка& папка() {
    static const fuzz_fail::Папка готовая;
    static const bool заполнена = (заполнить(готовая.путь()), true);
    static_cast<void>(заполнена);
    return готовая;
}

// Writes the input as the resource имя (with its extension) and builds a manager over the folder.
inline std::shared_ptr<zyr::zyr_manager::ZYRМенеджер> менеджер_с_файлом(const std::string& имя_файла,
                                                                         const std::uint8_t* данные,
                                                                         std::size_t размер) {
    fuzz_fail::записать(папка().путь() / имя_файла, данные, размер);
    return zyr::zyr_manager::ZYRМенеджер::создать({папка().путь().string()});
}

}  // namespace papka_resursov
