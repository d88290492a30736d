#include "src/shariki.hpp"

#include <algorithm>
#include <limits>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "src/nastroiki.hpp"
#include "src/put.hpp"
#include "src/sluchainost.hpp"

namespace shariki {

std::array<std::int32_t, КОЛИЧЕСТВО_ЦВЕТОВ> счётчик_цветов{};
std::vector<std::uint32_t> живые_цвета;
std::uint32_t количество_выползающих_шаров = 0;
std::forward_list<std::shared_ptr<ШарНаПути>> мёртвые_шары;
std::forward_list<std::shared_ptr<ДействующийШарНаПути>> мёртвые_действующие_шары;
std::map<НомераПутиИШара, std::shared_ptr<ДействующийШарНаПути>> живые_действующие_шары;
std::array<СостояниеДействия, sharik::КОЛИЧЕСТВО_ДЕЙСТВИЙ> состояния_действий{};

namespace {

using my_utils::format::sprintf;
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

constexpr const char* МОДУЛЬ = "шарики";

void перестроить_живые_цвета() {
    живые_цвета.clear();
    for (std::uint32_t цвет = 0; цвет < КОЛИЧЕСТВО_ЦВЕТОВ; ++цвет)
        if (счётчик_цветов[цвет] > 0) живые_цвета.push_back(цвет);
}

// How long the queue is when the run-in phase ends. A difference below 0 or
// beyond 32 bits is refused, as a conversion to an unsigned number would be.
std::uint32_t выползающих_шаров(std::int64_t на_пути, std::int64_t выбегающих) {
    std::int64_t разность = 0;
    if (__builtin_sub_overflow(на_пути, выбегающих, &разность) || разность < 0 ||
        разность > std::numeric_limits<std::uint32_t>::max())
        throw std::overflow_error(
            sprintf("количество_шаров_на_пути − количество_выбегающих_шаров = %d − %d не преобразуется в "
                    "беззнаковое 32-битное число",
                    на_пути, выбегающих));
    return static_cast<std::uint32_t>(разность);
}

}  // namespace

std::string ГруппаШаров::toString() const {
    return sprintf("Группа(%d, %d, %d, %s, %s)", первый, последний, состояние, в_начале, в_конце);
}

void обновить_живые_цвета(std::uint32_t цвет, std::int32_t изменение) {
    счётчик_цветов.at(цвет) += изменение;
    перестроить_живые_цвета();
}

ЖивыеШары::ЖивыеШары(std::shared_ptr<const put::Путь> путь_) : путь(std::move(путь_)) {
    const auto& настройки = nastroiki::настройки;
    const std::int64_t на_пути = настройки.количество_шаров_на_пути();
    // Checked before anything changes, so that a refused chain leaves the counters as they were.
    const std::uint32_t выползающих = количество_выползающих_шаров == 0
                                          ? выползающих_шаров(на_пути, настройки.количество_выбегающих_шаров())
                                          : количество_выползающих_шаров;
    if (на_пути > 0) новые_шары.reserve(static_cast<std::size_t>(на_пути));
    for (std::int64_t i = 0; i < на_пути; ++i) {
        const auto цвет = static_cast<std::uint32_t>(sluchainost::целое(0, КОЛИЧЕСТВО_ЦВЕТОВ - 1));
        новые_шары.push_back(цвет);
        ++счётчик_цветов[цвет];
    }
    перестроить_живые_цвета();
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
             [&] { return sprintf("ЖивыеШары(%d шаров, %d новых_шаров)", шары.size(), новые_шары.size()); });
    количество_выползающих_шаров = выползающих;
    прочитать_скорости();
}

const put::Путь& ЖивыеШары::мой_путь() const {
    if (!путь) throw std::logic_error("ЖивыеШары: у цепочки нет пути");
    return *путь;
}

void ЖивыеШары::opIndexAssign(std::shared_ptr<ШарНаПути> шар, std::uint64_t индекс) {
    шары.at(индекс) = std::move(шар);
}

const std::shared_ptr<ШарНаПути>& ЖивыеШары::opIndex(std::uint64_t индекс) const { return шары.at(индекс); }

std::uint64_t ЖивыеШары::opDollar() const { return шары.size(); }

std::uint64_t ЖивыеШары::length() const { return шары.size(); }

std::vector<std::shared_ptr<ШарНаПути>> ЖивыеШары::opSlice(std::uint64_t a, std::uint64_t b) const {
    if (a > b || b > шары.size())
        throw std::out_of_range(sprintf("Срез [%d, %d) вне массива ЖивыеШары из %d шаров", a, b, шары.size()));
    return {шары.begin() + static_cast<std::ptrdiff_t>(a), шары.begin() + static_cast<std::ptrdiff_t>(b)};
}

