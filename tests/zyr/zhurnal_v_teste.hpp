// Runs a piece of code with the journal writing to a temporary file and returns
// what reached the file, so tests can check the lines a module writes.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "my_utils/journal.hpp"
#include "support/support.hpp"

namespace test_zhurnal {

template <class Действие>
std::string журнал_во_время(Действие&& действие,
                            my_utils::journal::УровниЖурнала уровень = my_utils::journal::УровниЖурнала::Ошибка) {
    test_support::ВременнаяПапка папка;
    const auto файл = папка / "журнал.log";
    my_utils::journal::инициализация_журнала(файл.string(), уровень, {});
    действие();
    my_utils::journal::завершить_журнал();
    return test_support::прочитать_файл(файл);
}

inline std::size_t сколько_раз(std::string_view текст, std::string_view образец) {
    std::size_t раз = 0;
    for (auto место = текст.find(образец); место != std::string_view::npos; место = текст.find(образец, место + 1)) {
        ++раз;
    }
    return раз;
}

}  // namespace test_zhurnal
