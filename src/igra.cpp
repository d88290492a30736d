#include "src/igra.hpp"

#include <exception>
#include <iostream>

#include "my_utils/journal.hpp"
#include "src/dialogy.hpp"
#include "src/nastroiki.hpp"
#include "zyr/okno.hpp"
#include "zyr/vis.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr_manager.hpp"

namespace igra {

sostojanie::ПереключательСостояний* переключатель_состояний = nullptr;

void обновление_сцены(float dt) {
    if (переключатель_состояний) переключатель_состояний->обновление_сцены(dt);
}

void запуск() {
    auto& настройки = nastroiki::настройки;
    // A missing or unreadable file keeps the defaults; the reader says so itself.
    настройки.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК, '\n');
    my_utils::journal::строковая_инициализация_журнала(настройки.файл_журнала(), настройки.общий_уровень(),
                                                     настройки.уровни_модулей());
    nastroiki::исправить_настройки_вне_float();
    zyr::инициализация_zyr(настройки.ресурсы(), "");
    переключатель_состояний = new sostojanie::ПереключательСостояний();
    переключатель_состояний->добавить_состояние(sostojanie::создать_состояние<dialogy::НачальнаяЗаставка>());
    zyr::менеджер->задать_функцию_обновления_сцены(обновление_сцены);
    построить_таблицы_материалов();
}

int главная() {
    try {
        запуск();
        zyr::менеджер->визуализатор().визуализация(-1);
        // Destroys the window of параметры_окна.id_окна with its context, then SDL_Quit.
        zyr::okno::закрыть_окно();
        // Nothing is released after that: a texture's destructor calls OpenGL, whose
        // context is gone. The manager owns every loaded resource (and the panels
        // with their text textures), so it is kept past the statics' destruction.
        new std::shared_ptr<zyr::zyr_manager::ZYRМенеджер>(zyr::менеджер);
        return 0;
    } catch (const zyr::zavisimost::okno_SDL2::ОкноИсключение& ошибка) {
        std::cerr << ошибка.what() << std::endl;
        if (!ошибка.причина().empty()) std::cerr << ошибка.причина() << std::endl;
    } catch (const std::exception& ошибка) {
        std::cerr << ошибка.what() << std::endl;
    } catch (...) {
        std::cerr << "Неизвестная ошибка" << std::endl;
    }
    return 1;
}

}  // namespace igra
