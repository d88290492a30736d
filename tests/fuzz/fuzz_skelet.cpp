// Fuzzes the skeleton reader: every input is either refused with
// СкелетИсключение or gives a skeleton whose animations can be sampled at any
// frame, including frames outside them and frames that are not numbers.
#include <limits>
#include <memory>

#include "fuzz_fail.hpp"
#include "zyr/skelet.hpp"

using zyr::skelet::Скелет;
using zyr::skelet::СкелетИсключение;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    std::unique_ptr<Скелет> скелет;
    try {
        скелет = std::make_unique<Скелет>(fuzz_fail::путь_с_данными(данные, размер));
    } catch (const СкелетИсключение&) {
        return 0;
    }

    int анимаций = 0;
    for (const auto& [имя, анимация] : скелет->анимации()) {
        if (++анимаций > 4) break;
        const float первый = анимация.первый_кадр;
        const float последний = анимация.последний_кадр;
        for (const float кадр : {первый - 1.0f, первый + 0.5f, (первый + последний) / 2.0f, последний - 0.25f,
                                 последний + 1.0f, -1e30f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity()}) {
            скелет->получить_состояние_анимации(имя, кадр);
        }
    }
    const auto имена = скелет->получить_имена_анимаций();
    if (!имена.empty()) скелет->объединить_состояния_анимации(имена.front(), 0.5f, имена.back(), 1.5f, 0.3f);
    скелет->получить_состояние_анимации("", 1.0f);
    скелет->toString();
    return 0;
}
