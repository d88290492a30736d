// Checks of a ball chain's bookkeeping shared by the chain's tests: its groups as
// plain values, and the first break of the rules every chain operation keeps.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "src/shariki.hpp"

namespace test_stend {

// A group: first, last, state, в_начале, в_конце.
struct Г {
    std::uint32_t первый = 0, последний = 0, состояние = 0;
    bool в_начале = false, в_конце = false;
    friend bool operator==(const Г&, const Г&) = default;
};
void PrintTo(const Г& г, std::ostream* os);

std::vector<Г> группы(const shariki::ЖивыеШары& цепь);

// The first break of the chain's bookkeeping, or "" when it all holds: balls in
// path order, groups covering them with agreeing contact flags and pushed only
// while in contact, the colour counters and живые_цвета, the pools, the live
// action balls and the small plane's forbidden kind.
std::string нарушение_учёта(const shariki::ЖивыеШары& цепь);

}  // namespace test_stend
