#include "src/bonusy.hpp"

#include <limits>
#include <numbers>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "src/cifry.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/nastroiki.hpp"
#include "src/sluchainost.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_object.hpp"

namespace bonusy {

namespace {

using my_utils::format::sprintf;
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
using zyr::quaternion::Кватернион;

constexpr const char* МОДУЛЬ = "унитаз";
constexpr float ПИ = std::numbers::pi_v<float>;
// Where the floating number of a hit shows, as a part of высота_унитаза.
constexpr double ВЫСОТА_ЧИСЛА = 0.7;

std::string новый_номер() { return sprintf("%04d", nastroiki::получить_новый_номер()); }

std::shared_ptr<Место> новое_место(const std::string& имя, const Вектор3& позиция) {
    return zyr::менеджер->начальное_место()->создать_ребёнка(имя, позиция, Кватернион::НОЛЬ,
                                                             Вектор3::ЕДИНИЦА_МАСШТАБА);
}

// Takes место out of its parent, unless another node of the same name took its place there.
void убрать_из_сцены(const std::shared_ptr<Место>& место) {
    if (!место) return;
    const auto родитель = место->получить_родителя();
    if (родитель && родитель->получить_ребёнка(место->получить_имя()) == место) родитель->удалить_ребёнка(место);
}

// Prices are added to the score, an int: an entry that is negative or does not fit
// is no price.
std::uint32_t стоимость_вида(std::uint64_t вид) {
    const auto& стоимости = nastroiki::настройки.стоимости_бонусов();
    if (вид >= стоимости.size()) return СТОИМОСТЬ_ПО_УМОЛЧАНИЮ;
    const std::int64_t стоимость = стоимости[вид];
    if (стоимость < 0 || стоимость > std::numeric_limits<std::int32_t>::max()) return СТОИМОСТЬ_ПО_УМОЛЧАНИЮ;
    return static_cast<std::uint32_t>(стоимость);
}

}  // namespace

// ---- Унитаз ----

Унитаз::Унитаз(std::uint64_t вид, const Вектор3& позиция) {
    if (вид >= ВИДЫ_УНИТАЗОВ.size()) return;
    const auto объект = zyr::менеджер->получить_объект(ВИДЫ_УНИТАЗОВ[вид]);
    if (!объект) return;
    позиция_ = позиция;
    const float рысканье = sluchainost::равномерное(-ПИ, ПИ);
    номер_ = новый_номер();
    место_ = новое_место("место_унитаза_" + номер_, позиция_);
    место_->поворот(рысканье);
    // Upside down under the base until it flips up.
    место_->крен(ПИ);
    место_->присоединить_объект(объект);
    место_->задать_видимость(false);
    стоимость_ = стоимость_вида(вид);
    живой_ = true;
}

Унитаз::~Унитаз() {
    убрать_из_сцены(место_);
    живой_ = false;
}

void Унитаз::поднять() {
    if (!живой_) return;
    место_->задать_видимость(true);
    скрыт_ = false;
    состояние_ = ПОДНИМАЕТСЯ;
}

void Унитаз::опустить() {
    if (!живой_ || состояние_ == ВНИЗУ) return;
    состояние_ = ОПУСКАЕТСЯ;
    таймер_ = 0.0f;
}

bool Унитаз::движение(float dt, Место* основание) {
    if (!живой_) return true;
    switch (состояние_) {
    case ВНИЗУ:
        return true;
    case НАВЕРХУ:
        таймер_ -= dt;
        if (таймер_ > 0.0f) {
            место_->поворот(dt * СКОРОСТЬ_ВРАЩЕНИЯ * static_cast<float>(направление_вращения_));
        } else {
            состояние_ = ОПУСКАЕТСЯ;
            таймер_ = 0.0f;
        }
        return false;
    case ПОДНИМАЕТСЯ: {
        float угол = угол_ + dt * СКОРОСТЬ_ПЕРЕВОРОТА;
        if (угол >= УГОЛ_НАВЕРХУ) {
            состояние_ = НАВЕРХУ;
            таймер_ = ВРЕМЯ_НАВЕРХУ;
            угол = УГОЛ_НАВЕРХУ;
            направление_вращения_ = sluchainost::целое(0, 1) == 0 ? -1 : 1;
        }
        перевернуть(угол, основание);
        return false;
    }
    case ОПУСКАЕТСЯ: {
        float угол = угол_ - dt * СКОРОСТЬ_ПЕРЕВОРОТА;
        if (угол <= УГОЛ_ВНИЗУ) {
            состояние_ = ВНИЗУ;
            угол = УГОЛ_ВНИЗУ;
        }
        перевернуть(угол, основание);
        return состояние_ == ВНИЗУ;
    }
    }
    return true;
}

void Унитаз::перевернуть(float угол, Место* основание) {
    место_->крен(угол - угол_);
    if (основание) основание->крен(угол_ - угол);
    угол_ = угол;
}

// ---- Бонус ----

Бонус::Бонус(const Вектор3& позиция) : позиция_(позиция) {
    const auto основа = zyr::менеджер->получить_объект("бонус_основа");
    место_ = новое_место("место_основы_унитаза_" + новый_номер(), позиция_);
    место_->крен(ПИ);
    if (основа) место_->присоединить_объект(основа);
    for (std::uint64_t вид = 0; вид < ВИДЫ_УНИТАЗОВ.size(); ++вид) {
        auto унитаз = std::make_unique<Унитаз>(вид, позиция_);
        if (унитаз->живой()) унитазы_.push_back(std::move(унитаз));
    }
    поднят_ = false;
    if (унитазы_.empty()) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [] { return std::string("Для объект Бонус не нашлось унитазов"); });
        return;
    }
    живой_ = true;
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация, [&] {
        return sprintf("Создан объект Бонус в %s, возможных унитазов: %d", позиция_.toString(), унитазы_.size());
    });
}

