#include "zyr/zavisimost/sobytija_SDL2.hpp"

#include "my_utils/journal.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace zyr::zavisimost::sobytija_SDL2 {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

namespace {
constexpr const char* МОДУЛЬ = "события";
// The pair key under which every type with a type function keeps the stub.
constexpr std::int32_t КЛЮЧ_ЗАГЛУШКИ = -1;
}  // namespace

std::int32_t ключ_события(const SDL_Event& событие) {
    switch (событие.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: return событие.key.keysym.sym;
        case SDL_WINDOWEVENT: return событие.window.event;
        default: return КЛЮЧ_ЗАГЛУШКИ;
    }
}

bool ОбработчикСобытий::обработка() {
    // A function may install another handler in the manager while this pass runs.
    const auto держать = weak_from_this().lock();
    return обработка_всех_событий();
}

bool ОбработчикСобытий::обработка_всех_событий() {
    SDL_Event событие;
    if (SDL_PollEvent(&событие) == 0) return false;
    bool выход = false;
    do {
        if (!выход) выход = обработать_событие(событие);
    } while (SDL_PollEvent(&событие) != 0);
    return выход;
}

bool ОбработчикСобытий::заглушка(SDL_Event) { return false; }

bool ОбработчикСобытий::обработать_событие(const SDL_Event& событие) {
    const auto найдено = функции1.find(static_cast<std::int32_t>(событие.type));
    if (найдено == функции1.end()) return заглушка(событие);
    // The copy outlives the table entry, which the function may remove or replace.
    const ФункцияОбработки копия = найдено->second;
    return копия(событие);
}

bool ОбработчикСобытий::обработать_по_ключу(const SDL_Event& событие) {
    const auto тип = функции2.find(static_cast<std::int32_t>(событие.type));
    if (тип == функции2.end()) return заглушка(событие);
    const auto найдено = тип->second.find(ключ_события(событие));
    if (найдено == тип->second.end()) return заглушка(событие);
    const ФункцияОбработки копия = найдено->second;
    return копия(событие);
}

void ОбработчикСобытий::зарегистрировать_функцию1(std::int32_t тип, ФункцияОбработки функция_) {
    функции1.insert_or_assign(тип, std::move(функция_));
    функции2[тип].insert_or_assign(КЛЮЧ_ЗАГЛУШКИ, функция(&ОбработчикСобытий::заглушка));
}

void ОбработчикСобытий::разрегистрировать_функцию1(std::int32_t тип) {
    функции1.erase(тип);
    функции2.erase(тип);
}

void ОбработчикСобытий::зарегистрировать_функцию2(std::int32_t тип, std::int32_t ключ, ФункцияОбработки функция_) {
    функции2[тип].insert_or_assign(ключ, std::move(функция_));
}

void ОбработчикСобытий::разрегистрировать_функцию2(std::int32_t тип, std::int32_t ключ) {
    const auto найдено = функции2.find(тип);
    if (найдено != функции2.end()) найдено->second.erase(ключ);
}

bool ОбработчикСобытий::управление_мышью() { return false; }

void ОбработчикСобытий::_регистрация() {
    _регистратор_функций1();
    _регистратор_функций2();
}

bool МинимальныйОбработчикСобытий::обработка_отжатия_клавиши(SDL_Event событие) {
    return обработать_по_ключу(событие);
}

bool МинимальныйОбработчикСобытий::обработка_нажатия_клавиши(SDL_Event событие) {
    return обработать_по_ключу(событие);
}

bool МинимальныйОбработчикСобытий::обработка_выхода(SDL_Event) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Окно закрыто пользователем");
    return true;
}

bool МинимальныйОбработчикСобытий::обработка_события_окна(SDL_Event событие) {
    return обработать_по_ключу(событие);
}

bool МинимальныйОбработчикСобытий::обработка_минимизации_окна(SDL_Event) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Окно минимизировано");
    return false;
}

bool МинимальныйОбработчикСобытий::обработка_показа_окна(SDL_Event) {
    if (!okno_SDL2::SDL_окно_минимизировано()) okno_SDL2::SDL_восстановление_размеров_окна();
    return false;
}

void МинимальныйОбработчикСобытий::_регистратор_функций1() {
    зарегистрировать_функцию1(SDL_QUIT, функция(&МинимальныйОбработчикСобытий::обработка_выхода));
    зарегистрировать_функцию1(SDL_KEYUP, функция(&МинимальныйОбработчикСобытий::обработка_отжатия_клавиши));
    зарегистрировать_функцию1(SDL_KEYDOWN, функция(&МинимальныйОбработчикСобытий::обработка_нажатия_клавиши));
    зарегистрировать_функцию1(SDL_WINDOWEVENT, функция(&МинимальныйОбработчикСобытий::обработка_события_окна));
}

void МинимальныйОбработчикСобытий::_регистратор_функций2() {
    зарегистрировать_функцию2(SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED,
                              функция(&МинимальныйОбработчикСобытий::обработка_минимизации_окна));
    зарегистрировать_функцию2(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED,
                              функция(&МинимальныйОбработчикСобытий::обработка_показа_окна));
}

bool СтандартныйОбработчикСобытий::обработка_отжатия_клавиши_ESCAPE(SDL_Event) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Сработала клавиша Esc");
    return true;
}

void СтандартныйОбработчикСобытий::_регистрация() {
    МинимальныйОбработчикСобытий::_регистрация();
    зарегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE,
                              функция(&СтандартныйОбработчикСобытий::обработка_отжатия_клавиши_ESCAPE));
}

}  // namespace zyr::zavisimost::sobytija_SDL2
