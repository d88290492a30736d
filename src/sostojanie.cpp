#include "src/sostojanie.hpp"

#include <exception>
#include <utility>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/zyr.hpp"

namespace sostojanie {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

namespace {
constexpr const char* МОДУЛЬ = "состояние";
}  // namespace

void Состояние::пауза() {}

void Состояние::закрыть() { открыто_ = false; }

void Состояние::возобновить() { сбросить_результат_кадра(); }

РезультатКадра Состояние::обновление_сцены(float) { return результат_; }

void Состояние::сбросить_результат_кадра() { задать_результат(РезультатКадра{}); }

void Состояние::задать_результат(РезультатКадра результат) {
    std::shared_ptr<Состояние> прежнее = std::move(результат_.состояние);
    результат_ = std::move(результат);
    if (прежнее && прежнее != результат_.состояние) закрыть_брошенное(*прежнее);
}

sobytija::СобытияИгры& Состояние::события() {
    if (!sobytija::события_игры) throw std::logic_error("Нет события_игры: состояния работают при переключателе состояний");
    return *sobytija::события_игры;
}

void Состояние::закрыть_брошенное(Состояние& с) {
    if (с.в_стеке_ || !с.открыто_) return;
    // The state itself first: a result that carries its own state then ends the walk.
    с.закрыть();
    if (с.результат_.состояние) закрыть_брошенное(*с.результат_.состояние);
}

void Состояние::закрыть_при_удалении() noexcept {
    if (!открыто_) return;
    try {
        закрыть();
    } catch (const std::exception& ошибка) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return my_utils::format::sprintf("Состояние не закрылось: %s", ошибка.what()); });
    } catch (...) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, "Состояние не закрылось");
    }
}

ПереключательСостояний::ПереключательСостояний()
    : события_(zyr::zavisimost::sobytija_SDL2::создать<sobytija::СобытияИгры>()) {
    sobytija::события_игры = события_;
    if (zyr::менеджер) zyr::менеджер->задать_обработчик_событий(события_);
    // The switcher outlives its registration: its destructor removes it.
    события_->зарегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE, [this](SDL_Event событие) {
        return обработка_отжатия_клавиши_ESCAPE(событие);
    });
}

ПереключательСостояний::~ПереключательСостояний() {
    события_->разрегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE);
    // A destructor must not throw: a state that fails to close is written to the journal.
    while (!стек_.empty()) {
        const auto верх = стек_.back();
        try {
            закрыть_верх(*верх);
        } catch (const std::exception& ошибка) {
            в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                     [&] { return my_utils::format::sprintf("Состояние не закрылось: %s", ошибка.what()); });
        }
        стек_.pop_back();
        верх->в_стеке_ = false;
    }
}

void ПереключательСостояний::добавить_состояние(std::shared_ptr<Состояние> с) {
    if (!с || с->в_стеке_ || !с->открыто_) return;
    if (!стек_.empty()) стек_.back()->пауза();
    с->в_стеке_ = true;
    стек_.push_back(std::move(с));
}

void ПереключательСостояний::изменить_состояние(std::shared_ptr<Состояние> с) {
    // Marked first, so that closing the others never closes с as a state one of them carries.
    if (с) с->в_стеке_ = true;
    const auto прежний = std::exchange(стек_, {});
    for (const auto& состояние : прежний) {
        if (состояние == с) continue;
        закрыть_верх(*состояние);
        состояние->в_стеке_ = false;
    }
    if (с) стек_.push_back(std::move(с));
}

bool ПереключательСостояний::выход_из_состояния() {
    if (стек_.empty()) return true;
    // Held here: the stack may be the last owner, and закрыть runs first.
    const auto верх = стек_.back();
    закрыть_верх(*верх);
    стек_.pop_back();
    верх->в_стеке_ = false;
    if (стек_.empty()) return true;
    стек_.back()->возобновить();
    return false;
}

void ПереключательСостояний::обновление_сцены(float dt) {
    if (стек_.empty()) return;
    const auto верх = стек_.back();
    const РезультатКадра результат = верх->обновление_сцены(dt);
    switch (результат.тип) {
        case ТипРезультата::Выйти:
            if (выход_из_состояния()) события_->принудительно_выйти();
            break;
        case ТипРезультата::Добавить:
            добавить_состояние(результат.состояние);
            break;
        default:
            break;
    }
}

bool ПереключательСостояний::обработка_отжатия_клавиши_ESCAPE(SDL_Event) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Сработала клавиша Esc");
    return выход_из_состояния();
}

void ПереключательСостояний::закрыть_верх(Состояние& с) {
    if (с.результат_.состояние) Состояние::закрыть_брошенное(*с.результат_.состояние);
    if (с.открыто_) с.закрыть();
}

}  // namespace sostojanie
