// The journal's cost to its callers, and reading a settings file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <fmt/format.h>

#include "my_utils/journal.hpp"
#include "my_utils/nastroyki_struct.hpp"
#include "src/nastroiki.hpp"

namespace {

using namespace my_utils::journal;

std::filesystem::path временный_файл(const std::string& имя) {
    return std::filesystem::temp_directory_path() / fmt::format("igra_bench_{}_{}", ::getpid(), имя);
}

// A record below its module's threshold: a look-up and a comparison, the message
// is never built. Module levels are set, as the game's settings set them; the
// long name (27 bytes of UTF-8) is past any short-string buffer, so a look-up
// that copies the name into a string allocates.
void BM_ЖурналОтфильтрованнаяЗапись(benchmark::State& state, const char* модуль) {
    const auto файл = временный_файл("отфильтровано.log");
    инициализация_журнала(файл.string(), УровниЖурнала::Предупреждение,
                          {{"шарики", УровниЖурнала::Ошибка}, {"игр.статистика", УровниЖурнала::Ошибка},
                           {"меш", УровниЖурнала::Информация}});
    int i = 0;
    for (auto _ : state) {
        в_журнал(модуль, УровниЖурнала::Отладка, [&] { return fmt::format("шарик {}", i); });
        ++i;
    }
    завершить_журнал();
    std::filesystem::remove(файл);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ЖурналОтфильтрованнаяЗапись, короткое_имя, "шарики");
BENCHMARK_CAPTURE(BM_ЖурналОтфильтрованнаяЗапись, длинное_имя, "игр.статистика");

// A written record: the caller builds the message and the line and hands it to the
// logging thread; the figure includes waiting while the mailbox is full, so it is
// bounded by the logging thread's sorting and writing rate.
void BM_ЖурналЗаписаннаяЗапись(benchmark::State& state) {
    const auto файл = временный_файл("записано.log");
    инициализация_журнала(файл.string(), УровниЖурнала::Информация, {});
    int i = 0;
    for (auto _ : state) {
        в_журнал("шарики", УровниЖурнала::Информация, [&] { return fmt::format("шарик {} вошёл в цепь", i); });
        ++i;
    }
    завершить_журнал();
    std::filesystem::remove(файл);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ЖурналЗаписаннаяЗапись)->UseRealTime();

// A settings file of 1,000 lines: comments, blank lines, declared and undeclared keys, every type.
void BM_ЧтениеФайлаНастроек1000Строк(benchmark::State& state) {
    const auto файл = временный_файл("настройки.cfg");
    {
        std::ofstream поток(файл, std::ios::binary);
        for (int i = 0; i < 1000; ++i) {
            switch (i % 8) {
                case 0: поток << "# комментарий " << i << "\n"; break;
                case 1: поток << "скорости = [0.0, -150.0, 150.0, -60.0, -20.0, 5.0, 10.0, 15.0, 60, 0, 0.0]\n"; break;
                case 2: поток << "количество_шаров_на_пути = " << i << "\r\n"; break;
                case 3: поток << "  \"данные\" = \"уровни/\"\n"; break;
                case 4: поток << "уровни_модулей = [\"меш\":\"Отладка\", \"шарики\":\"Ошибка\"]\n"; break;
                case 5: поток << "неизвестный_ключ_" << i << " = " << i << "\n"; break;
                case 6: поток << "ресурсы = [\"ресурсы\", \"ресурсы/данные\"]\n"; break;
                default: поток << "\n"; break;
            }
        }
    }
    for (auto _ : state) {
        nastroiki::НастройкиИгры настройки;
        benchmark::DoNotOptimize(настройки.прочитать_настройки_из_файла(файл.string(), '\n'));
    }
    std::filesystem::remove(файл);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ЧтениеФайлаНастроек1000Строк);

}  // namespace