bool ЖивыеШары::добавление_шарика_на_путь() {
    if (новые_шары.empty()) return false;
    // Balls enter at the start of segment 1: a path without it has no entrance.
    if (!путь || путь->length() < 2) return false;
    float перебег = 0.0f;
    if (!шары.empty()) {
        const ШарНаПути& новейший = *шары.back();
        const float d = путь->расстояние(1, 0.0f, новейший.сегмент, новейший.смещение);
        if (d < РАССТОЯНИЕ_КАСАНИЯ) return false;
        перебег = static_cast<float>(std::max(0.0, d - РАССТОЯНИЕ_ВХОДА));
    }
    std::shared_ptr<ШарНаПути> шар;
    if (!мёртвые_шары.empty()) {
        шар = мёртвые_шары.front();
        мёртвые_шары.pop_front();
        шар->возродить(*путь);
    } else {
        шар = std::make_shared<ШарНаПути>(*путь);
    }
    // The colour was counted while it was queued.
    шар->шарик->новый_материал(static_cast<std::int32_t>(новые_шары.back()));
    новые_шары.pop_back();
    *this += шар;
    if (перебег != 0.0f) доб_сдвинуть_шар(перебег, *шар);
    if (состояние_по_умолчанию == ВХОД_БЫСТРЫЙ && новые_шары.size() < количество_выползающих_шаров) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, "Уменьшение скорости");
        состояние_по_умолчанию = ВХОД_МЕДЛЕННЫЙ;
    }
    return true;
}

ЖивыеШары& ЖивыеШары::operator+=(std::shared_ptr<ШарНаПути> шар) {
    const auto n = static_cast<std::uint32_t>(шары.size());
    шары.push_back(std::move(шар));
    if (!группы.empty() && входит(группы.back().состояние)) группы.back().состояние = СТОП;
    группы.emplace_back(n, n, состояние_по_умолчанию);
    return *this;
}

void ЖивыеШары::доб_сдвинуть_шар(float расстояние, ШарНаПути& шар) {
    const РезультатДвижения результат = дш_расчёт_движения_шарика(расстояние, шар);
    шар.сегмент = результат.сегмент;
    шар.смещение = результат.смещение;
    шар.шарик->движение(результат.перемещение, false);
}

std::size_t ЖивыеШары::группа_шара(std::uint64_t i) const {
    const auto группа = std::lower_bound(группы.begin(), группы.end(), i,
                                         [](const ГруппаШаров& г, std::uint64_t номер) { return г.последний < номер; });
    if (группа == группы.end())
        throw std::logic_error(sprintf("Шар %d вне групп цепочки: %s", i,
                                       my_utils::format::список(группы, [](const auto& г) { return г.toString(); })));
    return static_cast<std::size_t>(группа - группы.begin());
}

void ЖивыеШары::сузить(const ШарНаПути& шар, std::int64_t& a, std::int64_t& b) const {
    // A ball level with the new one counts as ahead of it, so the new one goes behind it.
    while (b - a > 1) {
        const std::int64_t m = (a + b) / 2;
        if (шары[static_cast<std::size_t>(m)]->opCmp(шар) < 0) b = m;
        else a = m;
    }
}

НомераШараИГруппы ЖивыеШары::вст_номера_шара_и_группы(const ШарНаПути& шар) {
    const auto n = static_cast<std::int64_t>(шары.size());
    // The binary search's bounds; the steps that place the ball without a search
    // leave them at −1 in the journal line.
    std::int64_t a = -1;
    std::int64_t b = -1;
    std::int64_t номер = 0;
    std::size_t группа = 0;
    if (n == 0) {
        группы.emplace_back(0, 0, состояние_по_умолчанию);
    } else if (шары.back()->opCmp(шар) > 0) {
        номер = n;
        группы.emplace_back(static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n), состояние_по_умолчанию);
        группа = группы.size() - 1;
    } else if (шар.opCmp(*шары.front()) > 0) {
        группы.insert(группы.begin(), ГруппаШаров(0, 0, СТОП));
    } else {
        a = 0;
        b = n - 1;
        сузить(шар, a, b);
        номер = b;
        const auto b32 = static_cast<std::uint32_t>(b);
        группа = группа_шара(b32);
        ГруппаШаров& g = группы[группа];
        if (b32 > g.первый) {
            // The part behind the new ball keeps the group's state and its contact with the next group.
            ГруппаШаров остаток(b32, g.последний, g.состояние);
            остаток.в_конце = g.в_конце;
            g.последний = b32 - 1;
            g.состояние = СТОП;
            const auto после = группы.begin() + static_cast<std::ptrdiff_t>(группа) + 1;
            группы.insert(после, {ГруппаШаров(b32, b32, СТОП), остаток});
            ++группа;
        } else {
            группы.insert(группы.begin() + static_cast<std::ptrdiff_t>(группа), ГруппаШаров(b32, b32, ПОКОЙ_ВСТАВКИ));
        }
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] {
        return sprintf("вст_номера_шара_и_группы: a=%d, b=%d, номер_шара=%d, номер_группы=%d", a, b, номер, группа);
    });
    return {static_cast<std::uint32_t>(номер), static_cast<std::uint32_t>(группа)};
}

