// Settings records: typed values under their key names, made from one list of
// key descriptors, starting from built-in defaults and filled from settings files.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace my_utils::nastroyki_struct {

// Whether текст is well-formed UTF-8: no overlong forms, surrogates or code points
// beyond Unicode. Settings files must be; other text data files check with it too.
bool верный_utf8(std::string_view текст);

// The value types in their fixed order: the order of the tables, of the assignment and of the text form.
enum class ТипНастройки : std::int32_t {
    long_ = 0,             // signed 64-bit integer, table настройки_long
    double_ = 1,           // double, table настройки_double
    string_ = 2,           // string, table настройки_string
    массив_string = 3,     // list of strings
    массив_long = 4,       // list of integers
    массив_double = 5,     // list of reals
    ассоциативный_массив = 6,  // map from string to string
};

// One key of a record: its type, its name and its default written as a literal of the type.
struct ОписаниеНастройки {
    ТипНастройки тип = ТипНастройки::string_;
    std::string_view ключ;
    std::string_view по_умолчанию;
};

// A descriptor list that is not usable (a default that is no literal of its type, a key declared twice).
class НастройкиИсключение : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

template <class T>
using Таблица = std::map<std::string, T, std::less<>>;
using АссоциативныйМассив = std::map<std::string, std::string>;

// A settings record of one owner. Value semantics; the descriptor list is
// checked and its defaults converted once, at construction.
class Настройки {
public:
    explicit Настройки(std::span<const ОписаниеНастройки> описания);

    // Reads the file as UTF-8 text and parses it. A missing or unreadable file
    // (no permission, a directory, invalid UTF-8) prints one line on standard
    // output and is read as an empty text. Returns загружено().
    bool прочитать_настройки_из_файла(const std::string& файл, char разделитель = '\n');
    // Stores the defaults if the record is still empty, then assigns the
    // values of the text's lines; the failed keys are those of this text only.
    bool прочитать_настройки(std::string_view текст, char разделитель = '\n');
    // Stores the default of every key, replacing present values.
    void инициализация();
    // Strips Unicode white space at both ends, then one enclosing pair of double quotes.
    static std::string очистка(std::string_view s);
    // One "key = value \n" line per entry, table by table in type order.
    std::string toString() const;
    // Gives every real value and every real list entry that no float holds (inf,
    // nan, or a magnitude above the largest float) its default; an entry beyond
    // the default list's length becomes 0. Returns the keys changed, in descriptor order.
    std::vector<std::string> восстановить_вне_float();

    const std::vector<std::string>& ошибочные_переменные() const { return ошибочные_переменные_; }
    bool загружено() const { return загружено_; }
    // The key names in descriptor order.
    const std::vector<std::string>& имена_свойств() const;

    const Таблица<std::int64_t>& настройки_long() const { return настройки_long_; }
    const Таблица<double>& настройки_double() const { return настройки_double_; }
    const Таблица<std::string>& настройки_string() const { return настройки_string_; }
    const Таблица<std::vector<std::string>>& настройки_массив_string() const { return настройки_массив_string_; }
    const Таблица<std::vector<std::int64_t>>& настройки_массив_long() const { return настройки_массив_long_; }
    const Таблица<std::vector<double>>& настройки_массив_double() const { return настройки_массив_double_; }
    const Таблица<АссоциативныйМассив>& настройки_ассоциативный_массив() const {
        return настройки_ассоциативный_массив_;
    }

    // The value of a declared key of that type; before the first read, its default.
    // A key not declared with that type throws НастройкиИсключение.
    std::int64_t получить_long(std::string_view ключ) const;
    double получить_double(std::string_view ключ) const;
    const std::string& получить_string(std::string_view ключ) const;
    const std::vector<std::string>& получить_массив_string(std::string_view ключ) const;
    const std::vector<std::int64_t>& получить_массив_long(std::string_view ключ) const;
    const std::vector<double>& получить_массив_double(std::string_view ключ) const;
    const АссоциативныйМассив& получить_ассоциативный_массив(std::string_view ключ) const;

    struct Схема;

private:
    void присвоение_значений(const std::map<std::string, std::string, std::less<>>& исходные_данные);
    bool пусто() const;

    std::shared_ptr<const Схема> схема_;
    std::vector<std::string> ошибочные_переменные_;
    bool загружено_ = false;
    Таблица<std::int64_t> настройки_long_;
    Таблица<double> настройки_double_;
    Таблица<std::string> настройки_string_;
    Таблица<std::vector<std::string>> настройки_массив_string_;
    Таблица<std::vector<std::int64_t>> настройки_массив_long_;
    Таблица<std::vector<double>> настройки_массив_double_;
    Таблица<АссоциативныйМассив> настройки_ассоциативный_массив_;
};

}  // namespace my_utils::nastroyki_struct
