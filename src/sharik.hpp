// The balls of the game: a coloured ball on scene nodes, the action ball, their
// places on a path, the ball material tables and the choice of action kinds.
#pragma once

#include <memory>
#include <vector>

namespace zyr::material {
class Материал;
}

namespace sharik {

using ТаблицаМатериалов = std::vector<std::shared_ptr<zyr::material::Материал>>;

// Indexed by colour number 0 to 5; entry c draws the texture number c + 1.
// Filled once at start-up. Main thread only.
extern ТаблицаМатериалов материалы_основные;    // opaque, for plain balls
extern ТаблицаМатериалов материалы_действующие;  // transparent, for action balls

// Appends six materials to each table: "текстура_шарик%d" (opaque) and
// "текстура_прозрачный_шарик%d" (transparent), specular (0.5, 0.5, 0.5, 1), shininess 12.5.
void инициализация_материалов_шариков();

}  // namespace sharik