void ЖивыеШары::вст_корректировка_номеров(std::uint32_t группа) {
    for (std::size_t k = std::size_t{группа} + 1; k < группы.size(); ++k) {
        ++группы[k].первый;
        ++группы[k].последний;
    }
}

void ЖивыеШары::вст_настройка_скоростей(std::uint64_t номер_шара, std::uint64_t номер_группы) {
    const ШарНаПути& шар = *шары.at(номер_шара);
    // A pair's contact flags are set from whether the two balls at the gap touch,
    // so that they agree on both sides whatever they were before.
    if (номер_группы + 1 < группы.size()) {
        const ШарНаПути& сзади = *шары.at(номер_шара + 1);
        const bool касание =
            мой_путь().расстояние(сзади.сегмент, сзади.смещение, шар.сегмент, шар.смещение) < РАССТОЯНИЕ_КАСАНИЯ;
        if (касание) группы[номер_группы].состояние = РАЗДВИГАНИЕ;
        группы[номер_группы].в_конце = касание;
        группы[номер_группы + 1].в_начале = касание;
    }
    if (номер_группы > 0) {
        const ШарНаПути& впереди = *шары.at(номер_шара - 1);
        const bool касание =
            мой_путь().расстояние(шар.сегмент, шар.смещение, впереди.сегмент, впереди.смещение) < РАССТОЯНИЕ_КАСАНИЯ;
        группы[номер_группы - 1].состояние = касание ? РАЗДВИГАНИЕ : СТОП;
        группы[номер_группы - 1].в_конце = касание;
        группы[номер_группы].в_начале = касание;
    }
}

void ЖивыеШары::вставка(std::shared_ptr<ШарНаПути> шар) {
    const std::uint32_t цвет = шар->шарик->получить_номер_материала();
    // A colour without a counter is refused before the chain changes.
    if (цвет >= КОЛИЧЕСТВО_ЦВЕТОВ)
        throw std::out_of_range(sprintf("Вставка шарика с недопустимым номером цвета %d", цвет));
    const НомераШараИГруппы место = вст_номера_шара_и_группы(*шар);
    вст_корректировка_номеров(место.номер_группы);
    шары.insert(шары.begin() + место.номер_шара, std::move(шар));
    вст_настройка_скоростей(место.номер_шара, место.номер_группы);
    обновить_живые_цвета(цвет, 1);
}

bool ЖивыеШары::проверка_нахождения_рядом(const ШарНаПути& шар) const {
    if (шары.empty()) return false;
    std::int64_t a = 0;
    std::int64_t b = static_cast<std::int64_t>(шары.size()) - 1;
    if (шары.back()->opCmp(шар) <= 0 && шары.front()->opCmp(шар) >= 0) сузить(шар, a, b);
    const ШарНаПути& шар_a = *шары[static_cast<std::size_t>(a)];
    const ШарНаПути& шар_b = *шары[static_cast<std::size_t>(b)];
    const Вектор3 позиция = шар.шарик->получить_позицию();
    const bool попадание = позиция.расстояние(шар_b.шарик->получить_позицию()) < РАССТОЯНИЕ_КАСАНИЯ ||
                           позиция.расстояние(шар_a.шарик->получить_позицию()) < РАССТОЯНИЕ_КАСАНИЯ;
    if (попадание) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
                 [&] { return sprintf("Попадание! новый_шар: %s", шар.toString()); });
        в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
                 [&] { return sprintf("шар a: %s, шар b: %s", шар_a.toString(), шар_b.toString()); });
    }
    return попадание;
}

std::int32_t ЖивыеШары::поиск_шара(std::uint32_t номер_шара) const {
    for (std::size_t i = 0; i < шары.size(); ++i)
        if (static_cast<std::uint32_t>(шары[i]->номер) == номер_шара) return static_cast<std::int32_t>(i);
    return -1;
}

bool ЖивыеШары::присутствуют_шары() const { return !шары.empty() || !новые_шары.empty(); }

}  // namespace shariki
