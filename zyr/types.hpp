// Small records shared across the engine: the window parameters and 2D pairs.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include <fmt/format.h>

namespace zyr::types {

struct ПараметрыОкна {
    std::int32_t ширина = 0;
    std::int32_t высота = 0;
    std::uint32_t флаги = 0;
    std::int32_t синхронизация = 0;
    std::int32_t режим_desktop = 0;
    std::string имя;
    std::uint32_t id_окна = 0;
};

// Two values of one type, read as x and y or as width and height.
template <class T>
struct Координаты2D {
    T x{};
    T y{};

    T ширина() const { return x; }
    T высота() const { return y; }

    std::string ширина_и_высота() const { return "ширина = " + текст(x) + ", высота = " + текст(y); }
    std::string x_и_y() const { return "x = " + текст(x) + ", y = " + текст(y); }

    // Reals as "%g" (six significant digits), integers in decimal.
    static std::string текст(T значение) {
        if constexpr (std::is_floating_point_v<T>) return fmt::format("{:g}", значение);
        else return fmt::format("{}", значение);
    }

    friend bool operator==(const Координаты2D&, const Координаты2D&) = default;
};

}  // namespace zyr::types
