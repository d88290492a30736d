// Fuzzes the panel descriptions (".ip") through their registry, with an engine
// manager that has no window (an 800 x 600 window is assumed for placing) over a
// folder holding a picture. A description either loads or is refused with its
// journal lines. In a loaded panel every element hangs under the container that
// names it, and the point tests, the opaque-point test against the picture
// included, answer for points inside, on and outside every element.
#include <cstdlib>

#include "papka_resursov.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace {

using zyr::element_infopaneli::ЭлементИнфопанели;

volatile std::size_t сток = 0;

void проверить_элемент(const ЭлементИнфопанели::Указатель& элемент, const zyr::texture::ТекстураВПамяти& картинка) {
    std::size_t ответы = 0;
    for (const float доля : {-0.5f, 0.0f, 0.25f, 0.5f, 1.0f, 1.5f}) {
        const float x = элемент->отн_x() + доля * элемент->отн_ш();
        const float y = элемент->отн_y() + доля * элемент->отн_в();
        ответы += элемент->проверить_точку(x, y) + элемент->проверить_непрозрачную_точку(x, y, картинка);
    }
    ответы += элемент->проверить_точку(элемент->x(), элемент->y()) + элемент->проверить_точку(элемент->x() / 2, 0);
    for (const auto& [имя, ребёнок] : элемент->элементы()) {
        if (!ребёнок || ребёнок->получить_имя() != имя || ребёнок->родитель() != элемент) std::abort();
        проверить_элемент(ребёнок, картинка);
    }
    сток = ответы;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    zyr::zavisimost::okno_SDL2::параметры_окна.ширина = 800;
    zyr::zavisimost::okno_SDL2::параметры_окна.высота = 600;
    zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена{nullptr};
    const auto менеджер = papka_resursov::менеджер_с_файлом("проба.ip", данные, размер);
    const auto панель = менеджер->получить_инфопанель("проба");
    if (!панель) return 0;

    const auto картинка = менеджер->получить_текстуру_в_памяти(zatravki::ИМЯ_КАРТИНКИ);
    if (!картинка || !панель->контейнер() || панель->контейнер()->родитель()) std::abort();
    проверить_элемент(панель->контейнер(), *картинка);
    const auto внутри = панель->внутренние_координаты_точки(панель->x() / 2, панель->y());
    сток = панель->toString().size() + панель->проверить_точку(панель->x(), панель->y()) + (внутри.x < 1.0f);
    return 0;
}
