#include "src/vzryv.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <numeric>
#include <stdexcept>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "src/nastroiki.hpp"
#include "src/sluchainost.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/skelet.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_object.hpp"

namespace vzryv {

std::vector<std::shared_ptr<Взрыв>> живые_взрывы;
std::forward_list<std::shared_ptr<Взрыв>> мёртвые_взрывы;

namespace {

using my_utils::format::sprintf;
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

constexpr const char* МОДУЛЬ = "взрыв";
constexpr const char* РЕСУРС = "взрыв";

bool цвет_допустим(std::int32_t цвет) {
    return цвет >= 0 && static_cast<std::size_t>(цвет) < sharik::материалы_действующие.size();
}

// Every explosion is turned at random: a uniformly drawn axis and angle.
Кватернион случайная_ориентация() {
    Вектор3 ось{sluchainost::равномерное(-1.0f, 1.0f), sluchainost::равномерное(-1.0f, 1.0f),
                sluchainost::равномерное(-1.0f, 1.0f)};
    ось.нормализация();
    const auto угол = static_cast<float>(sluchainost::равномерное_d(-std::numbers::pi, std::numbers::pi));
    const float s = std::sin(угол / 2.0f);
    return {std::cos(угол / 2.0f), s * ось.x, s * ось.y, s * ось.z};
}

}  // namespace

Взрыв::Взрыв(std::uint32_t номер_, std::int32_t цвет, const Вектор3& позиция_) {
    if (!цвет_допустим(цвет)) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return sprintf("Попытка построения взрыва с недопустимым номером цвета %d", цвет); });
        return;
    }
    материалы = &sharik::материалы_основные;
    номер_материала = цвет;
    позиция = позиция_;
    номер = sprintf("%04d", номер_);
    const auto ресурс = std::dynamic_pointer_cast<zyr::mesh::МешСоСкелетом>(zyr::менеджер->получить_меш(РЕСУРС));
    место = zyr::менеджер->начальное_место()->создать_ребёнка("место_взрыва_" + номер, позиция,
                                                              случайная_ориентация(), Вектор3::ЕДИНИЦА_МАСШТАБА);
    const auto скелет = zyr::менеджер->получить_скелет(РЕСУРС);
    // A mesh that is not skinned has no animation to play: it counts as missing.
    if (!ресурс || !скелет) return;
    меш = std::make_shared<zyr::mesh::МешСоСкелетом>(*ресурс);
    объект = std::make_shared<zyr::zyr_object::Объект>("объект_взрыв_" + номер, меш, nullptr);
    новый_материал(цвет);
    место->присоединить_объект(объект);
    меш->присвоить_скелет(скелет);
    меш->установить_состояние_анимации(АНИМАЦИЯ, 1.0f);
    живой_ = true;
}

Взрыв::~Взрыв() {
    if (место) место->отсоединить_все_объекты();
}

bool Взрыв::анимация(float dt) {
    прошло += dt;
    if (!меш) return true;
    // The skeleton holds the frame within the animation's range.
    меш->установить_состояние_анимации(АНИМАЦИЯ, прошло * КАДРОВ_В_СЕКУНДУ);
    return прошло > ДЛИТЕЛЬНОСТЬ;
}

void Взрыв::возродить_на_позицию(std::int32_t цвет, const Вектор3& позиция_) {
    if (!цвет_допустим(цвет))
        throw std::out_of_range(sprintf("Попытка возрождения взрыва с недопустимым номером цвета %d", цвет));
    прошло = 0.0f;
    if (объект) возродить(цвет);
    else номер_материала = цвет;
    задать_позицию(позиция_);
}

std::string Взрыв::toString() const { return sprintf("Взрыв(%s)", номер); }

void добавить_взрывы(const std::vector<ДанныеВзрыва>& данные) {
    if (nastroiki::настройки.паника() != 0) return;
    for (const ДанныеВзрыва& д : данные) {
        const auto цвет = static_cast<std::int32_t>(д.номер_цвета);
        if (мёртвые_взрывы.empty() || !цвет_допустим(цвет)) {
            живые_взрывы.push_back(std::make_shared<Взрыв>(nastroiki::получить_новый_номер(), цвет, д.позиция));
            continue;
        }
        живые_взрывы.push_back(std::move(мёртвые_взрывы.front()));
        мёртвые_взрывы.pop_front();
        живые_взрывы.back()->возродить_на_позицию(цвет, д.позиция);
    }
}

void анимация_взрывов(float dt) {
    std::vector<std::uint64_t> закончились;
    for (std::size_t i = 0; i < живые_взрывы.size(); ++i)
        if (живые_взрывы[i]->анимация(dt)) закончились.push_back(i);
    if (!закончились.empty()) удалить_взрывы(std::move(закончились));
}

void удалить_взрывы(std::vector<std::uint64_t> номера) {
    std::sort(номера.begin(), номера.end(), std::greater<>());
    номера.erase(std::unique(номера.begin(), номера.end()), номера.end());
    if (!номера.empty() && номера.front() >= живые_взрывы.size())
        throw std::out_of_range(sprintf("Номер взрыва %d вне списка из %d живых взрывов", номера.front(),
                                        живые_взрывы.size()));
    // From the largest down, so that every removal leaves the smaller indices valid.
    for (const std::uint64_t i : номера) {
        const auto место = живые_взрывы.begin() + static_cast<std::ptrdiff_t>(i);
        std::shared_ptr<Взрыв> взрыв = std::move(*место);
        живые_взрывы.erase(место);
        взрыв->убить();
        if (взрыв->место) мёртвые_взрывы.push_front(std::move(взрыв));
    }
}

void удалить_все_взрывы() {
    std::vector<std::uint64_t> все(живые_взрывы.size());
    std::iota(все.begin(), все.end(), std::uint64_t{0});
    удалить_взрывы(std::move(все));
}

}  // namespace vzryv
