// The journal: levelled, per-module records that a logging thread of its own
// writes to one text file in time order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace my_utils::journal {

enum class УровниЖурнала : std::int32_t {
    КритическаяОшибка = 0,
    Ошибка = 1,
    Предупреждение = 2,
    Информация = 3,
    Отладка = 4,
};

struct ПараметрыЖурнала {
    УровниЖурнала общий_уровень = УровниЖурнала::Предупреждение;
    // Looked up by a string_view on every record: the transparent comparison
    // spares a filtered record the copy of its module's name.
    std::map<std::string, УровниЖурнала, std::less<>> уровни_модулей;
    std::string формат_модуля;
    std::string продолжение_строки;
};

inline constexpr std::int32_t РАЗМЕР_БУФЕРА = 10;
inline constexpr std::int32_t РАЗМЕР_ВЫГРУЗКИ = 1;
inline constexpr std::int32_t РАЗМЕР_ПОЧТОВОГО_ЯЩИКА = 300;
inline constexpr float МНОЖИТЕЛЬ_ВРЕМЕНИ = 1e7f;
// The longest a record waits in the writer's buffer, however many follow it: once
// its time stamp is this old, the logging thread writes it with every record the
// buffer's order puts before it. A run that writes few records, or is killed,
// still leaves them in the file.
inline constexpr std::chrono::milliseconds ПАУЗА_ВЫГРУЗКИ{200};

// The name under which writers find the logging thread's mailbox.
inline constexpr std::string_view ИМЯ_ПОТОКА_ЖУРНАЛА = "поток_журналирования";

class ЖурналИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Written by the start on the main thread before anyone else writes, read-only
// afterwards. Never destroyed: every record reads it, those written from static
// destructors and exit handlers too.
extern ПараметрыЖурнала& параметры_журнала;
extern std::vector<std::string> ошибки_конвертации_уровней_модулей;

// The monotonic clock at program start (set by a static initialiser); every time stamp counts from it.
extern const std::chrono::steady_clock::time_point время_старта;

void строковая_инициализация_журнала(const std::string& файл, const std::string& общий_уровень,
                                     const std::map<std::string, std::string>& уровни_модулей);
// Starts the logging thread on the file; a journal already running in this process is ended first.
// A thread that can't be started is reported on standard error; records are then dropped.
void инициализация_журнала(const std::string& файл, УровниЖурнала общий,
                           const std::map<std::string, УровниЖурнала>& уровни);
std::map<std::string, УровниЖурнала> конвертация_уровней_модулей(const std::map<std::string, std::string>& уровни);

// 100-nanosecond ticks since время_старта.
std::int64_t текущее_время();

// True when a record of this level from this module passes its threshold.
bool будет_записано(std::string_view модуль, УровниЖурнала уровень);

// Formats the line and hands it to the logging thread; the threshold is already passed.
// Without a time stamp the present one is taken. Never throws.
void отправить_запись(std::string_view модуль, УровниЖурнала уровень, std::string_view сообщение);
void отправить_запись(std::string_view модуль, УровниЖурнала уровень, std::int64_t время,
                      std::string_view сообщение) noexcept;

// The call every module uses. The message is a callable returning the text; it
// is invoked at most once, and only when the record passes its threshold. A
// ready string is accepted too. Never fails towards the caller: a message whose
// building throws is written as a note of that failure.
template <class Сообщение>
void в_журнал(std::string_view модуль, УровниЖурнала уровень, Сообщение&& сообщение) {
    if (!будет_записано(модуль, уровень)) return;
    const std::int64_t время = текущее_время();
    if constexpr (std::is_invocable_v<Сообщение&>) {
        std::string текст;
        try {
            текст = std::forward<Сообщение>(сообщение)();
        } catch (const std::exception& ошибка) {
            текст = std::string("сообщение не построено: ") + ошибка.what();
        } catch (...) {
            текст = "сообщение не построено";
        }
        отправить_запись(модуль, уровень, время, текст);
    } else {
        отправить_запись(модуль, уровень, время, std::string_view(сообщение));
    }
}

// The lines of the text (split at every line break) joined by the continuation text.
std::string журнал_многострочное_форматирование(std::string_view текст);
// The file header; also sets the module column format and the continuation text.
std::string заголовок();
// Sends the stop record: records sent earlier are still written, later ones are dropped.
void остановить_журнал();
// The level column text, 11 characters.
std::string_view текст_уровня(УровниЖурнала уровень);

