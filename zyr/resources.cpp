#include "zyr/resources.hpp"

#include <filesystem>
#include <system_error>

namespace zyr::resources {

namespace {

namespace fs = std::filesystem;
using my_utils::journal::УровниЖурнала;

std::string таблица_в_строку(const ИменаРесурсов::ТаблицаИмён& таблица) {
    std::string текст = "Загруженные имена ресурсов: ";
    bool первый_вид = true;
    for (const auto& [вид, имена] : таблица) {
        if (!первый_вид) текст += ", ";
        первый_вид = false;
        текст += "\n" + вид + ": [";
        bool первое_имя = true;
        for (const auto& [имя, путь] : имена) {
            if (!первое_имя) текст += ", ";
            первое_имя = false;
            текст += "\"" + имя + "\":\"" + путь + "\"";
        }
        текст += "]";
    }
    return текст;
}

}  // namespace

std::string расширение_в_нижнем_регистре(const std::string& расширение) {
    std::string результат;
    результат.reserve(расширение.size());
    for (std::size_t i = 0; i < расширение.size(); ++i) {
        const auto байт = static_cast<unsigned char>(расширение[i]);
        if (байт >= 'A' && байт <= 'Z') {
            результат += static_cast<char>(байт - 'A' + 'a');
        } else if (расширение.compare(i, 2, "\xC4\xB0") == 0) {  // U+0130 LATIN CAPITAL LETTER I WITH DOT ABOVE
            результат += 'i';
            i += 1;
        } else if (расширение.compare(i, 3, "\xE2\x84\xAA") == 0) {  // U+212A KELVIN SIGN
            результат += 'k';
            i += 2;
        } else {
            результат += static_cast<char>(байт);
        }
    }
    return результат;
}

ИменаРесурсов::ИменаРесурсов(std::vector<std::string> каталоги)
    : каталоги_ресурсов_(std::move(каталоги)),
      таблица_видов_{
          {"меш", {".me"}},
          {"скелет", {".sk"}},
          {"картинка", {".jpg", ".png", ".tga", ".tif"}},
          {"материал", {".ma"}},
          {"объект", {".ob"}},
          {"инфопанель", {".ip"}},
          {"TTF_шрифт", {".ttf", ".fon"}},
          {"texfontattr", {".fnattr"}},
      } {}

std::shared_ptr<ИменаРесурсов> ИменаРесурсов::создать(std::vector<std::string> каталоги) {
    std::shared_ptr<ИменаРесурсов> имена(new ИменаРесурсов(std::move(каталоги)));
    имена->начальная_загрузка();
    return имена;
}

void ИменаРесурсов::начальная_загрузка() {
    загрузить_имена_файлов(каталоги_ресурсов_);
    my_utils::journal::в_журнал("ресурсы", УровниЖурнала::Информация, [&] {
        return my_utils::journal::журнал_многострочное_форматирование(таблица_в_строку(таблица_имён_));
    });
}

void ИменаРесурсов::загрузить_имена_файлов(const std::vector<std::string>& каталоги) {
    // Extension -> kind, built once per scan; no extension belongs to two kinds.
    std::map<std::string, std::string> вид_расширения;
    for (const auto& [вид, расширения] : таблица_видов_) {
        for (const auto& расширение : расширения) вид_расширения.emplace(расширение, вид);
    }

    for (const auto& каталог : каталоги) {
        std::error_code ошибка;
        if (!fs::is_directory(fs::path(каталог), ошибка)) continue;

        // A directory that exists but cannot be read throws to the caller.
        for (const auto& запись : fs::directory_iterator(fs::path(каталог))) {
            const std::string имя_файла = запись.path().filename().string();
            const auto точка = имя_файла.rfind('.');
            if (точка == std::string::npos) continue;

            const auto вид = вид_расширения.find(расширение_в_нижнем_регистре(имя_файла.substr(точка)));
            if (вид == вид_расширения.end()) continue;

            std::string путь = каталог;
            if (путь.empty() || путь.back() != '/') путь += '/';
            путь += имя_файла;
            таблица_имён_[вид->second].insert_or_assign(имя_файла.substr(0, точка), std::move(путь));
        }
    }
}

std::string ИменаРесурсов::получить_имя_файла_ресурса(const std::string& имя, const std::string& вид) const {
    if (const auto имена = таблица_имён_.find(вид); имена != таблица_имён_.end()) {
        if (const auto путь = имена->second.find(имя); путь != имена->second.end()) return путь->second;
    }
    throw РесурсыИсключение(вид + "[" + имя + "]");
}

}  // namespace zyr::resources
