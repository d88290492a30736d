#include "src/jadro.hpp"

#include "my_utils/format.hpp"

namespace jadro {

std::string Заряд::toString() const {
    return my_utils::format::sprintf("Заряд(цвет=%d, позиция=%s, поворот=%g, наклон=%g)",
                                     static_cast<std::int32_t>(цвет), позиция.toString(), поворот, наклон);
}

}  // namespace jadro