Бонус::~Бонус() {
    унитазы_.clear();
    убрать_из_сцены(место_);
    живой_ = false;
}

void Бонус::поднять() {
    if (!живой_ || поднят_ || унитазы_.empty()) return;
    const auto k = static_cast<std::uint32_t>(sluchainost::индекс(унитазы_.size()));
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
             [&] { return sprintf("Поднимается унитаз %d в %s", k, позиция_.toString()); });
    унитазы_[k]->поднять();
    текущий_ = k;
    поднят_ = true;
}

void Бонус::движение(float dt) {
    if (!живой_ || !поднят_) return;
    if (унитазы_.at(текущий_)->движение(dt, место_.get())) поднят_ = false;
}

bool Бонус::проверка_попадания(const РезультатДвижения& результат) {
    if (!живой_ || !поднят_ || результат.тип == jadro::ТипРезультатаДвижения::НЕ_ЛЕТИТ) return false;
    const auto& точка = результат.точка;
    const double высота_унитаза = nastroiki::настройки.высота_унитаза();
    if (!(static_cast<double>(точка.y) <= высота_унитаза)) return false;
    const float dx = точка.x - позиция_.x;
    const float dz = точка.z - позиция_.z;
    if (!(dx * dx + dz * dz <= КВАДРАТ_РАССТОЯНИЯ_ПОПАДАНИЯ)) return false;

    auto& унитаз = *унитазы_.at(текущий_);
    в_журнал(МОДУЛЬ, УровниЖурнала::Информация,
             [&] { return sprintf("Попадание в унитаз %d в %s!!!", текущий_, позиция_.toString()); });
    const auto стоимость = static_cast<int>(унитаз.стоимость());
    if (const auto& статистика = igrovaja_statistika::игровая_статистика) статистика->добавить_очки(стоимость);
    // Nothing while паника is set.
    cifry::добавить_число(стоимость, static_cast<int>(результат.цвет),
                          {позиция_.x, static_cast<float>(высота_унитаза * ВЫСОТА_ЧИСЛА), позиция_.z});
    унитаз.опустить();
    return true;
}

// ---- Бонусы ----

Бонусы::Бонусы(const std::vector<Координаты2D<float>>& точки) {
    for (const auto& точка : точки) {
        auto бонус = std::make_unique<Бонус>(Вектор3{точка.x, 0.0f, точка.y});
        if (бонус->живой()) бонусы_.push_back(std::move(бонус));
    }
    интервал_ = sluchainost::равномерное(ИНТЕРВАЛ_ОТ, ИНТЕРВАЛ_ДО);
    таймер_ = 0.0f;
}

void Бонусы::попытаться_поднять(float dt) {
    таймер_ += dt;
    if (таймер_ < интервал_) return;
    интервал_ = sluchainost::равномерное(ИНТЕРВАЛ_ОТ, ИНТЕРВАЛ_ДО);
    таймер_ = 0.0f;
    if (!бонусы_.empty()) бонусы_[sluchainost::индекс(бонусы_.size())]->поднять();
}

void Бонусы::движение(float dt) {
    for (const auto& бонус : бонусы_) бонус->движение(dt);
    попытаться_поднять(dt);
}

bool Бонусы::проверка_попадания(const РезультатДвижения& результат) {
    for (const auto& бонус : бонусы_) {
        if (бонус->проверка_попадания(результат)) return true;
    }
    return false;
}

}  // namespace bonusy
