// The engine's settings record, read from "настройки_zyr.cfg" by the engine start.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "my_utils/nastroyki_struct.hpp"

namespace zyr::nastroyki_zyr {

using my_utils::nastroyki_struct::ОписаниеНастройки;
using my_utils::nastroyki_struct::ТипНастройки;

inline constexpr const char* ФАЙЛ_НАСТРОЕК = "настройки_zyr.cfg";

inline constexpr std::array<ОписаниеНастройки, 6> ОПИСАНИЯ{{
    {ТипНастройки::массив_long, "размеры_окна", "[800, 600]"},
    {ТипНастройки::string_, "общий_уровень", "\"Информация\""},
    {ТипНастройки::string_, "имя_окна", "\"Тест ZYR\""},
    {ТипНастройки::long_, "полный_экран", "0"},
    {ТипНастройки::long_, "синхронизация_экрана", "1"},
    {ТипНастройки::long_, "режим_desktop", "1"},
}};

// One accessor per key, named as the key; before the first read each gives its default.
class НастройкиZyr : public my_utils::nastroyki_struct::Настройки {
public:
    НастройкиZyr() : Настройки(ОПИСАНИЯ) {}

    // Window width and height in pixels.
    const std::vector<std::int64_t>& размеры_окна() const { return получить_массив_long("размеры_окна"); }
    const std::string& общий_уровень() const { return получить_string("общий_уровень"); }
    const std::string& имя_окна() const { return получить_string("имя_окна"); }
    std::int64_t полный_экран() const { return получить_long("полный_экран"); }
    std::int64_t синхронизация_экрана() const { return получить_long("синхронизация_экрана"); }
    std::int64_t режим_desktop() const { return получить_long("режим_desktop"); }
};

// Main thread only.
extern НастройкиZyr настройки;

}  // namespace zyr::nastroyki_zyr
