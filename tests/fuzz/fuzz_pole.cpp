// Fuzzes the level file reader on any bytes, and then the paths built from
// what it accepts. The reader refuses with its own or the row reader's
// exception; what it accepts must build paths without a complaint (it bounds
// every coordinate), and their ray and nearest-point searches must answer
// with finite places on segments the path has, outside its gaps, in ascending order.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fuzz_fail.hpp"
#include "src/csv.hpp"
#include "src/pole.hpp"
#include "src/put.hpp"

namespace {

using put::Путь;
using zyr::vector::Вектор3;

constexpr std::uint32_t НАИБОЛЬШЕ_ПРОВЕРОК = 32;

volatile float сток = 0;

bool конечная(const Вектор3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void проверить_пересечения(const Путь& путь, const put::Луч& луч) {
    const auto пересечения = путь.пересечения_с_лучом(3, луч);
    std::int64_t прежний = -1;
    for (const auto& п : пересечения) {
        if (п.номер_пути != 3 || п.сегмент >= путь.количество_сегментов() || !путь.сегмент_не_в_разрыве(п.сегмент) ||
            static_cast<std::int64_t>(п.сегмент) <= прежний || !конечная(п.точка) || !std::isfinite(п.смещение))
            std::abort();
        прежний = п.сегмент;
        сток = п.точка.x + п.смещение;
    }
}

void проверить_путь(const std::vector<Вектор3>& вершины, const std::vector<put::Разрыв>& разрывы) {
    for (const auto& v : вершины) {
        if (!(std::fabs(v.x) <= put::НАИБОЛЬШАЯ_КООРДИНАТА && std::fabs(v.y) <= put::НАИБОЛЬШАЯ_КООРДИНАТА &&
              std::fabs(v.z) <= put::НАИБОЛЬШАЯ_КООРДИНАТА))
            std::abort();
    }
    const Путь путь(вершины, разрывы);
    if (!путь.живой()) return;

    const auto& п = путь.пределы();
    проверить_пересечения(путь, put::Луч({п.мин_x, 0, п.мин_z}, {(п.макс_x - п.мин_x) / 2, 0, (п.макс_z - п.мин_z) / 2}));
    const std::uint32_t сегментов = путь.количество_сегментов();
    for (std::uint32_t k = 0; k < std::min(сегментов, НАИБОЛЬШЕ_ПРОВЕРОК); ++k) {
        const Вектор3 середина = путь.точка(k, путь.получить_длину_вектора(k) / 2);
        проверить_пересечения(путь, put::Луч({середина.x - 7, 0, середина.z + 3}, {7, 0, -3}));
        const auto ближайшая = путь.поиск_ближайшей_точки(0, k, середина + Вектор3(0.5f, 0, 0.5f));
        if (ближайшая.сегмент >= сегментов || !конечная(ближайшая.точка) || !std::isfinite(ближайшая.смещение))
            std::abort();
        сток = путь.расстояние(0, 0.0f, k, ближайшая.смещение);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    static const fuzz_fail::Папка папка;
    fuzz_fail::записать(папка.путь() / "поле01.txt", данные, размер);

    pole::Данные поле;
    try {
        поле = pole::загрузка_файла(1, папка.путь().string() + "/");
    } catch (const pole::ПолеИсключение&) {
        return 0;
    } catch (const csv::CsvИсключение&) {
        return 0;
    }
    const std::size_t путей = static_cast<std::size_t>(std::max(поле.количество_путей, 0));
    if (поле.вершины.size() != путей || поле.разрывы.size() != путей) std::abort();
    for (std::size_t i = 0; i < путей; ++i) проверить_путь(поле.вершины[i], поле.разрывы[i]);
    сток = static_cast<float>(поле.toString().size() + поле.унитазы.size());
    return 0;
}
