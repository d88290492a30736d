#include "my_utils/journal.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

#include <fmt/printf.h>

namespace my_utils::journal {

namespace {

// Built with the other statics of this module and never destroyed.
union ХранилищеПараметров {
    ПараметрыЖурнала параметры;
    ХранилищеПараметров() : параметры() {}
    ~ХранилищеПараметров() {}
} хранилище_параметров;

}  // namespace

// A reference to static storage: bound before any code runs, whatever the order of start-up.
ПараметрыЖурнала& параметры_журнала = хранилище_параметров.параметры;
std::vector<std::string> ошибки_конвертации_уровней_модулей;
const std::chrono::steady_clock::time_point время_старта = std::chrono::steady_clock::now();

namespace {

struct ОписаниеУровня {
    УровниЖурнала уровень;
    std::string_view имя;
    std::string_view колонка;
};

constexpr std::array<ОписаниеУровня, 5> УРОВНИ{{
    {УровниЖурнала::КритическаяОшибка, "КритическаяОшибка", "Крит.ошибка"},
    {УровниЖурнала::Ошибка, "Ошибка", "Ошибка     "},
    {УровниЖурнала::Предупреждение, "Предупреждение", "Предупрежд."},
    {УровниЖурнала::Информация, "Информация", "Информация "},
    {УровниЖурнала::Отладка, "Отладка", "Отладка    "},
}};

bool уровень_по_имени(const std::string& имя, УровниЖурнала& уровень) {
    for (const auto& описание : УРОВНИ) {
        if (описание.имя == имя) {
            уровень = описание.уровень;
            return true;
        }
    }
    return false;
}

// The thread registry and the logging thread's handle. Deliberately never
// destroyed: a record written from a late static destructor finds an empty
// registry and is dropped instead of touching a destroyed object.
struct СостояниеПотока {
    std::mutex реестр_мьютекс;
    std::map<std::string, std::shared_ptr<ПочтовыйЯщикЖурнала>, std::less<>> реестр;
    // Serialises the start and the end, so the thread is joined exactly once.
    std::mutex поток_мьютекс;
    std::thread tid_поток_журналирования;
};

СостояниеПотока& состояние() {
    static auto* const состояние = new СостояниеПотока;
    return *состояние;
}

std::shared_ptr<ПочтовыйЯщикЖурнала> найти_поток(std::string_view имя) {
    auto& с = состояние();
    std::lock_guard замок(с.реестр_мьютекс);
    const auto найден = с.реестр.find(имя);
    return найден != с.реестр.end() ? найден->second : nullptr;
}

void зарегистрировать(std::string_view имя, std::shared_ptr<ПочтовыйЯщикЖурнала> ящик) {
    auto& с = состояние();
    std::lock_guard замок(с.реестр_мьютекс);
    с.реестр.insert_or_assign(std::string(имя), std::move(ящик));
}

// Removes the name; with a mailbox given, only when the name still refers to it.
std::shared_ptr<ПочтовыйЯщикЖурнала> снять_регистрацию(std::string_view имя,
                                                       const ПочтовыйЯщикЖурнала* только_этот = nullptr) {
    auto& с = состояние();
    std::lock_guard замок(с.реестр_мьютекс);
    const auto найден = с.реестр.find(имя);
    if (найден == с.реестр.end()) return nullptr;
    if (только_этот != nullptr && найден->second.get() != только_этот) return nullptr;
    auto ящик = std::move(найден->second);
    с.реестр.erase(найден);
    return ящик;
}

// Records without time, module or level columns; they pass no threshold.
void отправить_сырую_запись(std::int64_t время, std::string текст) {
    if (auto ящик = найти_поток(ИМЯ_ПОТОКА_ЖУРНАЛА)) {
        ящик->отправить({std::this_thread::get_id(), время, std::move(текст)});
    }
}

float секунды(std::int64_t время) { return static_cast<float>(время) / МНОЖИТЕЛЬ_ВРЕМЕНИ; }

// Time stamps count these from время_старта.
using Такты = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

std::size_t число_символов(std::string_view текст) {
    return static_cast<std::size_t>(
        std::count_if(текст.begin(), текст.end(), [](char байт) { return (static_cast<unsigned char>(байт) & 0xC0) != 0x80; }));
}

// The module column: a "%-Ns" format pads by characters, not bytes, so that
// Cyrillic names line up; a longer name is not cut.
void добавить_колонку_модуля(std::string& строка, std::string_view модуль) {
    const std::string& формат = параметры_журнала.формат_модуля;
    строка += модуль;
    if (формат.size() < 4 || формат.front() != '%' || формат[1] != '-' || формат.back() != 's') return;
    std::size_t ширина = 0;
    for (std::size_t i = 2; i + 1 < формат.size(); ++i) {
        if (формат[i] < '0' || формат[i] > '9') return;
        ширина = ширина * 10 + static_cast<std::size_t>(формат[i] - '0');
    }
    const std::size_t символов = число_символов(модуль);
    if (символов < ширина) строка.append(ширина - символов, ' ');
}

std::string в_кавычках(const std::vector<std::string>& список) {
    std::string текст = "[";
    for (std::size_t i = 0; i < список.size(); ++i) {
        if (i > 0) текст += ", ";
        текст += '"';
        for (char c : список[i]) {
            if (c == '"' || c == '\\') текст += '\\';
            текст += c;
        }
        текст += '"';
    }
    текст += ']';
    return текст;
}

// Ends the journal at normal process exit (main returned or exit() was called), so the
// records are written even when main never called завершить_журнал.
struct ЗавершениеПриВыходе {
    ~ЗавершениеПриВыходе() { завершить_журнал(); }
} завершение_при_выходе;

}  // namespace

std::string_view текст_уровня(УровниЖурнала уровень) {
    for (const auto& описание : УРОВНИ) {
        if (описание.уровень == уровень) return описание.колонка;
    }
    return "???????????";
}

std::int64_t текущее_время() {
    return std::chrono::duration_cast<Такты>(std::chrono::steady_clock::now() - время_старта).count();
}

bool будет_записано(std::string_view модуль, УровниЖурнала уровень) {
    const auto& уровни = параметры_журнала.уровни_модулей;
    auto порог = параметры_журнала.общий_уровень;
    if (!уровни.empty()) {
        const auto запись = уровни.find(модуль);
        if (запись != уровни.end()) порог = запись->second;
    }
    return static_cast<std::int32_t>(уровень) <= static_cast<std::int32_t>(порог);
}

void отправить_запись(std::string_view модуль, УровниЖурнала уровень, std::string_view сообщение) {
    отправить_запись(модуль, уровень, текущее_время(), сообщение);
}

void отправить_запись(std::string_view модуль, УровниЖурнала уровень, std::int64_t время,
                      std::string_view сообщение) noexcept {
    try {
        auto ящик = найти_поток(ИМЯ_ПОТОКА_ЖУРНАЛА);
        if (!ящик) return;
        std::string строка = fmt::sprintf("%10.5f|", секунды(время));
        строка.reserve(строка.size() + модуль.size() + сообщение.size() + 64);
        добавить_колонку_модуля(строка, модуль);
        строка += '|';
        строка += текст_уровня(уровень);
        строка += " | ";
        строка += сообщение;
        строка += '\n';
        ящик->отправить({std::this_thread::get_id(), время, std::move(строка)});
    } catch (...) {
        // Writing to the journal never fails towards the caller; the record is lost.
    }
}

std::string журнал_многострочное_форматирование(std::string_view текст) {
    std::string результат;
    std::size_t начало = 0;
    std::size_t i = 0;
    bool первая = true;
    auto добавить_строку = [&](std::size_t конец) {
        if (!первая) результат += параметры_журнала.продолжение_строки;
        результат.append(текст, начало, конец - начало);
        первая = false;
    };
    while (i < текст.size()) {
        const auto c = static_cast<unsigned char>(текст[i]);
        std::size_t длина_разрыва = 0;
        if (c == '\r') {
            длина_разрыва = (i + 1 < текст.size() && текст[i + 1] == '\n') ? 2 : 1;
        } else if (c == '\n' || c == '\v' || c == '\f') {
            длина_разрыва = 1;
        } else if (c == 0xC2 && i + 1 < текст.size() && static_cast<unsigned char>(текст[i + 1]) == 0x85) {
            длина_разрыва = 2;
        } else if (c == 0xE2 && i + 2 < текст.size() && static_cast<unsigned char>(текст[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(текст[i + 2]) == 0xA8 || static_cast<unsigned char>(текст[i + 2]) == 0xA9)) {
            длина_разрыва = 3;
        }
        if (длина_разрыва == 0) {
            ++i;
            continue;
        }
        добавить_строку(i);
        i += длина_разрыва;
        начало = i;
    }
    if (начало < текст.size()) добавить_строку(текст.size());
    return результат;
}

std::string заголовок() {
    параметры_журнала.формат_модуля = "%-15s";
    параметры_журнала.продолжение_строки = "\n" + std::string(39, ' ') + "| ";
    const std::string линия(75, '-');
    return "Начало работы журнала\n" + линия + "\n" +
           "   Время  |  Модуль       |  Уровень   |           Сообщение \n" + линия + "\n";
}

std::map<std::string, УровниЖурнала> конвертация_уровней_модулей(const std::map<std::string, std::string>& уровни) {
    std::map<std::string, УровниЖурнала> результат;
    for (const auto& [модуль, имя] : уровни) {
        УровниЖурнала уровень{};
        if (уровень_по_имени(имя, уровень)) {
            результат.emplace(модуль, уровень);
        } else {
            ошибки_конвертации_уровней_модулей.push_back(модуль);
        }
    }
    return результат;
}

void строковая_инициализация_журнала(const std::string& файл, const std::string& общий_уровень,
                                     const std::map<std::string, std::string>& уровни_модулей) {
    ошибки_конвертации_уровней_модулей.clear();
    const auto уровни = конвертация_уровней_модулей(уровни_модулей);
    УровниЖурнала общий = УровниЖурнала::Предупреждение;
    const bool общий_распознан = уровень_по_имени(общий_уровень, общий);
    инициализация_журнала(файл, общий, уровни);
    if (!общий_распознан) {
        отправить_сырую_запись(
            текущее_время(),
            "Конвертация общего уровня журналирования прошла с ошибкой, используется уровень по-умолчанию. \n");
    }
    if (!ошибки_конвертации_уровней_модулей.empty()) {
        отправить_сырую_запись(текущее_время(),
                               fmt::sprintf("Следующие модули будут журналироваться общим уровнем %s. \n",
                                            в_кавычках(ошибки_конвертации_уровней_модулей)));
    }
}

void инициализация_журнала(const std::string& файл, УровниЖурнала общий,
                           const std::map<std::string, УровниЖурнала>& уровни) {
    завершить_журнал();
    параметры_журнала.общий_уровень = общий;
    параметры_журнала.уровни_модулей = {уровни.begin(), уровни.end()};

    auto ящик = std::make_shared<ПочтовыйЯщикЖурнала>(static_cast<std::size_t>(РАЗМЕР_ПОЧТОВОГО_ЯЩИКА));
    {
        auto& с = состояние();
        std::lock_guard замок(с.поток_мьютекс);
        // Registered before the thread runs, so a thread that fails at once leaves no stale name behind.
        зарегистрировать(ИМЯ_ПОТОКА_ЖУРНАЛА, ящик);
        try {
            с.tid_поток_журналирования =
                std::thread(функция_потока_журнала, ящик, файл, РАЗМЕР_БУФЕРА, РАЗМЕР_ВЫГРУЗКИ);
        } catch (const std::exception& ошибка) {
            // A mailbox without a reader would fill and hold every later sender for ever.
            снять_регистрацию(ИМЯ_ПОТОКА_ЖУРНАЛА, ящик.get());
            ящик->закрыть();
            std::fprintf(stderr, "Не удалось запустить поток журнала: %s\n", ошибка.what());
            return;
        }
    }

    const std::int64_t время = текущее_время();
    const std::string шапка = заголовок();
    отправить_сырую_запись(время, fmt::sprintf("%10.5f  ", секунды(время)) + шапка);
}

void остановить_журнал() {
    if (auto ящик = найти_поток(ИМЯ_ПОТОКА_ЖУРНАЛА)) {
        ящик->отправить({std::this_thread::get_id(), -1, "стоп"});
    }
}

void завершить_журнал() {
    auto& с = состояние();
    std::lock_guard замок(с.поток_мьютекс);
    // Taken off the registry first: records sent from now on are dropped instead of racing the stop record.
    if (auto ящик = снять_регистрацию(ИМЯ_ПОТОКА_ЖУРНАЛА)) {
        ящик->отправить({std::this_thread::get_id(), -1, "стоп"});
    }
    if (с.tid_поток_журналирования.joinable() && с.tid_поток_журналирования.get_id() != std::this_thread::get_id()) {
        с.tid_поток_журналирования.join();
    }
}

// ---- mailbox ----

ПочтовыйЯщикЖурнала::ПочтовыйЯщикЖурнала(std::size_t ёмкость) : ёмкость_(std::max<std::size_t>(ёмкость, 1)) {}

bool ПочтовыйЯщикЖурнала::отправить(ЗаписьЖурнала запись) {
    std::unique_lock замок(мьютекс_);
    есть_место_.wait(замок, [&] { return закрыт_ || записи_.size() < ёмкость_; });
    if (закрыт_) return false;
    записи_.push_back(std::move(запись));
    замок.unlock();
    есть_запись_.notify_one();
    return true;
}

void ПочтовыйЯщикЖурнала::взять_все(std::deque<ЗаписьЖурнала>& куда) {
    std::unique_lock замок(мьютекс_);
    есть_запись_.wait(замок, [&] { return !записи_.empty(); });
    забрать(замок, куда);
}

bool ПочтовыйЯщикЖурнала::взять_все(std::deque<ЗаписьЖурнала>& куда, std::chrono::steady_clock::time_point до) {
    std::unique_lock замок(мьютекс_);
    if (!есть_запись_.wait_until(замок, до, [&] { return !записи_.empty(); })) return false;
    забрать(замок, куда);
    return true;
}

void ПочтовыйЯщикЖурнала::забрать(std::unique_lock<std::mutex>& замок, std::deque<ЗаписьЖурнала>& куда) {
    куда.swap(записи_);
    замок.unlock();
    есть_место_.notify_all();
}

void ПочтовыйЯщикЖурнала::закрыть() {
    {
        std::lock_guard замок(мьютекс_);
        закрыт_ = true;
        записи_.clear();
    }
    есть_место_.notify_all();
}

bool ПочтовыйЯщикЖурнала::закрыт() const {
    std::lock_guard замок(мьютекс_);
    return закрыт_;
}

// ---- writer ----

ЖурналОбъект::ЖурналОбъект(const std::string& файл, std::int32_t буфер, std::int32_t выгрузка)
    : ёмкость_(std::max(буфер, std::int32_t{1})), выгрузка_(std::min(ёмкость_, std::max(выгрузка, std::int32_t{1}))) {
    ключи_.resize(static_cast<std::size_t>(ёмкость_) + 1);
    файл_ = ::open(файл.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (файл_ < 0) {
        throw ЖурналИсключение(fmt::sprintf("Не удалось открыть файл журнала %s: %s", файл, std::strerror(errno)));
    }
}

ЖурналОбъект::~ЖурналОбъект() {
    записать(количество_);
    ::close(файл_);
}

void ЖурналОбъект::в_журнал(std::int64_t время, std::string текст) {
    const КлючЗаписи ключ{время, следующий_номер_++};
    if (количество_ > 0 && !(ключ > ключи_.at(static_cast<std::size_t>(количество_ - 1)))) {
        вставить_ключ(ключ);
    } else {
        ключи_.at(static_cast<std::size_t>(количество_)) = ключ;
    }
    ++количество_;
    тексты_.insert_or_assign(ключ, std::move(текст));
    if (количество_ >= ёмкость_) записать(выгрузка_);
}

void ЖурналОбъект::вставить_ключ(КлючЗаписи ключ) {
    if (количество_ == ёмкость_) std::cout << "переполнение буфера. " << std::endl;
    auto место = static_cast<std::size_t>(количество_);
    while (место > 0 && ключи_.at(место - 1) > ключ) {
        ключи_.at(место) = ключи_.at(место - 1);
        --место;
    }
    ключи_.at(место) = ключ;
}

void ЖурналОбъект::записать_до(std::int64_t время) {
    std::int32_t n = 0;
    while (n < количество_ && ключи_.at(static_cast<std::size_t>(n)).время <= время) ++n;
    записать(n);
}

void ЖурналОбъект::записать(std::int32_t n) {
    n = std::clamp(n, std::int32_t{0}, количество_);
    if (n == 0) return;
    std::string выгрузка;
    for (std::int32_t i = 0; i < n; ++i) {
        const auto найден = тексты_.find(ключи_.at(static_cast<std::size_t>(i)));
        if (найден == тексты_.end()) continue;
        выгрузка += найден->second;
        тексты_.erase(найден);
    }
    std::copy(ключи_.begin() + n, ключи_.begin() + количество_, ключи_.begin());
    количество_ -= n;

    // One write per flush; a short write goes on with the rest, a failed one loses only this text.
    const char* данные = выгрузка.data();
    std::size_t осталось = выгрузка.size();
    while (осталось > 0) {
        const ssize_t записано = ::write(файл_, данные, осталось);
        if (записано < 0) {
            if (errno == EINTR) continue;
            break;
        }
        данные += записано;
        осталось -= static_cast<std::size_t>(записано);
    }
}

// ---- logging thread ----

void функция_потока_журнала(std::shared_ptr<ПочтовыйЯщикЖурнала> ящик, std::string файл, std::int32_t буфер,
                            std::int32_t выгрузка) {
    auto покинуть = [&] {
        снять_регистрацию(ИМЯ_ПОТОКА_ЖУРНАЛА, ящик.get());
        ящик->закрыть();
    };
    std::unique_ptr<ЖурналОбъект> писатель;
    try {
        писатель = std::make_unique<ЖурналОбъект>(файл, буфер, выгрузка);
    } catch (const std::exception& ошибка) {
        покинуть();
        std::fprintf(stderr, "%s\n", ошибка.what());
        return;
    }
    try {
        constexpr std::int64_t пауза = std::chrono::duration_cast<Такты>(ПАУЗА_ВЫГРУЗКИ).count();
        std::deque<ЗаписьЖурнала> взятые;
        for (bool стоп = false; !стоп;) {
            // With nothing pending the thread sleeps until a record comes.
            if (писатель->количество() == 0) {
                ящик->взять_все(взятые);
            } else {
                ящик->взять_все(взятые, время_старта + Такты(писатель->время_первой() + пауза));
            }
            for (auto& запись : взятые) {
                стоп = запись.время < 0;
                if (стоп) break;
                писатель->в_журнал(запись.время, std::move(запись.текст));
            }
            взятые.clear();
            писатель->записать_до(текущее_время() - пауза);
        }
    } catch (...) {
        // Out of memory while sorting: what is pending is still written below.
    }
    покинуть();
    try {
        писатель.reset();
    } catch (...) {
    }
}

}  // namespace my_utils::journal
