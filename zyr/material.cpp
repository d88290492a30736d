#include "zyr/material.hpp"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include <nlohmann/json.hpp>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace zyr::material {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
namespace graphika_gl = zavisimost::graphika_gl;

std::string компоненты(const Цвет& цвет) {
    return my_utils::format::sprintf("%.2g, %.2g, %.2g, %.2g", цвет[0], цвет[1], цвет[2], цвет[3]);
}

// Textures have no text form of their own; the class name without its
// namespaces tells the kinds apart (a GL texture from a test double).
std::string имя_класса(const texture::Текстура& текстура) {
    const char* искажённое = typeid(текстура).name();
    int состояние = 0;
    char* прочитанное = abi::__cxa_demangle(искажённое, nullptr, nullptr, &состояние);
    std::string имя = (состояние == 0 && прочитанное != nullptr) ? прочитанное : искажённое;
    std::free(прочитанное);
    if (const auto место = имя.rfind("::"); место != std::string::npos) имя.erase(0, место + 2);
    return имя;
}

float компонента_цвета(const nlohmann::json& элемент, const std::string& ключ) {
    if (элемент.is_number_integer()) {
        return элемент.is_number_unsigned() ? static_cast<float>(элемент.get<std::uint64_t>())
                                            : static_cast<float>(элемент.get<std::int64_t>());
    }
    if (элемент.is_number_float()) return static_cast<float>(элемент.get<double>());
    throw МатериалИсключение(ключ);
}

}  // namespace

void Материал::задать_диффузную_текстуру(std::shared_ptr<texture::Текстура> текстура) {
    диффузная_текстура_ = std::move(текстура);
}

void Материал::задать_текстуру_нормалей(std::shared_ptr<texture::Текстура> текстура) {
    текстура_нормалей_ = std::move(текстура);
}

void Материал::задать_бликовую_текстуру(std::shared_ptr<texture::Текстура> текстура) {
    бликовая_текстура_ = std::move(текстура);
}

void Материал::задать_диффузный_цвет(const Цвет& цвет) {
    диффузный_цвет_ = цвет;
    if (!окружающий_задан_) {
        for (std::size_t i = 0; i < 4; ++i) окружающий_цвет_[i] = цвет[i] / 5.0f;
        окружающий_цвет_[3] = 1.0f;
    }
}

void Материал::задать_окружающий_цвет(const Цвет& цвет) {
    окружающий_цвет_ = цвет;
    окружающий_задан_ = true;
}

void Материал::задать_бликовый_цвет(const Цвет& цвет) { бликовый_цвет_ = цвет; }

void Материал::задать_степень_блика(float степень) { степень_блика_ = степень; }

void Материал::задать_присутствие_прозрачности(bool прозрачность) { присутствует_прозрачность_ = прозрачность; }

bool Материал::получить_прозрачность() const { return присутствует_прозрачность_; }

void Материал::рисовать() {
    graphika_gl::gl_задать_окружающий_материал(окружающий_цвет_);
    if (!бликовая_текстура_) graphika_gl::gl_задать_бликовый_материал(бликовый_цвет_);
    graphika_gl::gl_задать_диффузный_материал(диффузный_цвет_);
    if (диффузная_текстура_) {
        диффузная_текстура_->рисовать();
    } else {
        graphika_gl::gl_отключить_текстуры();
    }
    graphika_gl::gl_задать_степень_блика(степень_блика_);
}

std::string Материал::toString() const {
    std::string текст = "Материал: ";
    if (диффузная_текстура_) {
        текст += my_utils::format::sprintf("Диффузная текстура(%s) ", имя_класса(*диффузная_текстура_));
    } else {
        текст += "Диффуз(" + компоненты(диффузный_цвет_) + ") ";
    }
    текст += "Окружающий(" + компоненты(окружающий_цвет_) + ") ";
    текст += "Блик(" + компоненты(бликовый_цвет_) + ") ";
    return текст;
}

void Материал::задать_цвет_из_json(const nlohmann::json& объект, const std::string& ключ,
                                   const std::function<void(const Цвет&)>& задать) {
    const auto значение = объект.find(ключ);
    if (значение == объект.end()) return;
    try {
        // A shorter array has no colour to give; it is refused like any unreadable one.
        if (!значение->is_array() || значение->size() < 4) throw МатериалИсключение(ключ);
        Цвет цвет{};
        for (std::size_t i = 0; i < 4; ++i) цвет[i] = компонента_цвета((*значение)[i], ключ);
        задать(цвет);
    } catch (const std::exception&) {
        в_журнал("материал", УровниЖурнала::Ошибка,
                 [&] { return my_utils::format::sprintf("не получилось создать %s", ключ); });
    }
}

std::shared_ptr<Материал> Материал::из_JSON(const nlohmann::json& описание,
                                            istochnik_resursov::ИсточникРесурсов& менеджер) {
    // Refuses anything but an object with the library's own type error.
    static_cast<void>(описание.get_ref<const nlohmann::json::object_t&>());

    auto материал = std::make_shared<Материал>();
    задать_цвет_из_json(описание, "диффузный_цвет", [&](const Цвет& цвет) { материал->задать_диффузный_цвет(цвет); });
    задать_цвет_из_json(описание, "окружающий_цвет",
                        [&](const Цвет& цвет) { материал->задать_окружающий_цвет(цвет); });
    задать_цвет_из_json(описание, "бликовый_цвет", [&](const Цвет& цвет) { материал->задать_бликовый_цвет(цвет); });

    if (const auto степень = описание.find("степень_блика"); степень != описание.end()) {
        материал->задать_степень_блика(
            static_cast<float>(степень->get_ref<const nlohmann::json::number_float_t&>()));
    }
    if (const auto текстура = описание.find("диффузная_текстура"); текстура != описание.end()) {
        const auto& имя = текстура->get_ref<const nlohmann::json::string_t&>();
        if (auto найденная = менеджер.получить_текстуру(имя)) материал->задать_диффузную_текстуру(std::move(найденная));
    }
    if (const auto прозрачность = описание.find("присутствует_прозрачность"); прозрачность != описание.end()) {
        if (прозрачность->is_boolean() && прозрачность->get<bool>()) материал->задать_присутствие_прозрачности(true);
    }
    return материал;
}

}  // namespace zyr::material
