#include "support/igra/uchet_cepochki.hpp"

#include <array>
#include <set>
#include <utility>

namespace test_stend {

using namespace shariki;

void PrintTo(const Г& г, std::ostream* os) {
    *os << "(" << г.первый << ", " << г.последний << ", " << г.состояние << ", " << г.в_начале << ", " << г.в_конце
        << ")";
}

std::vector<Г> группы(const ЖивыеШары& цепь) {
    std::vector<Г> г;
    for (const auto& x : цепь.группы) г.push_back({x.первый, x.последний, x.состояние, x.в_начале, x.в_конце});
    return г;
}

std::string нарушение_учёта(const ЖивыеШары& цепь) {
    const auto& ш = цепь.шары;
    const auto& г = цепь.группы;
    for (std::size_t i = 0; i + 1 < ш.size(); ++i)
        if (ш[i]->opCmp(*ш[i + 1]) < 0) return "порядок шаров " + std::to_string(i);
    if (г.empty() != ш.empty()) return "группы пустой цепочки";
    for (std::size_t k = 0; k < г.size(); ++k) {
        if (г[k].первый != (k == 0 ? 0 : г[k - 1].последний + 1) || г[k].последний < г[k].первый)
            return "границы группы " + std::to_string(k);
        if ((k > 0 && г[k - 1].в_конце) != г[k].в_начале) return "контакт перед группой " + std::to_string(k);
        // A push lasts only as long as its overlap.
        if (г[k].состояние == РАЗДВИГАНИЕ && !г[k].в_конце) return "раздвигание без контакта " + std::to_string(k);
    }
    if (!г.empty() && (г.back().последний + 1 != ш.size() || г.back().в_конце)) return "последняя группа";

    std::array<std::int32_t, КОЛИЧЕСТВО_ЦВЕТОВ> цвета{};
    for (const auto цвет : цепь.новые_шары) ++цвета.at(цвет);
    std::set<const ШарНаПути*> в_цепи;
    std::set<std::pair<std::uint32_t, std::uint32_t>> действующие;
    bool микросамолётик = false;
    for (const auto& шар : ш) {
        ++цвета.at(шар->шарик->получить_номер_материала());
        if (!шар->живой() || !в_цепи.insert(шар.get()).second) return "мёртвый или повторный " + шар->toString();
        if (const auto д = std::dynamic_pointer_cast<ДействующийШарНаПути>(шар)) {
            действующие.insert({д->номер_пути, static_cast<std::uint32_t>(д->номер)});
            микросамолётик |= д->вид_действия == sharik::МИКРОСАМОЛЁТИК;
        }
    }
    if (цвета != счётчик_цветов) return "счётчик_цветов";
    std::vector<std::uint32_t> живые;
    for (std::uint32_t цвет = 0; цвет < КОЛИЧЕСТВО_ЦВЕТОВ; ++цвет)
        if (счётчик_цветов[цвет] > 0) живые.push_back(цвет);
    if (живые != живые_цвета) return "живые_цвета";

    std::set<const ШарНаПути*> в_пулах;
    const auto проверить_пул = [&](const auto& пул) {
        for (const auto& шар : пул)
            if (шар->живой() || в_цепи.count(шар.get()) || !в_пулах.insert(шар.get()).second) return false;
        return true;
    };
    if (!проверить_пул(мёртвые_шары) || !проверить_пул(мёртвые_действующие_шары)) return "пулы";
    std::set<std::pair<std::uint32_t, std::uint32_t>> ключи;
    for (const auto& [ключ, д] : живые_действующие_шары) ключи.insert({ключ.номер_пути, ключ.номер_шара});
    if (ключи != действующие) return "живые_действующие_шары";
    // The small plane's kind is held back while its ball lives or its action runs.
    if (sharik::запрещённые_действия[sharik::МИКРОСАМОЛЁТИК] !=
        (микросамолётик || состояния_действий[sharik::МИКРОСАМОЛЁТИК].активно))
        return "запрещённые_действия";
    return "";
}

}  // namespace test_stend