// Ends the logging thread after it has written every record sent so far.
// Safe to call more than once and when the journal never started. It also runs
// at normal process exit, so records are written even when main forgets it.
void завершить_журнал();

// Owned by main: ends the journal when main's scope is left, however it is left.
class ОхранаЖурнала {
public:
    ОхранаЖурнала() = default;
    ~ОхранаЖурнала() { завершить_журнал(); }
    ОхранаЖурнала(const ОхранаЖурнала&) = delete;
    ОхранаЖурнала& operator=(const ОхранаЖурнала&) = delete;
};

// What a sender hands the logging thread. A negative time stamp is the stop record.
struct ЗаписьЖурнала {
    std::thread::id отправитель;
    std::int64_t время = 0;
    std::string текст;
};

// The logging thread's bounded mailbox: senders wait while it is full; once
// closed (the thread has ended) it takes nothing and releases waiting senders.
class ПочтовыйЯщикЖурнала {
public:
    explicit ПочтовыйЯщикЖурнала(std::size_t ёмкость);

    // False when the mailbox is closed and the record was dropped.
    bool отправить(ЗаписьЖурнала запись);
    // Waits for a record, then moves every waiting record, in sending order, into
    // the empty `куда`. Taking them all at once frees the senders waiting for
    // room together, instead of waking one for each record taken.
    void взять_все(std::deque<ЗаписьЖурнала>& куда);
    // The same, waiting no later than до; false when no record came.
    bool взять_все(std::deque<ЗаписьЖурнала>& куда, std::chrono::steady_clock::time_point до);
    void закрыть();
    bool закрыт() const;

private:
    // Under the held lock: hands the waiting records over, then frees the senders waiting for room.
    void забрать(std::unique_lock<std::mutex>& замок, std::deque<ЗаписьЖурнала>& куда);

    const std::size_t ёмкость_;
    mutable std::mutex мьютекс_;
    std::condition_variable есть_запись_;
    std::condition_variable есть_место_;
    std::deque<ЗаписьЖурнала> записи_;
    bool закрыт_ = false;
};

// A pending record's place in the time order: among equal time stamps the earlier arrival comes first.
struct КлючЗаписи {
    std::int64_t время = 0;
    std::uint64_t номер = 0;
    friend auto operator<=>(const КлючЗаписи&, const КлючЗаписи&) = default;
};

// The file writer, owned by the logging thread alone. It keeps the pending
// records sorted by time and writes the oldest once the buffer is full.
class ЖурналОбъект {
public:
    // Creates or empties the file; throws ЖурналИсключение when it can't be opened.
    // A buffer capacity or flush count below 1 counts as 1.
    ЖурналОбъект(const std::string& файл, std::int32_t буфер, std::int32_t выгрузка);
    // Writes every pending record and closes the file.
    virtual ~ЖурналОбъект();
    ЖурналОбъект(const ЖурналОбъект&) = delete;
    ЖурналОбъект& operator=(const ЖурналОбъект&) = delete;

    virtual void в_журнал(std::int64_t время, std::string текст);
    virtual void вставить_ключ(КлючЗаписи ключ);
    virtual void записать(std::int32_t n);
    // Writes every pending record whose time stamp is not above время.
    void записать_до(std::int64_t время);
    // The time stamp of the first pending record in the buffer's order; count above 0.
    std::int64_t время_первой() const { return ключи_.at(0).время; }

    std::int32_t количество() const { return количество_; }
    std::int32_t ёмкость() const { return ёмкость_; }
    std::int32_t выгрузка() const { return выгрузка_; }

private:
    int файл_ = -1;
    std::vector<КлючЗаписи> ключи_;
    std::map<КлючЗаписи, std::string> тексты_;
    std::int32_t ёмкость_ = 1;
    std::int32_t выгрузка_ = 1;
    std::int32_t количество_ = 0;
    std::uint64_t следующий_номер_ = 0;
};

// The body of the logging thread: takes records from the mailbox and hands them
// to a writer on the file until the stop record, writing each pending record
// once it is ПАУЗА_ВЫГРУЗКИ old; then closes the mailbox and writes what is
// pending. A file that can't be opened ends the thread at once.
void функция_потока_журнала(std::shared_ptr<ПочтовыйЯщикЖурнала> ящик, std::string файл, std::int32_t буфер,
                            std::int32_t выгрузка);

}  // namespace my_utils::journal
