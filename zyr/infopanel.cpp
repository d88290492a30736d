#include "zyr/infopanel.hpp"

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include <nlohmann/json.hpp>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace zyr::infopanel {

namespace {

using my_utils::journal::УровниЖурнала;
using nlohmann::json;

constexpr const char* МОДУЛЬ = "инфопанель";

void ошибка(std::string текст) { my_utils::journal::в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, std::move(текст)); }

// Truncation towards zero, refusing what an int32 cannot hold.
std::int32_t в_целое(float значение) {
    const double целое = std::trunc(static_cast<double>(значение));
    if (!std::isfinite(целое) || целое < std::numeric_limits<std::int32_t>::min() ||
        целое > std::numeric_limits<std::int32_t>::max()) {
        throw ИнфопанельИсключение(
            my_utils::format::sprintf("Координата инфопанели %s не приводится к целому числу", значение));
    }
    return static_cast<std::int32_t>(целое);
}

}  // namespace

Инфопанель::Инфопанель(std::string имя, istochnik_resursov::ИсточникРесурсов& менеджер)
    : менеджер_(&менеджер), имя_(std::move(имя)) {
    инициализация_контейнера();
}

Инфопанель::Инфопанель(std::string имя, istochnik_resursov::ИсточникРесурсов& менеджер, ТипКоординат тип, float x,
                       float y, float ш, float в)
    : Инфопанель(std::move(имя), менеджер) {
    установить_координаты(тип, x, y, ш, в);
}

Инфопанель::~Инфопанель() = default;

void Инфопанель::инициализация_контейнера() {
    контейнер_ = std::make_shared<element_infopaneli::ЭлементИнфопанели>(имя_ + "_контейнер", true, 0.0f, 0.0f, 1.0f,
                                                                        1.0f);
}

void Инфопанель::задать_координаты(ТипКоординат тип, float x, float y, float ш, float в) {
    установить_координаты(тип, x, y, ш, в);
}

void Инфопанель::установить_координаты(ТипКоординат тип, float x, float y, float ш, float в) {
    const bool известный = тип == ТипКоординат::Абсолютно || тип == ТипКоординат::Относительно ||
                           тип == ТипКоординат::ОтносительноX || тип == ТипКоординат::ОтносительноY;
    if (!известный) {
        тип_ = тип;
        return;
    }
    const std::int32_t ширина_окна = zavisimost::okno_SDL2::параметры_окна.ширина;
    const std::int32_t высота_окна = zavisimost::okno_SDL2::параметры_окна.высота;
    if (ширина_окна <= 0 || высота_окна <= 0) {
        const auto текст = my_utils::format::sprintf("Инфопанель %s не размещается в окне размером %s x %s", имя_,
                                                     ширина_окна, высота_окна);
        ошибка(текст);
        throw ИнфопанельИсключение(текст);
    }
    const auto W = static_cast<float>(ширина_окна);
    const auto H = static_cast<float>(высота_окна);

    float ох = 0, оу = 0, ош = 0, ов = 0;
    std::int32_t пх = 0, пу = 0, пш = 0, пв = 0;
    switch (тип) {
        case ТипКоординат::Абсолютно:
            if (x < 0) x = W + x;
            if (y < 0) y = H + y;
            пх = в_целое(x);
            пу = в_целое(y);
            пш = в_целое(ш);
            пв = в_целое(в);
            ох = static_cast<float>(пх) / W;
            оу = static_cast<float>(пу) / H;
            ош = ш / W;
            ов = в / H;
            break;
        case ТипКоординат::Относительно:
            if (x < 0) x += 1.0f;
            if (y < 0) y += 1.0f;
            ох = x;
            оу = y;
            ош = ш;
            ов = в;
            пх = в_целое(x * W);
            пу = в_целое(y * H);
            пш = в_целое(W * ш);
            пв = в_целое(H * в);
            break;
        case ТипКоординат::ОтносительноX:
            if (x < 0) x += 1.0f;
            ох = x;
            пх = в_целое(x * W);
            ош = ш;
            пш = в_целое(W * ш);
            пв = в_целое(W * в);
            ов = static_cast<float>(пв) / H;
            оу = (W * y) / H + (y < 0 ? 1.0f : 0.0f);
            пу = в_целое(оу * H);
            break;
        case ТипКоординат::ОтносительноY:
            if (y < 0) y += 1.0f;
            оу = y;
            пу = в_целое(H * y);
            ов = в;
            пв = в_целое(H * в);
            пш = в_целое(H * ш);
            ош = static_cast<float>(пш) / W;
            ох = (H * x) / W + (x < 0 ? 1.0f : 0.0f);
            пх = в_целое(W * ох);
            break;
    }
    тип_ = тип;
    отн_x_ = ох;
    отн_y_ = оу;
    отн_ш_ = ош;
    отн_в_ = ов;
    x_ = пх;
    y_ = пу;
    ширина_ = пш;
    высота_ = пв;
    контейнер_->рассчитать_абсолютные_координаты(ширина_, высота_);
}

void Инфопанель::задать_видимость(bool видимость) { видимость_ = видимость; }
bool Инфопанель::получить_видимость() const { return видимость_; }
void Инфопанель::поменять_видимость() { видимость_ = !видимость_; }
std::string Инфопанель::получить_имя() const { return имя_; }

