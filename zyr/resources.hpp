// Resource names and registries: files are asked for by kind and short name,
// never by path; each registry loads a resource on its first request and keeps it.
#pragma once

#include <map>
#include <optional>
#include <string_view>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <fmt/printf.h>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"

namespace zyr::resources {

class РесурсыИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The table of resource files by kind and base name, filled once from the
// resource directories. Built through `создать`, which scans after construction.
class ИменаРесурсов {
public:
    using ТаблицаИмён = std::map<std::string, std::map<std::string, std::string>>;

    // Scans the directories (errors reading one that exists reach the caller)
    // and writes the table to the journal.
    static std::shared_ptr<ИменаРесурсов> создать(std::vector<std::string> каталоги);

    virtual ~ИменаРесурсов() = default;
    ИменаРесурсов(const ИменаРесурсов&) = delete;
    ИменаРесурсов& operator=(const ИменаРесурсов&) = delete;

    // Adds the own entries of each directory, in order; a later entry of the
    // same kind and base name replaces the earlier one.
    virtual void загрузить_имена_файлов(const std::vector<std::string>& каталоги);

    // Throws РесурсыИсключение "kind[name]" when the kind has no such name.
    virtual std::string получить_имя_файла_ресурса(const std::string& имя, const std::string& вид) const;

    const ТаблицаИмён& таблица_имён() const { return таблица_имён_; }
    const std::vector<std::string>& каталоги_ресурсов() const { return каталоги_ресурсов_; }
    const std::map<std::string, std::vector<std::string>>& таблица_видов() const { return таблица_видов_; }

protected:
    // Stores the directories and fills the kinds table; scans nothing.
    explicit ИменаРесурсов(std::vector<std::string> каталоги);
    // The scan of the stored directories and the journal record; `создать` of a
    // derived class calls it once the object is complete.
    void начальная_загрузка();

private:
    ТаблицаИмён таблица_имён_;
    std::vector<std::string> каталоги_ресурсов_;
    std::map<std::string, std::vector<std::string>> таблица_видов_;
};

// The lower-case form used to compare extensions. Besides ASCII it folds the
// only non-ASCII letters whose lower case is an ASCII letter (U+0130, U+212A),
// so a comparison against the ASCII extensions of the kinds table matches what
// full Unicode lower-casing would match.
std::string расширение_в_нижнем_регистре(const std::string& расширение);

// The generic registry of one resource class: loads on first request through
// the name table, keeps the instance for the run and hands it out again. A
// failed load is not remembered: the next request tries again.
template <class T>
class ЗагруженныеРесурсы {
public:
    explicit ЗагруженныеРесурсы(std::shared_ptr<const ИменаРесурсов> имена) : имена_ресурсов(std::move(имена)) {}
    virtual ~ЗагруженныеРесурсы() = default;
    ЗагруженныеРесурсы(const ЗагруженныеРесурсы&) = delete;
    ЗагруженныеРесурсы& operator=(const ЗагруженныеРесурсы&) = delete;

    virtual void загрузить(const std::vector<std::string>& имена, bool пропускать_загруженные) {
        for (const auto& имя : имена) {
            if (пропускать_загруженные && кэш.find(имя) != кэш.end()) continue;
            загрузить_один(имя);
        }
    }

    // Resolves the name under the registry's kind, builds the resource and
    // caches it (replacing an earlier entry); on failure writes its own
    // journal error, leaves the cache as it was and returns false.
    virtual bool загрузить_один(const std::string& имя) = 0;

    // The cached instance (the same one on every call), or null with the line
    // "Отсутствует ресурс с именем: %s" when it cannot be loaded.
    virtual std::shared_ptr<T> получить(const std::string& имя) {
        auto найденный = кэш.find(имя);
        if (найденный == кэш.end()) {
            if (!загрузить_один(имя)) {
                my_utils::journal::в_журнал("ресурсы", my_utils::journal::УровниЖурнала::Ошибка,
                                            [&] { return fmt::sprintf("Отсутствует ресурс с именем: %s", имя); });
                return nullptr;
            }
            найденный = кэш.find(имя);
            if (найденный == кэш.end()) return nullptr;
        }
        return найденный->second;
    }

    virtual void перезагрузить(const std::vector<std::string>& имена) { загрузить(имена, false); }

    bool загружен(const std::string& имя) const { return кэш.find(имя) != кэш.end(); }

protected:
    // The file of `имя_файла` under the kind, or nothing after the journal line
    // `нет_файла` (a text with one "%s" for the requested name `ключ`) in the module.
    std::optional<std::string> файл_ресурса(const std::string& ключ, const std::string& имя_файла,
                                            const std::string& вид, std::string_view модуль,
                                            std::string_view нет_файла) const {
        try {
            return имена_ресурсов->получить_имя_файла_ресурса(имя_файла, вид);
        } catch (const РесурсыИсключение&) {
            my_utils::journal::в_журнал(модуль, my_utils::journal::УровниЖурнала::Ошибка,
                                        [&] { return my_utils::format::sprintf(нет_файла, ключ); });
            return std::nullopt;
        }
    }

    // The common load: finds the file of `имя_файла` under the kind, builds the
    // resource from its path and caches it under `ключ`. Any error of the build
    // is reported as `ошибка_в_файле` (one "%s" for the path) and loses nothing
    // already cached.
    template <class Построить>
    bool загрузить_из_файла(const std::string& ключ, const std::string& имя_файла, const std::string& вид,
                            std::string_view модуль, std::string_view нет_файла, std::string_view ошибка_в_файле,
                            Построить&& построить) {
        const auto путь = файл_ресурса(ключ, имя_файла, вид, модуль, нет_файла);
        if (!путь) return false;
        try {
            кэш.insert_or_assign(ключ, std::shared_ptr<T>(построить(*путь)));
        } catch (...) {
            my_utils::journal::в_журнал(модуль, my_utils::journal::УровниЖурнала::Ошибка,
                                        [&] { return my_utils::format::sprintf(ошибка_в_файле, *путь); });
            return false;
        }
        return true;
    }

    std::shared_ptr<const ИменаРесурсов> имена_ресурсов;
    std::map<std::string, std::shared_ptr<T>> кэш;
};

}  // namespace zyr::resources
