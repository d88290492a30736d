// Fuzzes the settings reader with both records, the game's and the engine's:
// any bytes as a settings file, and as text handed over directly (which need
// not be UTF-8). Every key must answer afterwards, only declared keys may be
// reported as failed, and the engine's window parameters either come out
// placeable or are refused with the window's exception.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "fuzz_fail.hpp"
#include "src/nastroiki.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/types.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace {

using my_utils::nastroyki_struct::Настройки;

volatile std::size_t сток = 0;

void проверить_ошибочные(const Настройки& н) {
    const auto& имена = н.имена_свойств();
    for (const auto& имя : н.ошибочные_переменные()) {
        if (std::find(имена.begin(), имена.end(), имя) == имена.end()) std::abort();
    }
    сток = сток + н.toString().size();
}

void прочесть_всё(const nastroiki::НастройкиИгры& н) {
    проверить_ошибочные(н);
    std::size_t сумма = н.ресурсы().size() + н.данные().size() + н.цвет_лампы1().size() + н.общий_уровень().size() +
                        н.файл_журнала().size() + н.уровни_модулей().size() + н.скорости().size() +
                        н.стоимости_бонусов().size();
    for (const double v : {н.время_жизни_действующего_шарика(), н.время_паузы(), н.время_назад(), н.время_прицела(),
                           н.радиус_взрыва_бомбы(), н.радиус_взрыва_авиабомбы(), н.скорость_ядра(),
                           н.высота_унитаза(), н.радиус_унитаза()})
        сумма += v > 0.0;
    for (const std::int64_t v : {н.количество_шаров_на_пути(), н.количество_выбегающих_шаров(), н.паника()})
        сумма += static_cast<std::size_t>(v);
    сток = сумма;
}

void прочесть_всё(const zyr::nastroyki_zyr::НастройкиZyr& н) {
    проверить_ошибочные(н);
    zyr::types::ПараметрыОкна параметры;
    try {
        параметры = zyr::okno::параметры_окна_из_настроек(н);
    } catch (const zyr::zavisimost::okno_SDL2::ОкноИсключение&) {
        return;
    }
    // The projection divides by the height and panels scale by both.
    if (параметры.ширина <= 0 || параметры.высота <= 0) std::abort();
    сток = параметры.имя.size();
}

template <class Запись>
void прочесть(const std::string& путь, std::string_view текст) {
    Запись из_файла;
    if (из_файла.прочитать_настройки_из_файла(путь) != из_файла.загружено()) std::abort();
    прочесть_всё(из_файла);

    Запись из_текста;
    из_текста.прочитать_настройки(текст);
    прочесть_всё(из_текста);
    // A second text over values already read: the record keeps answering.
    из_текста.прочитать_настройки(текст.substr(текст.size() / 2), ';');
    прочесть_всё(из_текста);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    const std::string& путь = fuzz_fail::путь_с_данными(данные, размер);
    const std::string_view текст(reinterpret_cast<const char*>(данные), размер);
    прочесть<nastroiki::НастройкиИгры>(путь, текст);
    прочесть<zyr::nastroyki_zyr::НастройкиZyr>(путь, текст);
    return 0;
}
