#include "src/sobytija.hpp"

namespace sobytija {

std::shared_ptr<СобытияИгры> события_игры;

bool СобытияИгры::обработка_всех_событий() {
    if (принудительный_выход_) return true;
    // Handlers unregister themselves and register the next state's handlers in
    // their place while they run; the base calls a copy of each table entry.
    return МинимальныйОбработчикСобытий::обработка_всех_событий();
}

bool СобытияИгры::управление_мышью() { return управление_мышью_включено_; }

void СобытияИгры::принудительно_выйти() { принудительный_выход_ = true; }

void СобытияИгры::включить_управление_мышью() { управление_мышью_включено_ = true; }

void СобытияИгры::выключить_управление_мышью() { управление_мышью_включено_ = false; }

}  // namespace sobytija
