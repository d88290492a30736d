// The chain's removals: one ball, a batch, every ball, and the emptying of the chain.
#include <algorithm>
#include <limits>
#include <numeric>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "src/shariki.hpp"

namespace shariki {

namespace {

using my_utils::format::sprintf;
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

constexpr const char* МОДУЛЬ = "шарики";
constexpr const char* ВЫХОД_ЗА_ПРЕДЕЛЫ = "Выход за пределы массива ЖивыеШары";

template <class Элементы>
std::string текст(const Элементы& элементы) {
    return my_utils::format::список(элементы, [](const auto& э) {
        if constexpr (requires { э->toString(); }) return э->toString();
        else return э.toString();
    });
}

// Sets the chain's flag for one batch and gives back a value afterwards, also on a throw.
class ФлагДействий {
public:
    ФлагДействий(bool& флаг, bool значение, bool после) : флаг_(флаг), после_(после) { флаг_ = значение; }
    ~ФлагДействий() { флаг_ = после_; }
    ФлагДействий(const ФлагДействий&) = delete;
    ФлагДействий& operator=(const ФлагДействий&) = delete;

private:
    bool& флаг_;
    bool после_;
};

}  // namespace

void ЖивыеШары::проверить_номер(std::uint64_t i) const {
    if (i > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error(sprintf("Номер шара %d не преобразуется в знаковое 32-битное число", i));
    if (i >= шары.size()) throw ШарикиИсключение(ВЫХОД_ЗА_ПРЕДЕЛЫ);
}

void ЖивыеШары::уд_корректировка_предыдущей_группы(std::uint64_t группа) {
    if (группа == 0) return;
    ГруппаШаров& перед = группы.at(группа - 1);
    перед.в_конце = false;
    if (перед.состояние == РАЗДВИГАНИЕ) перед.остановить_после_контакта();
}

void ЖивыеШары::уд_корректировка_последующей_группы(std::uint64_t группа) {
    if (группа + 1 < группы.size()) группы[группа + 1].в_начале = false;
}

void ЖивыеШары::уд_раздвинуть_перекрытие(std::uint32_t номер) {
    if (номер == 0 || номер >= шары.size()) return;
    // Every removal leaves its gap between two groups: ball номер starts group k + 1.
    const std::size_t k = группа_шара(номер - 1);
    if (группы[k].последний + 1 != номер) return;
    // Unlike the search, this takes a level pair too, whatever the speeds: a shot
    // put exactly at a ball's place stands level with it until it is pushed clear.
    if (решение_по_зазору(k, true) == РешениеПоЗазору::раздвинуть) раздвинуть(k);
}

void ЖивыеШары::удаление(std::uint64_t i) {
    проверить_номер(i);
    const auto номер = static_cast<std::uint32_t>(i);
    const std::size_t g = группа_шара(номер);
    std::size_t перенумеровать_с = g + 1;
    ГруппаШаров& группа = группы[g];
    if (группа.первый == группа.последний) {
        const bool была_последней = g + 1 == группы.size() && g > 0;
        if (была_последней) группы[g - 1].состояние = std::min(группы[g - 1].состояние, группа.состояние);
        группы.erase(группы.begin() + static_cast<std::ptrdiff_t>(g));
        уд_корректировка_предыдущей_группы(g);
        // The group that followed, now at g; the removed group may have been the last.
        if (g < группы.size()) группы[g].в_начале = false;
        // Nothing behind the new last group will push it: stopped or at rest, it
        // would hold the chain and every later entrant for good.
        if (была_последней && (группы[g - 1].состояние == СТОП || группы[g - 1].состояние == ПОКОЙ_ВСТАВКИ))
            группы[g - 1].состояние = состояние_по_умолчанию;
        перенумеровать_с = g;
    } else if (номер == группа.первый) {
        --группа.последний;
        группа.в_начале = false;
        уд_корректировка_предыдущей_группы(g);
    } else if (номер == группа.последний) {
        --группа.последний;
        // A pushed group has lost the ball that carried its contact: no overlap is
        // left to end its push, so it stops as when the overlap ends.
        if (группа.состояние == РАЗДВИГАНИЕ) группа.остановить_после_контакта();
        группа.в_конце = false;
        уд_корректировка_последующей_группы(g);
    } else {
        // The part ahead stops; the part behind runs on as before and keeps the
        // contact with the next group.
        ГруппаШаров задняя(номер, группа.последний - 1, группа.состояние);
        задняя.в_конце = группа.в_конце;
        группа.последний = номер - 1;
        группа.состояние = СТОП;
        группа.в_конце = false;
        группы.insert(группы.begin() + static_cast<std::ptrdiff_t>(g) + 1, задняя);
        перенумеровать_с = g + 2;
    }
    for (std::size_t k = перенумеровать_с; k < группы.size(); ++k) {
        --группы[k].первый;
        --группы[k].последний;
    }

    const std::shared_ptr<ШарНаПути> шар = шары[номер];
    обновить_живые_цвета(шар->шарик->получить_номер_материала(), -1);
    проводить(шар, действия_при_удалении);
    шары.erase(шары.begin() + static_cast<std::ptrdiff_t>(номер));
    уд_раздвинуть_перекрытие(номер);
}

void ЖивыеШары::проводить(const std::shared_ptr<ШарНаПути>& шар, bool начать_действие) {
    шар->убить();
    const auto действующий = шар->действующий ? std::dynamic_pointer_cast<ДействующийШарНаПути>(шар) : nullptr;
    if (!действующий) {
        мёртвые_шары.push_front(шар);
        return;
    }
    if (начать_действие) {
        состояния_действий.at(действующий->вид_действия) = {true, 0.0f, действующий->шарик->получить_позицию()};
    } else {
        // Left unused: its kind may come again (the small plane's kind is held
        // back only while its ball lives or its flight runs).
        sharik::разрешить_действие(действующий->вид_действия);
    }
    мёртвые_действующие_шары.push_front(действующий);
    живые_действующие_шары.erase({действующий->номер_пути, static_cast<std::uint32_t>(действующий->номер)});
}

std::vector<ДанныеВзрыва> ЖивыеШары::дш_удаление() {
    std::vector<std::uint32_t> номера;
    номера.swap(номера_на_удаление);
    std::vector<ДанныеВзрыва> записи;
    if (номера.empty()) return записи;
    // From the largest down, so that every removal leaves the smaller indices valid.
    std::sort(номера.begin(), номера.end(), std::greater<>());
    номера.erase(std::unique(номера.begin(), номера.end()), номера.end());
    if (номера.front() >= шары.size()) throw ШарикиИсключение(ВЫХОД_ЗА_ПРЕДЕЛЫ);

    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] { return sprintf("Удаление!!!, группы=%s", текст(группы)); });
    записи.reserve(номера.size());
    for (const std::uint32_t i : номера) {
        const auto& шарик = *шары[i]->шарик;
        записи.push_back({шарик.получить_номер_материала(), шарик.получить_позицию()});
        в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] { return sprintf("Удаление шарика %d", i); });
        удаление(i);
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка,
             [&] { return sprintf("Окончание удаление!!!, группы=%s", текст(группы)); });
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [&] { return sprintf("После удаления:, шары=%s", текст(шары)); });
    return записи;
}

void ЖивыеШары::очистка() {
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, "Очистка ЖивыеШары");
    for (const auto& шар : шары) проводить(шар, false);
    шары.clear();
    группы.clear();
    номера_на_удаление.clear();
    новые_шары.clear();
    путь.reset();
}

std::vector<ДанныеВзрыва> ЖивыеШары::суицид() {
    номера_на_удаление.resize(шары.size());
    std::iota(номера_на_удаление.begin(), номера_на_удаление.end(), 0u);
    const ФлагДействий флаг(действия_при_удалении, false, true);
    return дш_удаление();
}

std::vector<ДанныеВзрыва> ЖивыеШары::взорвать_несколько_шариков(const std::vector<std::uint32_t>& номера) {
    номера_на_удаление = номера;
    const ФлагДействий флаг(действия_при_удалении, false, действия_при_удалении);
    return дш_удаление();
}

}  // namespace shariki
