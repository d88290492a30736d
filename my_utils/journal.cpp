// Placeholder until the logging thread lands: records pass their threshold and are dropped.
#include "my_utils/journal.hpp"

namespace my_utils::journal {

ПараметрыЖурнала параметры_журнала;
std::vector<std::string> ошибки_конвертации_уровней_модулей;

bool будет_записано(std::string_view модуль, УровниЖурнала уровень) {
    const auto запись = параметры_журнала.уровни_модулей.find(std::string(модуль));
    const auto порог = запись != параметры_журнала.уровни_модулей.end() ? запись->second : параметры_журнала.общий_уровень;
    return static_cast<int>(уровень) <= static_cast<int>(порог);
}

void отправить_запись(std::string_view, УровниЖурнала, std::string_view) {}
void завершить_журнал() {}

}  // namespace my_utils::journal
