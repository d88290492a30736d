// The game's settings record, read from "настройки.cfg" by the program entry,
// and the counter that numbers the game's objects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "my_utils/nastroyki_struct.hpp"

namespace nastroiki {

using my_utils::nastroyki_struct::АссоциативныйМассив;
using my_utils::nastroyki_struct::ОписаниеНастройки;
using my_utils::nastroyki_struct::ТипНастройки;

inline constexpr const char* ФАЙЛ_НАСТРОЕК = "настройки.cfg";

inline constexpr std::array<ОписаниеНастройки, 20> ОПИСАНИЯ{{
    {ТипНастройки::массив_string, "ресурсы", R"(["."])"},
    {ТипНастройки::string_, "данные", "\".\""},
    {ТипНастройки::массив_double, "цвет_лампы1", "[1,1,1,1]"},
    {ТипНастройки::string_, "общий_уровень", "\"Информация\""},
    {ТипНастройки::string_, "файл_журнала", "\"журнал.log\""},
    {ТипНастройки::ассоциативный_массив, "уровни_модулей", R"(["nastroyki":"Информация"])"},
    // "60,0" is two elements: the list has eleven values, indexed by a state number.
    {ТипНастройки::массив_double, "скорости",
     "[0.0,   -150.0 ,  150.0  , -60.0 ,  -20.0 ,  5.0, 10.0, 15.0 , 60,0  ,  0.0]"},
    {ТипНастройки::double_, "время_жизни_действующего_шарика", "20.0"},
    {ТипНастройки::double_, "время_паузы", "5.0"},
    {ТипНастройки::double_, "время_назад", "5.0"},
    {ТипНастройки::double_, "время_прицела", "20.0"},
    {ТипНастройки::double_, "радиус_взрыва_бомбы", "40.0"},
    {ТипНастройки::double_, "радиус_взрыва_авиабомбы", "30.0"},
    {ТипНастройки::long_, "количество_шаров_на_пути", "200"},
    {ТипНастройки::long_, "количество_выбегающих_шаров", "15"},
    {ТипНастройки::double_, "скорость_ядра", "200.0"},
    {ТипНастройки::double_, "высота_унитаза", "14.0"},
    {ТипНастройки::double_, "радиус_унитаза", "7.2"},
    {ТипНастройки::массив_long, "стоимости_бонусов", "[100, 200, 300]"},
    {ТипНастройки::long_, "паника", "0"},
}};

// One accessor per key, named as the key; before the first read each gives its default.
class НастройкиИгры : public my_utils::nastroyki_struct::Настройки {
public:
    НастройкиИгры() : Настройки(ОПИСАНИЯ) {}

    // Resource directories.
    const std::vector<std::string>& ресурсы() const { return получить_массив_string("ресурсы"); }
    // Put directly before the level file name: a directory is given with its trailing "/".
    const std::string& данные() const { return получить_string("данные"); }
    const std::vector<double>& цвет_лампы1() const { return получить_массив_double("цвет_лампы1"); }
    const std::string& общий_уровень() const { return получить_string("общий_уровень"); }
    const std::string& файл_журнала() const { return получить_string("файл_журнала"); }
    const АссоциативныйМассив& уровни_модулей() const { return получить_ассоциативный_массив("уровни_модулей"); }
    // Indexed by a chain state number; a file may give a list of another length.
    const std::vector<double>& скорости() const { return получить_массив_double("скорости"); }
    double время_жизни_действующего_шарика() const { return получить_double("время_жизни_действующего_шарика"); }
    double время_паузы() const { return получить_double("время_паузы"); }
    double время_назад() const { return получить_double("время_назад"); }
    double время_прицела() const { return получить_double("время_прицела"); }
    double радиус_взрыва_бомбы() const { return получить_double("радиус_взрыва_бомбы"); }
    double радиус_взрыва_авиабомбы() const { return получить_double("радиус_взрыва_авиабомбы"); }
    std::int64_t количество_шаров_на_пути() const { return получить_long("количество_шаров_на_пути"); }
    std::int64_t количество_выбегающих_шаров() const { return получить_long("количество_выбегающих_шаров"); }
    double скорость_ядра() const { return получить_double("скорость_ядра"); }
    double высота_унитаза() const { return получить_double("высота_унитаза"); }
    double радиус_унитаза() const { return получить_double("радиус_унитаза"); }
    const std::vector<std::int64_t>& стоимости_бонусов() const { return получить_массив_long("стоимости_бонусов"); }
    // Not 0: no explosions and no floating score numbers.
    std::int64_t паника() const { return получить_long("паника"); }
};

// Main thread only.
extern НастройкиИгры настройки;

// Called once the journal runs: a real setting or real list entry that no float
// holds (inf, nan, or beyond the float range, all of which the reader accepts)
// would stop or hide every ball or keep an action on for good where the game
// uses it as a float, so it takes its default, with one warning per key.
void исправить_настройки_вне_float();

// The next object number; the first is 0. Wraps at 2^32.
extern std::uint32_t новый_номер;

// Returns новый_номер and then increases it by 1.
std::uint32_t получить_новый_номер();

}  // namespace nastroiki
