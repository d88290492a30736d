// Fuzzes the object descriptions (".ob") through their registry, with an engine
// manager that has no window over a folder of loadable meshes, a skeleton and a
// picture. A description either loads or is refused with its journal lines; a
// loaded object has a mesh and a material, and every later request of the name
// gets a new object sharing both.
#include <cstdlib>

#include "papka_resursov.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"
#include "zyr/zyr_object.hpp"

namespace {

volatile std::size_t сток = 0;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена{nullptr};
    const auto менеджер = papka_resursov::менеджер_с_файлом("проба.ob", данные, размер);
    const auto объект = менеджер->получить_объект("проба");
    if (!объект) return 0;

    const auto меш = объект->получить_меш();
    const auto материал = объект->получить_материал();
    if (!меш || !материал) std::abort();
    const auto копия = менеджер->получить_объект("проба");
    if (!копия || копия == объект || копия->получить_меш() != меш || копия->получить_материал() != материал)
        std::abort();
    сток = материал->toString().size() + static_cast<std::size_t>(копия->количество_граней()) +
           меш->количество_вершин();
    return 0;
}