void Инфопанель::присоединить_элемент(const Элемент& элемент) { контейнер_->присоединить_элемент(элемент); }
Инфопанель::Элемент Инфопанель::отсоединить_элемент(const Элемент& элемент) {
    return контейнер_->отсоединить_элемент(элемент);
}
Инфопанель::Элемент Инфопанель::отсоединить_элемент(const std::string& имя) {
    return контейнер_->отсоединить_элемент(имя);
}
Инфопанель::Элемент Инфопанель::получить_элемент(const std::string& имя) const {
    return контейнер_->получить_элемент(имя);
}

void Инфопанель::рисовать() {
    if (!видимость_) return;
    zavisimost::graphika_gl::gl_подготовить_рисование_инфопанели(x_, y_, ширина_, высота_);
    контейнер_->рисовать();
}

bool Инфопанель::проверить_точку(int x, int y) const {
    const std::int64_t правый = std::int64_t{x_} + ширина_;
    const std::int64_t верхний = std::int64_t{y_} + высота_;
    return x >= x_ && y >= y_ && x <= правый && y <= верхний;
}

types::Координаты2D<float> Инфопанель::внутренние_координаты_точки(int x, int y) const {
    const auto доля = [](int точка, std::int32_t начало, std::int32_t размер) {
        if (размер == 0) return std::numeric_limits<float>::quiet_NaN();
        return static_cast<float>(std::int64_t{точка} - начало) / static_cast<float>(размер);
    };
    return {доля(x, x_, ширина_), доля(y, y_, высота_)};
}

ТипКоординат Инфопанель::преобразовать_тип_координат(const std::string& текст) {
    if (текст == "Относительно") return ТипКоординат::Относительно;
    if (текст == "ОтносительноX") return ТипКоординат::ОтносительноX;
    if (текст == "ОтносительноY") return ТипКоординат::ОтносительноY;
    return ТипКоординат::Абсолютно;
}

std::shared_ptr<Инфопанель> Инфопанель::из_JSON(const json& описание, istochnik_resursov::ИсточникРесурсов& менеджер) {
    if (!описание.is_object()) return nullptr;
    const auto имя = описание.find("имя");
    const auto координаты = описание.find("координаты");
    if (имя == описание.end() || !имя->is_string() || координаты == описание.end() || !координаты->is_array()) {
        return nullptr;
    }

    ТипКоординат тип = ТипКоординат::Абсолютно;
    if (const auto тип_json = описание.find("тип_координат"); тип_json != описание.end() && тип_json->is_string()) {
        тип = преобразовать_тип_координат(тип_json->get<std::string>());
    }

    if (координаты->size() < 4) return nullptr;
    std::array<float, 4> числа{};
    for (std::size_t i = 0; i < 4; ++i) {
        const json& число = (*координаты)[i];
        if (!число.is_number_float()) return nullptr;
        const double значение = число.get<double>();
        if (!(std::abs(значение) <= std::numeric_limits<float>::max())) return nullptr;
        числа[i] = static_cast<float>(значение);
    }

    std::shared_ptr<Инфопанель> панель;
    try {
        панель = std::make_shared<Инфопанель>(имя->get<std::string>(), менеджер, тип, числа[0], числа[1], числа[2],
                                              числа[3]);
    } catch (const std::exception&) {
        return nullptr;
    }

    if (const auto элементы = описание.find("элементы"); элементы != описание.end() && элементы->is_array()) {
        for (const json& описание_элемента : *элементы) {
            if (auto элемент = element_infopaneli::ЭлементИнфопанели::из_JSON(описание_элемента, менеджер)) {
                element_infopaneli::ЭлементИнфопанели::присоединить_из_описания(*панель->контейнер(), элемент);
            }
        }
    }
    return панель;
}

std::string Инфопанель::toString() const {
    return my_utils::format::sprintf(
        "%s включено=%s, x=%s, y=%s, ширина=%s, высота=%s \nотн_x=%s, отн_y=%s, отн_ш=%s, отн_в=%s, \nконтейнер=%s",
        имя_, видимость_, x_, y_, ширина_, высота_, отн_x_, отн_y_, отн_ш_, отн_в_, контейнер_->toString());
}

ЗагруженныеИнфопанели::ЗагруженныеИнфопанели(std::shared_ptr<const resources::ИменаРесурсов> имена,
                                             istochnik_resursov::ИсточникРесурсов& менеджер)
    : ЗагруженныеРесурсы(std::move(имена)), менеджер_(менеджер) {}

bool ЗагруженныеИнфопанели::загрузить_один(const std::string& имя) {
    const auto файл = файл_ресурса(имя, имя, "инфопанель", МОДУЛЬ, "Отсутствует файл инфопанели %s");
    if (!файл) return false;
    const std::string& путь = *файл;

    json описание;
    try {
        std::ifstream файл(путь, std::ios::binary);
        if (!файл) throw ИнфопанельИсключение("файл не открывается");
        const std::string текст{std::istreambuf_iterator<char>(файл), std::istreambuf_iterator<char>()};
        if (файл.bad()) throw ИнфопанельИсключение("файл не читается");
        описание = json::parse(текст);
    } catch (const std::exception&) {
        ошибка(my_utils::format::sprintf("Ошибка парсера в файле инфопанели %s", путь));
        return false;
    }

    std::shared_ptr<Инфопанель> панель;
    try {
        панель = Инфопанель::из_JSON(описание, менеджер_);
    } catch (const std::exception&) {
        панель = nullptr;
    }
    if (!панель) {
        ошибка(my_utils::format::sprintf("Ошибка построения в файле инфопанели %s", путь));
        return false;
    }
    кэш.insert_or_assign(имя, std::move(панель));
    return true;
}

}  // namespace zyr::infopanel
