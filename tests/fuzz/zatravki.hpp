// Valid files for the fuzz seeds, built with the writer.
#pragma once

#include <string>
#include <vector>

#include "tools/pisatel.hpp"

namespace zatravki {

inline pisatel::ДанныеМеша треугольники() {
    auto м = pisatel::полоса_квадратов(3);
    м.нормали[5] = -1.0f;
    return м;
}

inline std::vector<pisatel::КостьФайла> кости() {
    return {{"кость", -1, {0, 0, 0}, {0, 1, 0}, {1, 0, 0, 0}},
            {"вторая", 0, {1, 0, 0}, {1, 1, 0}, {0.7071f, 0, 0, 0.7071f}}};
}

inline std::string скелет() {
    using namespace pisatel;
    АнимацияФайла ход{"ход", -1, 2, {{0, ПЕРЕНОС_X}, {1, ПОВОРОТ_W}, {1, ПОВОРОТ_Z}, {1, МАСШТАБ_Y}, {0, 3}}, {}};
    for (int r = 0; r < 4; ++r) ход.строки.push_back({float(r), 1.0f - r / 4.0f, r / 4.0f, 1.0f + r, 0.0f});
    АнимацияФайла стоп{"стоп", 0, 0, {}, {{}}};
    return pisatel::скелет(кости(), {ход, стоп});
}

// The resource folder of the object and panel fuzzers holds the meshes of меши()
// under these names, the skeleton скелет() and a small RGBA picture; the seeds
// name them, so that mutations reach a description whose parts all load.
inline const std::vector<std::string> ИМЕНА_МЕШЕЙ{"треугольники", "пустой", "со_скелетом"};
inline constexpr const char* ИМЯ_СКЕЛЕТА = "скелет";
inline constexpr const char* ИМЯ_КАРТИНКИ = "картинка";

inline std::vector<std::string> меши() {
    using namespace pisatel;
    return {меш_версии_1(треугольники()), меш_версии_1({}),
            меш_версии_2(треугольники(), {"кость", "вторая", "не_кость"},
                         {{0, 0, 0.5f}, {1, 0, 0.5f}, {1, 3, 1.0f}, {2, 5, 1.0f}, {0, 7, 0.2f}})};
}

}  // namespace zatravki
