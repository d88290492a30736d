#include "src/nastroiki.hpp"

namespace nastroiki {

НастройкиИгры настройки;
std::uint32_t новый_номер = 0;

std::uint32_t получить_новый_номер() { return новый_номер++; }

}  // namespace nastroiki
