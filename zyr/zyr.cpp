#include "zyr/zyr.hpp"

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/vis.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace zyr {

bool окно_инициализировано = false;
std::shared_ptr<zyr_manager::ZYRМенеджер> менеджер;

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
constexpr const char* МОДУЛЬ = "zyr";

// ["a", "b"]
std::string список_в_кавычках(const std::vector<std::string>& список) {
    std::string текст = "[";
    for (std::size_t i = 0; i < список.size(); ++i) {
        if (i > 0) текст += ", ";
        текст += '"' + список[i] + '"';
    }
    return текст + "]";
}

}  // namespace

bool инициализация_zyr(const std::vector<std::string>& ресурсы, const std::string& файл_настроек) {
    auto& настройки = nastroyki_zyr::настройки;
    настройки.прочитать_настройки_из_файла(файл_настроек.empty() ? nastroyki_zyr::ФАЙЛ_НАСТРОЕК : файл_настроек,
                                           '\n');
    if (!настройки.ошибочные_переменные().empty()) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Предупреждение, [&] {
            return my_utils::format::sprintf("Незагруженные переменные конфигурации zyr: %s",
                                             список_в_кавычках(настройки.ошибочные_переменные()));
        });
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] {
        return my_utils::journal::журнал_многострочное_форматирование("настройки zyr = \n" + настройки.toString());
    });

    окно_инициализировано = zavisimost::okno_SDL2::инициализация_окна_SDL_GL(okno::параметры_окна_из_настроек(настройки));
    if (окно_инициализировано) менеджер = zyr_manager::ZYRМенеджер::создать(ресурсы);
    return окно_инициализировано;
}

bool запустить_визуализацию(std::int64_t кадров) {
    if (!менеджер) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "Визуализация без менеджера: инициализация_zyr не прошла");
        return false;
    }
    менеджер->визуализатор().визуализация(кадров);
    okno::закрыть_окно();
    return true;
}

}  // namespace zyr
