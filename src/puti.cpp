#include "src/puti.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "my_utils/format.hpp"
#include "src/cifry.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/nastroiki.hpp"
#include "src/sluchainost.hpp"

namespace puti {

namespace {

using my_utils::format::sprintf;
using shariki::живые_действующие_шары;
using shariki::состояния_действий;

template <class T>
void дописать(std::vector<T>& куда, std::vector<T> что) {
    куда.insert(куда.end(), std::make_move_iterator(что.begin()), std::make_move_iterator(что.end()));
}

// Runs a timed action on by dt and switches it off once its time exceeds the limit.
void продлить(shariki::СостояниеДействия& состояние, float dt, double предел) {
    if (!состояние.активно) return;
    состояние.время += dt;
    if (static_cast<double>(состояние.время) > предел) состояние.активно = false;
}

}  // namespace

bool несёт_шары(const put::Путь& путь) {
    if (!путь.живой() || путь.length() < 3) return false;
    const auto выход = static_cast<std::uint32_t>(путь.length() - 1);
    return путь.расстояние(1, 0.0f, выход, 0.0f) >= shariki::ДИАМЕТР;
}

Пути::Пути(const std::vector<std::vector<Вектор3>>& вершины, const std::vector<std::vector<put::Разрыв>>& разрывы) {
    shariki::счётчик_цветов = {};
    shariki::обновить_живые_цвета(0, 0);
    const bool построены = вершины.size() == разрывы.size() && построить_пути(вершины, разрывы);
    // The rest holds also for a set that is not built: nothing of the previous
    // field (its flight, action balls, actions, forbidden kinds) reaches this one.
    самолёт = std::make_unique<samolet::Самолёт>();
    самолёт->убить();
    живые_действующие_шары.clear();
    состояния_действий = {};
    sharik::запрещённые_действия = {};
    живой_ = построены;
}

bool Пути::построить_пути(const std::vector<std::vector<Вектор3>>& вершины,
                          const std::vector<std::vector<put::Разрыв>>& разрывы) {
    for (std::size_t i = 0; i < вершины.size(); ++i) {
        auto путь = std::make_shared<const put::Путь>(вершины[i], разрывы[i]);
        if (!несёт_шары(*путь)) return false;
        пути.push_back(путь);
        шары_на_путях.push_back(std::make_unique<ЖивыеШары>(std::move(путь)));
    }
    return true;
}

std::vector<Пересечение> Пути::пересечения_с_лучом(const Луч& луч) const {
    std::vector<Пересечение> пересечения;
    for (std::size_t i = 0; i < пути.size(); ++i) дописать(пересечения, пути[i]->пересечения_с_лучом(i, луч));
    return пересечения;
}

bool Пути::добавление_шариков_на_пути() {
    bool добавлен = false;
    for (const auto& цепь : шары_на_путях) добавлен = цепь->добавление_шарика_на_путь() || добавлен;
    return добавлен;
}

std::vector<ДанныеВзрыва> Пути::движение_шаров(float dt) {
    std::vector<ДанныеВзрыва> взрывы;
    for (const auto& цепь : шары_на_путях) дописать(взрывы, цепь->движение_шаров(dt));
    return взрывы;
}

void Пути::очистка() {
    for (const auto& цепь : шары_на_путях) цепь->очистка();
}

std::vector<ДанныеВзрыва> Пути::суицид() {
    std::vector<ДанныеВзрыва> взрывы;
    for (const auto& цепь : шары_на_путях) дописать(взрывы, цепь->суицид());
    return взрывы;
}

std::shared_ptr<ШарНаПути> Пути::шар_у_входа(std::uint64_t номер_пути, std::uint32_t цвет) {
    if (номер_пути >= пути.size())
        throw std::out_of_range(sprintf("Пути: нет пути %d из %d", номер_пути, пути.size()));
    if (цвет >= shariki::КОЛИЧЕСТВО_ЦВЕТОВ)
        throw std::out_of_range(sprintf("Пути: недопустимый номер цвета %d", цвет));
    const put::Путь& путь = *пути[номер_пути];
    if (shariki::мёртвые_шары.empty()) {
        auto шар = std::make_shared<ШарНаПути>(путь);
        шар->шарик->новый_материал(static_cast<std::int32_t>(цвет));
        return шар;
    }
    // A pooled ball still holds the place, pending distance and level it left with,
    // maybe on another path.
    auto шар = std::move(shariki::мёртвые_шары.front());
    shariki::мёртвые_шары.pop_front();
    шар->шарик->возродить(static_cast<std::int32_t>(цвет));
    шар->шарик->задать_позицию(путь.точка(1, 0.0f));
    шар->инициализация();
    return шар;
}

std::shared_ptr<ШарНаПути> Пути::новый_шар_на_позицию(std::uint64_t номер_пути, std::uint32_t цвет,
                                                     std::uint32_t сегмент, float смещение, std::uint32_t уровень) {
    auto шар = шар_у_входа(номер_пути, цвет);
    const put::Путь& путь = *пути[номер_пути];
    if (путь.length() >= 3) {
        // The end of the segment before the exit is the exit's start: the same point.
        const auto перед_выходом = static_cast<std::uint32_t>(путь.length() - 2);
        if (сегмент < 1) {
            сегмент = 1;
            смещение = 0.0f;
        } else if (сегмент > перед_выходом) {
            сегмент = перед_выходом;
            смещение = путь.получить_длину_вектора(сегмент);
        } else {
            смещение = std::isnan(смещение) ? 0.0f : std::clamp(смещение, 0.0f, путь.получить_длину_вектора(сегмент));
        }
        шар->задать_позицию(путь, сегмент, смещение);
    }
    шар->уровень_объединения = уровень;
    return шар;
}

bool Пути::вставка_шара(const jadro::РезультатДвижения& результат) {
    ЖивыеШары& цепь = *шары_на_путях.at(результат.номер_пути);
    if (цепь.length() == 0) return false;
    auto шар = новый_шар_на_позицию(результат.номер_пути, результат.цвет, результат.сегмент, результат.смещение, 0);
    if (цепь.проверка_нахождения_рядом(*шар)) {
        цепь.вставка(std::move(шар));
        return true;
    }
    шар->убить();
    shariki::мёртвые_шары.push_front(std::move(шар));
    return false;
}

bool Пути::нахождение_близкого_шарика(const jadro::РезультатДвижения& результат) {
    for (std::size_t i = 0; i < шары_на_путях.size(); ++i) {
        const put::Путь& путь = *пути[i];
        for (const auto& шар : шары_на_путях[i]->шары) {
            if (!шар->шарик->проверка_нахождения_рядом(результат.точка) || !путь.сегмент_не_в_разрыве(шар->сегмент))
                continue;
            const Пересечение ближайшая =
                путь.поиск_ближайшей_точки(static_cast<std::uint32_t>(i), шар->сегмент, результат.точка);
            шары_на_путях[i]->вставка(
                новый_шар_на_позицию(i, результат.цвет, ближайшая.сегмент, ближайшая.смещение, 0));
            return true;
        }
    }
    return false;
}

void Пути::действующие_шары(float dt) {
    // The expired ones leave the map after its walk.
    std::vector<НомераПутиИШара> истекли;
    for (const auto& [ключ, шар] : живые_действующие_шары) {
        шар->время_жизни -= dt;
        if (шар->время_жизни < 0.0f) истекли.push_back(ключ);
    }
    for (const НомераПутиИШара& ключ : истекли) {
        const auto найден = живые_действующие_шары.find(ключ);
        const std::shared_ptr<sharik::ДействующийШарНаПути> шар = найден->second;
        живые_действующие_шары.erase(найден);
        // A ball its chain no longer holds is retired all the same, with nothing in its place.
        const std::int32_t индекс = ключ.номер_пути < шары_на_путях.size()
                                        ? шары_на_путях[ключ.номер_пути]->поиск_шара(ключ.номер_шара)
                                        : -1;
        if (индекс >= 0) {
            // The plain ball takes the action ball's very place, also on the exit segment.
            auto простой = шар_у_входа(ключ.номер_пути, шар->шарик->получить_номер_материала());
            простой->сегмент = шар->сегмент;
            простой->смещение = шар->смещение;
            простой->уровень_объединения = шар->уровень_объединения;
            простой->шарик->задать_позицию(шар->шарик->получить_позицию());
            шары_на_путях[ключ.номер_пути]->opIndexAssign(std::move(простой), static_cast<std::uint64_t>(индекс));
        }
        sharik::разрешить_действие(шар->вид_действия);
        шар->убить();
        shariki::мёртвые_действующие_шары.push_front(шар);
    }
    for (std::size_t i = 0; i < шары_на_путях.size(); ++i)
        шары_на_путях[i]->действующий_шарик(static_cast<std::uint32_t>(i), dt);
}

РезультатДействий Пути::обработать_действия(float dt) {
    const auto& настройки = nastroiki::настройки;
    продлить(состояния_действий[ПАУЗА], dt, настройки.время_паузы());
    продлить(состояния_действий[НАЗАД], dt, настройки.время_назад());
    продлить(состояния_действий[ПРИЦЕЛ], dt, настройки.время_прицела());

    std::vector<НомераПутиИШара> попадания;
    if (состояния_действий[БОМБА].активно) {
        попадания = сделать_взрыв(состояния_действий[БОМБА].место,
                                  static_cast<float>(настройки.радиус_взрыва_бомбы()));
        состояния_действий[БОМБА].активно = false;
    }
    if (состояния_действий[МИКРОСАМОЛЁТИК].активно) {
        if (!самолёт->живой()) {
            самолёт->возродить();
        } else if (const samolet::РезультатДвижения полёт = самолёт->движение(dt); !полёт.летит) {
            состояния_действий[МИКРОСАМОЛЁТИК].активно = false;
            sharik::разрешить_действие(МИКРОСАМОЛЁТИК);
            самолёт->убить();
        } else {
            const auto радиус = static_cast<float>(настройки.радиус_взрыва_авиабомбы());
            for (const Вектор3& точка : полёт.взрывы) дописать(попадания, сделать_взрыв(точка, радиус));
        }
    }
    return {состояния_действий[ПРИЦЕЛ].активно, взорвать(попадания)};
}

std::vector<ДанныеВзрыва> Пути::взорвать(const std::vector<НомераПутиИШара>& попадания) {
    std::vector<ДанныеВзрыва> взрывы;
    if (попадания.empty()) return взрывы;
    for (std::size_t i = 0; i < шары_на_путях.size(); ++i) {
        std::vector<std::uint32_t> номера;
        for (const НомераПутиИШара& попадание : попадания)
            if (попадание.номер_пути == i) номера.push_back(попадание.номер_шара);
        if (!номера.empty()) дописать(взрывы, шары_на_путях[i]->взорвать_несколько_шариков(номера));
    }
    return взрывы;
}

std::vector<НомераПутиИШара> Пути::сделать_взрыв(const Вектор3& центр, float радиус) {
    std::vector<НомераПутиИШара> попадания;
    for (std::size_t i = 0; i < шары_на_путях.size(); ++i) {
        const auto& шары = шары_на_путях[i]->шары;
        for (std::size_t j = 0; j < шары.size(); ++j)
            if (шары[j]->шарик->получить_позицию().расстояние(центр) < радиус)
                попадания.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)});
    }
    if (попадания.empty()) return попадания;
    const int очки = ОЧКОВ_ЗА_ШАР_ВО_ВЗРЫВЕ * static_cast<int>(попадания.size());
    if (igrovaja_statistika::игровая_статистика) igrovaja_statistika::игровая_статистика->добавить_очки(очки);
    const std::uint32_t цвет = shariki::живые_цвета.empty() ? 0 : sluchainost::один_из(shariki::живые_цвета);
    cifry::добавить_число(очки, static_cast<int>(цвет), центр);
    return попадания;
}

void Пути::запустить_самолёт() {
    if (самолёт->живой()) самолёт->убить();
    состояния_действий[МИКРОСАМОЛЁТИК].активно = true;
    самолёт->возродить();
}

bool Пути::кончились_шары() const {
    return std::none_of(шары_на_путях.begin(), шары_на_путях.end(),
                        [](const auto& цепь) { return цепь->присутствуют_шары(); });
}

void Пути::поворот_объектов_в_шариках(float dt) {
    for (const auto& [ключ, шар] : живые_действующие_шары) шар->шарик->поворот_объекта(dt);
}

}  // namespace puti
