#include "zyr/zyr_object.hpp"

#include <nlohmann/json.hpp>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/dvoichnyi_fail.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"

namespace zyr::zyr_object {

std::int32_t номер_объекта = 0;

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

template <class... Аргументы>
void ошибка(std::string_view формат, const Аргументы&... аргументы) {
    в_журнал("объект", УровниЖурнала::Ошибка, [&] { return my_utils::format::sprintf(формат, аргументы...); });
}

std::shared_ptr<material::Материал> или_новый(std::shared_ptr<material::Материал> материал) {
    return материал ? std::move(материал) : std::make_shared<material::Материал>();
}

}  // namespace

std::string Объект::новое_имя(const std::string& база) {
    // Wraps around instead of overflowing; two billion objects are never made.
    номер_объекта = static_cast<std::int32_t>(static_cast<std::uint32_t>(номер_объекта) + 1u);
    return база + std::to_string(номер_объекта);
}

Объект::Объект(const std::string& имя, std::shared_ptr<mesh::Меш> меш, std::shared_ptr<material::Материал> материал)
    : ДвижимыйОбъект(новое_имя(имя)),
      меш_(std::move(меш)),
      материал_(или_новый(std::move(материал))),
      базовое_имя_(имя) {}

Объект::Объект(const Объект& другой)
    : ДвижимыйОбъект(новое_имя(другой.базовое_имя_)),
      меш_(другой.меш_),
      материал_(другой.материал_),
      базовое_имя_(другой.базовое_имя_) {}

void Объект::рисовать(std::uint32_t проход) {
    const std::uint32_t свой_проход = материал_->получить_прозрачность() ? 2 : 1;
    if (проход != свой_проход || !меш_) return;
    материал_->рисовать();
    меш_->рисовать();
}

std::int32_t Объект::количество_граней() const { return меш_ ? меш_->количество_граней() : 0; }

void Объект::новый_меш(std::shared_ptr<mesh::Меш> меш) { меш_ = std::move(меш); }

void Объект::новый_материал(std::shared_ptr<material::Материал> материал) {
    материал_ = или_новый(std::move(материал));
}

std::shared_ptr<material::Материал> Объект::получить_материал() const { return материал_; }

std::shared_ptr<mesh::Меш> Объект::получить_меш() const { return меш_; }

std::shared_ptr<Объект> Объект::из_JSON(const nlohmann::json& описание,
                                        istochnik_resursov::ИсточникРесурсов& менеджер) {
    std::string имя;
    std::shared_ptr<mesh::Меш> меш;
    try {
        имя = описание.at("имя").get_ref<const nlohmann::json::string_t&>();
        const auto& часть_меша = описание.at("меш");
        if (!часть_меша.is_object()) return nullptr;
        меш = mesh::меш_из_JSON(часть_меша, менеджер);
    } catch (const std::exception&) {
        return nullptr;
    }

    std::shared_ptr<material::Материал> материал;
    if (const auto часть = описание.find("материал"); часть != описание.end()) {
        материал = material::Материал::из_JSON(*часть, менеджер);
    }
    return std::make_shared<Объект>(имя, std::move(меш), std::move(материал));
}

ЗагруженныеОбъекты::ЗагруженныеОбъекты(std::shared_ptr<const resources::ИменаРесурсов> имена,
                                       istochnik_resursov::ИсточникРесурсов& менеджер)
    : ЗагруженныеРесурсы(std::move(имена)), менеджер_(менеджер) {}

bool ЗагруженныеОбъекты::загрузить_один(const std::string& имя) {
    const auto файл = файл_ресурса(имя, имя, "объект", "объект", "Отсутствует файл объекта %s");
    if (!файл) return false;
    const std::string& путь = *файл;

    // One bad data file must not end the game: an unreadable file and a faulty
    // material part are reported like an unparsable file.
    std::shared_ptr<Объект> объект;
    try {
        const auto файл = dvoichnyi_fail::прочитать_весь_файл(путь);
        if (!файл.прочитан) throw std::runtime_error("не читается");
        const auto* начало = reinterpret_cast<const char*>(файл.байты.data());
        const auto описание = nlohmann::json::parse(начало, начало + файл.байты.size());
        объект = Объект::из_JSON(описание, менеджер_);
    } catch (const std::exception&) {
        ошибка("Ошибка в файле объекта %s", путь);
        return false;
    }
    if (!объект) {
        ошибка("Ошибка в файле объекта или меша %s", путь);
        return false;
    }
    кэш.insert_or_assign(имя, std::move(объект));
    return true;
}

std::shared_ptr<Объект> ЗагруженныеОбъекты::получить(const std::string& имя) {
    if (const auto найденный = кэш.find(имя); найденный != кэш.end()) {
        return std::make_shared<Объект>(*найденный->second);
    }
    if (!загрузить_один(имя)) {
        ошибка("Отсутствует ресурс объекта с именем: %s", имя);
        return nullptr;
    }
    return кэш.at(имя);
}

}  // namespace zyr::zyr_object
