#include "zyr/vis.hpp"

#include <algorithm>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/okno.hpp"
#include "zyr/zyr_manager.hpp"

namespace zyr::vis {

void Визуализатор::задать_цвет_фона(std::span<const float, 4> цвет) {
    std::copy(цвет.begin(), цвет.end(), цвет_фона_.begin());
}

void Визуализатор::настроить() {
    поверхность_создана();
    поверхность_изменилась();
}

void Визуализатор::визуализация(std::int64_t кадров) {
    std::int64_t нарисовано = 0;
    while (кадров != 0) {
        if (менеджер.обработка_событий()) break;
        менеджер.обновить_сцену();
        поверхность_изменилась();
        отрисовка_кадра();
        okno::обменять_окна();
        ++нарисовано;
        if (кадров > 0 && нарисовано >= кадров) break;
    }
    my_utils::journal::в_журнал("визуализатор", my_utils::journal::УровниЖурнала::Информация, [нарисовано] {
        return my_utils::format::sprintf("Закончили рендерить %s кадров", нарисовано);
    });
}

}  // namespace zyr::vis
