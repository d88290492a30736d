// The journal: levelled, per-module records that a logging thread of its own
// writes to one text file in time order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace my_utils::journal {

enum class УровниЖурнала : std::int32_t {
    КритическаяОшибка = 0,
    Ошибка = 1,
    Предупреждение = 2,
    Информация = 3,
    Отладка = 4,
};

struct ПараметрыЖурнала {
    УровниЖурнала общий_уровень = УровниЖурнала::Предупреждение;
    std::map<std::string, УровниЖурнала> уровни_модулей;
    std::string формат_модуля;
    std::string продолжение_строки;
};

inline constexpr std::int32_t РАЗМЕР_БУФЕРА = 10;
inline constexpr std::int32_t РАЗМЕР_ВЫГРУЗКИ = 1;
inline constexpr std::int32_t РАЗМЕР_ПОЧТОВОГО_ЯЩИКА = 300;
inline constexpr float МНОЖИТЕЛЬ_ВРЕМЕНИ = 1e7f;

// Written by the start on the main thread before anyone else writes, read-only afterwards.
extern ПараметрыЖурнала параметры_журнала;
extern std::vector<std::string> ошибки_конвертации_уровней_модулей;

void строковая_инициализация_журнала(const std::string& файл, const std::string& общий_уровень,
                                     const std::map<std::string, std::string>& уровни_модулей);
void инициализация_журнала(const std::string& файл, УровниЖурнала общий,
                           const std::map<std::string, УровниЖурнала>& уровни);
std::map<std::string, УровниЖурнала> конвертация_уровней_модулей(const std::map<std::string, std::string>& уровни);

// True when a record of this level from this module passes its threshold.
bool будет_записано(std::string_view модуль, УровниЖурнала уровень);

// Formats the line and hands it to the logging thread; the threshold is already passed.
void отправить_запись(std::string_view модуль, УровниЖурнала уровень, std::string_view сообщение);

// The call every module uses. The message is a callable returning the text; it
// is invoked at most once, and only when the record passes its threshold. A
// ready string is accepted too. Never fails towards the caller.
template <class Сообщение>
void в_журнал(std::string_view модуль, УровниЖурнала уровень, Сообщение&& сообщение) {
    if (!будет_записано(модуль, уровень)) return;
    if constexpr (std::is_invocable_v<Сообщение&>) {
        const std::string текст = std::forward<Сообщение>(сообщение)();
        отправить_запись(модуль, уровень, текст);
    } else {
        отправить_запись(модуль, уровень, std::string_view(сообщение));
    }
}

std::string журнал_многострочное_форматирование(std::string_view текст);
std::string заголовок();
void остановить_журнал();
std::int64_t текущее_время();

// Ends the logging thread after it has written every record sent so far.
// Safe to call more than once and when the journal never started.
void завершить_журнал();

// Owned by main: ends the journal when main's scope is left, however it is left.
class ОхранаЖурнала {
public:
    ОхранаЖурнала() = default;
    ~ОхранаЖурнала() { завершить_журнал(); }
    ОхранаЖурнала(const ОхранаЖурнала&) = delete;
    ОхранаЖурнала& operator=(const ОхранаЖурнала&) = delete;
};

}  // namespace my_utils::journal
