#include "my_utils/nastroyki_struct.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fmt/format.h>
#include <fmt/printf.h>

namespace my_utils::nastroyki_struct {

struct Настройки::Схема {
    std::vector<std::string> имена;
    Таблица<std::int64_t> long_;
    Таблица<double> double_;
    Таблица<std::string> string_;
    Таблица<std::vector<std::string>> массив_string;
    Таблица<std::vector<std::int64_t>> массив_long;
    Таблица<std::vector<double>> массив_double;
    Таблица<АссоциативныйМассив> ассоциативный_массив;
};

namespace {

// ---- UTF-8 ----

constexpr char32_t НЕВЕРНЫЙ_СИМВОЛ = 0xFFFFFFFF;

// Decodes the code point at i; an invalid sequence gives НЕВЕРНЫЙ_СИМВОЛ and length 1.
char32_t декодировать(std::string_view т, std::size_t i, std::size_t& длина) {
    const auto байт = [&](std::size_t k) { return static_cast<unsigned char>(т[k]); };
    длина = 1;
    const unsigned char b0 = байт(i);
    if (b0 < 0x80) return b0;
    std::size_t n = 0;
    char32_t cp = 0;
    char32_t наименьший = 0;
    if ((b0 & 0xE0) == 0xC0) n = 2, cp = b0 & 0x1F, наименьший = 0x80;
    else if ((b0 & 0xF0) == 0xE0) n = 3, cp = b0 & 0x0F, наименьший = 0x800;
    else if ((b0 & 0xF8) == 0xF0) n = 4, cp = b0 & 0x07, наименьший = 0x10000;
    else return НЕВЕРНЫЙ_СИМВОЛ;
    if (i + n > т.size()) return НЕВЕРНЫЙ_СИМВОЛ;
    for (std::size_t k = 1; k < n; ++k) {
        if ((байт(i + k) & 0xC0) != 0x80) return НЕВЕРНЫЙ_СИМВОЛ;
        cp = (cp << 6) | (байт(i + k) & 0x3F);
    }
    if (cp < наименьший || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return НЕВЕРНЫЙ_СИМВОЛ;
    длина = n;
    return cp;
}

// The Unicode White_Space property.
bool пробельный(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::string_view без_пробелов_слева(std::string_view т) {
    std::size_t i = 0;
    while (i < т.size()) {
        std::size_t длина = 0;
        if (!пробельный(декодировать(т, i, длина))) break;
        i += длина;
    }
    return т.substr(i);
}

std::string_view без_пробелов_справа(std::string_view т) {
    while (!т.empty()) {
        std::size_t начало = т.size() - 1;
        while (начало > 0 && т.size() - начало < 4 && (static_cast<unsigned char>(т[начало]) & 0xC0) == 0x80) --начало;
        std::size_t длина = 0;
        const char32_t c = декодировать(т, начало, длина);
        if (начало + длина != т.size() || !пробельный(c)) break;
        т.remove_suffix(длина);
    }
    return т;
}

// ---- literals ----

std::optional<std::int64_t> в_long(std::string_view т) {
    std::size_t i = (!т.empty() && (т[0] == '+' || т[0] == '-')) ? 1 : 0;
    if (i == т.size()) return std::nullopt;
    for (std::size_t k = i; k < т.size(); ++k) {
        if (т[k] < '0' || т[k] > '9') return std::nullopt;
    }
    if (т[0] == '+') т.remove_prefix(1);
    std::int64_t значение = 0;
    const auto [конец, ошибка] = std::from_chars(т.data(), т.data() + т.size(), значение);
    if (ошибка != std::errc{} || конец != т.data() + т.size()) return std::nullopt;
    return значение;
}

bool равно_без_регистра(std::string_view т, std::string_view слово) {
    if (т.size() != слово.size()) return false;
    for (std::size_t i = 0; i < т.size(); ++i) {
        const char c = (т[i] >= 'A' && т[i] <= 'Z') ? static_cast<char>(т[i] - 'A' + 'a') : т[i];
        if (c != слово[i]) return false;
    }
    return true;
}

std::optional<double> в_double(std::string_view т) {
    const bool минус = !т.empty() && т[0] == '-';
    std::string_view без_знака = (!т.empty() && (т[0] == '+' || т[0] == '-')) ? т.substr(1) : т;
    if (равно_без_регистра(без_знака, "inf")) return std::copysign(std::numeric_limits<double>::infinity(), минус ? -1.0 : 1.0);
    if (равно_без_регистра(без_знака, "nan")) return std::copysign(std::numeric_limits<double>::quiet_NaN(), минус ? -1.0 : 1.0);

    const auto цифры = [&](std::size_t& i) {
        const std::size_t начало = i;
        while (i < без_знака.size() && без_знака[i] >= '0' && без_знака[i] <= '9') ++i;
        return i - начало;
    };
    std::size_t i = 0;
    std::size_t в_мантиссе = цифры(i);
    if (i < без_знака.size() && без_знака[i] == '.') {
        ++i;
        в_мантиссе += цифры(i);
    }
    if (в_мантиссе == 0) return std::nullopt;
    if (i < без_знака.size() && (без_знака[i] == 'e' || без_знака[i] == 'E')) {
        ++i;
        if (i < без_знака.size() && (без_знака[i] == '+' || без_знака[i] == '-')) ++i;
        if (цифры(i) == 0) return std::nullopt;
    }
    if (i != без_знака.size()) return std::nullopt;

    // from_chars takes a minus but no plus.
    const std::string_view число = (т[0] == '+') ? без_знака : т;
    double значение = 0;
    const auto [конец, ошибка] = std::from_chars(число.data(), число.data() + число.size(), значение);
    if (ошибка != std::errc{} || конец != число.data() + число.size()) return std::nullopt;
    return значение;
}

// A cursor over a list or map literal.
struct Разбор {
    std::string_view т;
    std::size_t i = 0;

    void пропустить() {
        while (i < т.size() && (т[i] == ' ' || т[i] == '\t')) ++i;
    }
    bool взять(char c) {
        if (i < т.size() && т[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    bool в_конце() const { return i == т.size(); }

    // A double-quoted string; a backslash escapes a quote, a backslash, n, r or t.
    std::optional<std::string> строка() {
        if (!взять('"')) return std::nullopt;
        std::string результат;
        while (i < т.size()) {
            const char c = т[i++];
            if (c == '"') return результат;
            if (c != '\\') {
                результат += c;
                continue;
            }
            if (i == т.size()) return std::nullopt;
            switch (т[i++]) {
                case '"': результат += '"'; break;
                case '\\': результат += '\\'; break;
                case 'n': результат += '\n'; break;
                case 'r': результат += '\r'; break;
                case 't': результат += '\t'; break;
                default: return std::nullopt;
            }
        }
        return std::nullopt;
    }

    // A number element: everything up to the next blank, comma or bracket.
    std::string_view слово() {
        const std::size_t начало = i;
        while (i < т.size() && т[i] != ',' && т[i] != ']' && т[i] != ' ' && т[i] != '\t') ++i;
        return т.substr(начало, i - начало);
    }

    // "[" elements separated by "," "]" and nothing after; each element is read by взять_элемент.
    template <class ВзятьЭлемент>
    bool список(ВзятьЭлемент&& взять_элемент) {
        пропустить();
        if (!взять('[')) return false;
        пропустить();
        if (!взять(']')) {
            for (;;) {
                пропустить();
                if (!взять_элемент()) return false;
                пропустить();
                if (взять(']')) break;
                if (!взять(',')) return false;
            }
        }
        пропустить();
        return в_конце();
    }
};

template <class T, class Преобразовать>
std::optional<std::vector<T>> в_массив_чисел(std::string_view т, Преобразовать преобразовать) {
    Разбор разбор{т};
    std::vector<T> результат;
    const bool верно = разбор.список([&] {
        const auto значение = преобразовать(разбор.слово());
        if (!значение) return false;
        результат.push_back(*значение);
        return true;
    });
    if (!верно) return std::nullopt;
    return результат;
}

std::optional<std::vector<std::int64_t>> в_массив_long(std::string_view т) {
    return в_массив_чисел<std::int64_t>(т, в_long);
}

std::optional<std::vector<double>> в_массив_double(std::string_view т) {
    return в_массив_чисел<double>(т, в_double);
}

std::optional<std::vector<std::string>> в_массив_string(std::string_view т) {
    Разбор разбор{т};
    std::vector<std::string> результат;
    const bool верно = разбор.список([&] {
        auto строка = разбор.строка();
        if (!строка) return false;
        результат.push_back(std::move(*строка));
        return true;
    });
    if (!верно) return std::nullopt;
    return результат;
}

std::optional<АссоциативныйМассив> в_ассоциативный_массив(std::string_view т) {
    Разбор разбор{т};
    АссоциативныйМассив результат;
    const bool верно = разбор.список([&] {
        auto ключ = разбор.строка();
        if (!ключ) return false;
        разбор.пропустить();
        if (!разбор.взять(':')) return false;
        разбор.пропустить();
        auto значение = разбор.строка();
        if (!значение) return false;
        результат.insert_or_assign(std::move(*ключ), std::move(*значение));
        return true;
    });
    if (!верно) return std::nullopt;
    return результат;
}

std::optional<std::string> в_string(std::string_view т) { return std::string(т); }

// ---- text form ----

std::string в_текст(std::int64_t значение) { return fmt::format("{}", значение); }
std::string в_текст(double значение) { return fmt::sprintf("%g", значение); }
std::string в_текст(const std::string& значение) { return значение; }

std::string в_кавычках(const std::string& значение) {
    std::string результат = "\"";
    for (const char c : значение) {
        switch (c) {
            case '"': результат += "\\\""; break;
            case '\\': результат += "\\\\"; break;
            case '\n': результат += "\\n"; break;
            case '\r': результат += "\\r"; break;
            case '\t': результат += "\\t"; break;
            default: результат += c;
        }
    }
    return результат + "\"";
}

template <class T>
std::string в_текст(const std::vector<T>& список) {
    std::string результат = "[";
    for (std::size_t i = 0; i < список.size(); ++i) {
        if (i > 0) результат += ", ";
        if constexpr (std::is_same_v<T, std::string>) результат += в_кавычках(список[i]);
        else результат += в_текст(список[i]);
    }
    return результат + "]";
}

std::string в_текст(const АссоциативныйМассив& массив) {
    std::string результат = "[";
    bool первый = true;
    for (const auto& [ключ, значение] : массив) {
        if (!первый) результат += ", ";
        первый = false;
        результат += в_кавычках(ключ) + ":" + в_кавычках(значение);
    }
    return результат + "]";
}

template <class T>
void добавить_текст(std::string& текст, const Таблица<T>& таблица) {
    for (const auto& [ключ, значение] : таблица) текст += ключ + fmt::sprintf(" = %s \n", в_текст(значение));
}

// ---- assignment ----

template <class T, class Преобразовать>
void присвоить(Таблица<T>& таблица, const std::vector<std::string>& имена,
               const std::map<std::string, std::string, std::less<>>& исходные, std::vector<std::string>& ошибочные,
               bool& загружено, Преобразовать преобразовать) {
    for (const auto& имя : имена) {
        const auto источник = исходные.find(имя);
        if (источник == исходные.end()) continue;
        const auto место = таблица.find(имя);
        if (место == таблица.end()) continue;
        if (auto значение = преобразовать(источник->second)) {
            место->second = std::move(*значение);
            загружено = true;
        } else {
            ошибочные.push_back(имя);
        }
    }
}

template <class T, class Преобразовать>
void добавить_умолчание(Таблица<T>& таблица, const ОписаниеНастройки& описание, Преобразовать преобразовать) {
    auto значение = преобразовать(Настройки::очистка(описание.по_умолчанию));
    if (!значение) {
        throw НастройкиИсключение(fmt::format("значение по умолчанию {} ключа {} не читается", описание.по_умолчанию,
                                              описание.ключ));
    }
    таблица.emplace(std::string(описание.ключ), std::move(*значение));
}

template <class T>
const T& найти(const Таблица<T>& таблица, const Таблица<T>& умолчания, std::string_view ключ) {
    if (const auto место = таблица.find(ключ); место != таблица.end()) return место->second;
    if (const auto место = умолчания.find(ключ); место != умолчания.end()) return место->second;
    throw НастройкиИсключение(fmt::format("нет настройки {} этого типа", ключ));
}

// Reads the whole file; false when it is not a readable regular file of UTF-8 text.
bool прочитать_текст(const std::string& файл, std::string& текст) {
    const int дескриптор = ::open(файл.c_str(), O_RDONLY | O_CLOEXEC);
    if (дескриптор < 0) return false;
    struct stat сведения {};
    bool верно = ::fstat(дескриптор, &сведения) == 0 && !S_ISDIR(сведения.st_mode);
    char буфер[65536];
    while (верно) {
        const ssize_t прочитано = ::read(дескриптор, буфер, sizeof буфер);
        if (прочитано < 0 && errno == EINTR) continue;
        if (прочитано <= 0) {
            верно = прочитано == 0;
            break;
        }
        текст.append(буфер, static_cast<std::size_t>(прочитано));
    }
    ::close(дескриптор);
    return верно && верный_utf8(текст);
}

}  // namespace

Настройки::Настройки(std::span<const ОписаниеНастройки> описания) {
    auto схема = std::make_shared<Схема>();
    std::set<std::string_view> встречено;
    for (const auto& описание : описания) {
        if (!встречено.insert(описание.ключ).second) {
            throw НастройкиИсключение(fmt::format("ключ {} объявлен дважды", описание.ключ));
        }
        схема->имена.emplace_back(описание.ключ);
        switch (описание.тип) {
            case ТипНастройки::long_: добавить_умолчание(схема->long_, описание, в_long); break;
            case ТипНастройки::double_: добавить_умолчание(схема->double_, описание, в_double); break;
            case ТипНастройки::string_: добавить_умолчание(схема->string_, описание, в_string); break;
            case ТипНастройки::массив_string: добавить_умолчание(схема->массив_string, описание, в_массив_string); break;
            case ТипНастройки::массив_long: добавить_умолчание(схема->массив_long, описание, в_массив_long); break;
            case ТипНастройки::массив_double: добавить_умолчание(схема->массив_double, описание, в_массив_double); break;
            case ТипНастройки::ассоциативный_массив:
                добавить_умолчание(схема->ассоциативный_массив, описание, в_ассоциативный_массив);
                break;
            default: throw НастройкиИсключение(fmt::format("неизвестный тип ключа {}", описание.ключ));
        }
    }
    схема_ = std::move(схема);
}

const std::vector<std::string>& Настройки::имена_свойств() const { return схема_->имена; }

bool Настройки::прочитать_настройки_из_файла(const std::string& файл, char разделитель) {
    std::string текст;
    std::error_code ошибка;
    const auto состояние = std::filesystem::status(файл, ошибка);
    if (состояние.type() == std::filesystem::file_type::not_found) {
        std::cout << "Не найден файл с настройками " << файл << std::endl;
    } else if (ошибка || !прочитать_текст(файл, текст)) {
        текст.clear();
        std::cout << "Файл с настройками " << файл << " не читается!" << std::endl;
    }
    return прочитать_настройки(текст, разделитель);
}

bool Настройки::прочитать_настройки(std::string_view текст, char разделитель) {
    if (пусто()) инициализация();

    std::map<std::string, std::string, std::less<>> исходные_данные;
    std::size_t начало = 0;
    for (;;) {
        const std::size_t конец = текст.find(разделитель, начало);
        const std::string_view строка = текст.substr(начало, конец == std::string_view::npos ? конец : конец - начало);
        const std::string_view без_отступа = без_пробелов_слева(строка);
        if (без_отступа.size() >= 2 && без_отступа.front() != '#') {
            if (const auto равно = строка.find('='); равно != std::string_view::npos) {
                исходные_данные.insert_or_assign(очистка(строка.substr(0, равно)), очистка(строка.substr(равно + 1)));
            }
        }
        if (конец == std::string_view::npos) break;
        начало = конец + 1;
    }

    ошибочные_переменные_.clear();
    присвоение_значений(исходные_данные);
    return загружено_;
}

void Настройки::присвоение_значений(const std::map<std::string, std::string, std::less<>>& исходные_данные) {
    const auto& имена = схема_->имена;
    auto& о = ошибочные_переменные_;
    присвоить(настройки_long_, имена, исходные_данные, о, загружено_, в_long);
    присвоить(настройки_double_, имена, исходные_данные, о, загружено_, в_double);
    присвоить(настройки_string_, имена, исходные_данные, о, загружено_, в_string);
    присвоить(настройки_массив_string_, имена, исходные_данные, о, загружено_, в_массив_string);
    присвоить(настройки_массив_long_, имена, исходные_данные, о, загружено_, в_массив_long);
    присвоить(настройки_массив_double_, имена, исходные_данные, о, загружено_, в_массив_double);
    присвоить(настройки_ассоциативный_массив_, имена, исходные_данные, о, загружено_, в_ассоциативный_массив);
}

void Настройки::инициализация() {
    настройки_long_ = схема_->long_;
    настройки_double_ = схема_->double_;
    настройки_string_ = схема_->string_;
    настройки_массив_string_ = схема_->массив_string;
    настройки_массив_long_ = схема_->массив_long;
    настройки_массив_double_ = схема_->массив_double;
    настройки_ассоциативный_массив_ = схема_->ассоциативный_массив;
}

namespace {

// NaN fails the comparison too.
bool в_диапазоне_float(double v) { return std::fabs(v) <= std::numeric_limits<float>::max(); }

}  // namespace

std::vector<std::string> Настройки::восстановить_вне_float() {
    std::vector<std::string> ключи;
    for (const std::string& ключ : схема_->имена) {
        bool изменён = false;
        if (const auto место = настройки_double_.find(ключ); место != настройки_double_.end()) {
            if (!в_диапазоне_float(место->second)) {
                место->second = схема_->double_.at(ключ);
                изменён = true;
            }
        } else if (const auto список = настройки_массив_double_.find(ключ); список != настройки_массив_double_.end()) {
            const std::vector<double>& умолчание = схема_->массив_double.at(ключ);
            for (std::size_t i = 0; i < список->second.size(); ++i) {
                if (в_диапазоне_float(список->second[i])) continue;
                список->second[i] = i < умолчание.size() ? умолчание[i] : 0.0;
                изменён = true;
            }
        }
        if (изменён) ключи.push_back(ключ);
    }
    return ключи;
}

bool Настройки::пусто() const {
    return настройки_long_.empty() && настройки_double_.empty() && настройки_string_.empty() &&
           настройки_массив_string_.empty() && настройки_массив_long_.empty() && настройки_массив_double_.empty() &&
           настройки_ассоциативный_массив_.empty();
}

std::string Настройки::очистка(std::string_view s) {
    s = без_пробелов_справа(без_пробелов_слева(s));
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return std::string(s);
}

std::string Настройки::toString() const {
    std::string текст;
    добавить_текст(текст, настройки_long_);
    добавить_текст(текст, настройки_double_);
    добавить_текст(текст, настройки_string_);
    добавить_текст(текст, настройки_массив_string_);
    добавить_текст(текст, настройки_массив_long_);
    добавить_текст(текст, настройки_массив_double_);
    добавить_текст(текст, настройки_ассоциативный_массив_);
    return текст;
}

std::int64_t Настройки::получить_long(std::string_view ключ) const {
    return найти(настройки_long_, схема_->long_, ключ);
}
double Настройки::получить_double(std::string_view ключ) const {
    return найти(настройки_double_, схема_->double_, ключ);
}
const std::string& Настройки::получить_string(std::string_view ключ) const {
    return найти(настройки_string_, схема_->string_, ключ);
}
const std::vector<std::string>& Настройки::получить_массив_string(std::string_view ключ) const {
    return найти(настройки_массив_string_, схема_->массив_string, ключ);
}
const std::vector<std::int64_t>& Настройки::получить_массив_long(std::string_view ключ) const {
    return найти(настройки_массив_long_, схема_->массив_long, ключ);
}
const std::vector<double>& Настройки::получить_массив_double(std::string_view ключ) const {
    return найти(настройки_массив_double_, схема_->массив_double, ключ);
}
const АссоциативныйМассив& Настройки::получить_ассоциативный_массив(std::string_view ключ) const {
    return найти(настройки_ассоциативный_массив_, схема_->ассоциативный_массив, ключ);
}

bool верный_utf8(std::string_view т) {
    for (std::size_t i = 0, длина = 0; i < т.size(); i += длина) {
        if (декодировать(т, i, длина) == НЕВЕРНЫЙ_СИМВОЛ) return false;
    }
    return true;
}

}  // namespace my_utils::nastroyki_struct
