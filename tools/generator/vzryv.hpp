// The explosion: a ball broken into fragments, each skinned to a bone of its own,
// and the skeleton whose animation "Action" flings them out, tumbling and shrinking.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/generator/geometrija.hpp"
#include "tools/pisatel.hpp"

namespace generator {

// A mesh with named vertex groups and skin weights (the version 2 mesh file).
struct ГеометрияСоСкелетом {
    Геометрия геометрия;
    std::vector<std::string> группы;
    std::vector<pisatel::ЗаписьВеса> веса;
};

// The content of a skeleton file.
struct ДанныеСкелета {
    std::vector<pisatel::КостьФайла> кости;
    std::vector<pisatel::АнимацияФайла> анимации;
};

inline constexpr int ОСКОЛКОВ = 12;
inline constexpr int ПЕРВЫЙ_КАДР_ВЗРЫВА = 1, ПОСЛЕДНИЙ_КАДР_ВЗРЫВА = 26;

// The fragments of a ball of radius 4.667, group k and bone k for fragment k.
ГеометрияСоСкелетом модель_взрыва();
// The skeleton with one root bone per fragment and the animation "Action".
ДанныеСкелета скелет_взрыва();

}  // namespace generator
