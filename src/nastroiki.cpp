#include "src/nastroiki.hpp"

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"

namespace nastroiki {

НастройкиИгры настройки;
std::uint32_t новый_номер = 0;

std::uint32_t получить_новый_номер() { return новый_номер++; }

void исправить_настройки_вне_float() {
    for (const std::string& ключ : настройки.восстановить_вне_float()) {
        my_utils::journal::в_журнал("настройки", my_utils::journal::УровниЖурнала::Предупреждение, [&] {
            return my_utils::format::sprintf(
                "Бесконечное или неопределённое значение настройки %s заменено значением по умолчанию", ключ);
        });
    }
}

}  // namespace nastroiki
