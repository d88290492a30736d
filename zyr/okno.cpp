#include "zyr/okno.hpp"

#include <fmt/format.h>
#include <fmt/printf.h>

#include <limits>

#include "my_utils/journal.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace zyr::okno {

namespace sdl = zavisimost::okno_SDL2;

namespace {

template <class Поле>
Поле в_поле(const char* ключ, std::int64_t значение) {
    if (значение < static_cast<std::int64_t>(std::numeric_limits<Поле>::min()) ||
        значение > static_cast<std::int64_t>(std::numeric_limits<Поле>::max()))
        throw sdl::ОкноИсключение(
            fmt::sprintf("Значение настройки %s = %s не помещается в параметры окна", ключ, fmt::format("{}", значение)));
    return static_cast<Поле>(значение);
}

}  // namespace

types::ПараметрыОкна параметры_окна_из_настроек(const nastroyki_zyr::НастройкиZyr& настройки) {
    types::ПараметрыОкна п;
    const auto& размеры = настройки.размеры_окна();
    // The projection divides by the height and panels scale by both, so a size
    // that can't be a window falls back to 800 x 600 rather than reach them.
    const char* отказ = nullptr;
    if (размеры.size() < 2) отказ = "В размеры_окна меньше двух значений: окно 800x600";
    else if (размеры[0] <= 0 || размеры[1] <= 0) отказ = "В размеры_окна ширина или высота не больше нуля: окно 800x600";
    if (отказ == nullptr) {
        п.ширина = в_поле<std::int32_t>("размеры_окна", размеры[0]);
        п.высота = в_поле<std::int32_t>("размеры_окна", размеры[1]);
    } else {
        my_utils::journal::в_журнал("окно_SDL2", my_utils::journal::УровниЖурнала::Предупреждение, отказ);
        п.ширина = 800;
        п.высота = 600;
    }
    п.флаги = в_поле<std::uint32_t>("полный_экран", настройки.полный_экран());
    п.синхронизация = в_поле<std::int32_t>("синхронизация_экрана", настройки.синхронизация_экрана());
    п.режим_desktop = в_поле<std::int32_t>("режим_desktop", настройки.режим_desktop());
    п.имя = настройки.имя_окна();
    п.id_окна = 0;
    return п;
}

bool инициализация_окна() { return sdl::инициализация_окна_SDL_GL(параметры_окна_из_настроек(nastroyki_zyr::настройки)); }

void закрыть_окно() { sdl::SDL_выход(); }
void обменять_окна() { sdl::SDL_обменять_окна(); }
types::Координаты2D<std::int32_t> размеры_окна() { return {sdl::SDL_ширина_окна(), sdl::SDL_высота_окна()}; }
bool окно_минимизировано() { return sdl::SDL_окно_минимизировано(); }
void установить_мышь_в_центре() { sdl::SDL_установить_мышь_в_центре(); }
void включить_управление_мышью() { sdl::SDL_включить_управление_мышью(); }
void выключить_управление_мышью() { sdl::SDL_выключить_управление_мышью(); }
types::Координаты2D<std::int32_t> относительное_движение_мыши() {
    int x = 0;
    int y = 0;
    sdl::SDL_относительное_движение_мыши(x, y);
    return {x, y};
}
void восстановление_размеров_окна() { sdl::SDL_восстановление_размеров_окна(); }
void режимы_экрана_в_журнал() { sdl::SDL_режимы_экрана_в_журнал(); }
void изменить_режим_экрана(int номер) { sdl::SDL_изменить_режим_экрана(sdl::SDL_получить_окно(), номер); }

}  // namespace zyr::okno
