// Module zyr.mesh: the mesh registry and the mesh part of object descriptions.
#include <nlohmann/json.hpp>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"

namespace zyr::mesh {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;

void ошибка(const std::string& текст) { в_журнал("меш", УровниЖурнала::Ошибка, текст); }

}  // namespace

bool ЗагруженныеМеши::загрузить_один(const std::string& имя) {
    return загрузить_из_файла(имя, имя, "меш", "меш", "Отсутствует файл меша %s", "Ошибка в файле меша %s",
                              [](const std::string& путь) { return выбор_меша(путь); });
}

std::shared_ptr<Меш> ЗагруженныеМеши::получить(const std::string& имя) {
    const auto найденный = кэш.find(имя);
    if (найденный == кэш.end()) {
        if (!загрузить_один(имя)) {
            в_журнал("меш", УровниЖурнала::Ошибка,
                     [&] { return fmt::sprintf("Отсутствует ресурс меша с именем: %s", имя); });
            return nullptr;
        }
        // The first requester shares the registry's own instance.
        return кэш.at(имя);
    }

    const auto& меш = найденный->second;
    if (!меш->независимые_копии()) return меш;
    if (меш->версия() == 1) return std::make_shared<Меш>(*меш);
    if (меш->версия() == 2) {
        if (const auto* со_скелетом = dynamic_cast<const МешСоСкелетом*>(меш.get())) {
            return std::make_shared<МешСоСкелетом>(*со_скелетом);
        }
    }
    в_журнал("меш", УровниЖурнала::Ошибка, [&] {
        return fmt::sprintf("Ресурс меша с именем: %s содержал меш несуществующей версии!", имя);
    });
    return nullptr;
}

std::shared_ptr<Меш> меш_из_JSON(const nlohmann::json& описание, istochnik_resursov::ИсточникРесурсов& источник) {
    std::string имя;
    std::shared_ptr<Меш> меш;
    try {
        const auto& поле = описание.at("имя");
        if (поле.is_string()) {
            имя = поле.get<std::string>();
            меш = источник.получить_меш(имя);
        }
    } catch (const std::exception&) {
        меш = nullptr;
    }
    // A name the registry cannot serve leaves nothing to apply the other keys to.
    if (!меш) {
        ошибка("Ошибка получения данных из json для создания меша");
        throw МешИсключение("Не удалось создать меш из json-файла!");
    }

    if (const auto тип = описание.find("тип_отрисовки"); тип != описание.end() && меш->версия() == 1) {
        if (!тип->is_boolean()) {
            ошибка("Ошибка определения типа отрисовки для Меша с именем " + имя);
        } else if (тип->get<bool>() && !меш->отдельные_буферы()) {
            меш->включить_отдельные_буферы();
        }
    }

    if (const auto независимые = описание.find("независимые_копии"); независимые != описание.end()) {
        if (независимые->is_boolean()) {
            меш->задать_независимые_копии(независимые->get<bool>());
        } else {
            ошибка("Ошибка определения независимости копий для Меша с именем " + имя);
        }
    }

    if (const auto скелет = описание.find("скелет"); скелет != описание.end()) {
        try {
            if (скелет->is_string()) {
                if (auto найденный = источник.получить_скелет(скелет->get<std::string>())) {
                    меш->присвоить_скелет(std::move(найденный));
                }
            }
        } catch (const std::exception&) {
        }
    }
    return меш;
}

}  // namespace zyr::mesh
