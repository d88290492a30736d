#include "zyr/nastroyki_zyr.hpp"

namespace zyr::nastroyki_zyr {

НастройкиZyr настройки;

}  // namespace zyr::nastroyki_zyr
