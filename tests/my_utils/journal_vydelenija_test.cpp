// The journal's cost to a caller whose record is filtered out: no heap
// allocation, whatever the module's name. This program's operator new counts
// the allocations of a thread while it is asked to.
#include "my_utils/journal.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "support/support.hpp"

namespace {

thread_local bool считать_выделения = false;
thread_local std::size_t выделений = 0;

}  // namespace

void* operator new(std::size_t размер) {
    if (считать_выделения) ++выделений;
    if (void* память = std::malloc(размер == 0 ? 1 : размер)) return память;
    throw std::bad_alloc();
}
// GCC takes the free below, once inlined into a caller here, for a mismatch
// with operator new; the two are this program's own matching pair.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* память) noexcept { std::free(память); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
void operator delete(void* память, std::size_t) noexcept { ::operator delete(память); }

namespace {

using namespace my_utils::journal;

TEST(ЖурналОтфильтрованнаяЗапись, НеВыделяетПамятьДажеДляДлинногоИмениМодуля) {
    test_support::ВременнаяПапка папка;
    инициализация_журнала((папка / "ж.log").string(), УровниЖурнала::Предупреждение,
                          {{"игр.статистика", УровниЖурнала::Ошибка}, {"шарики", УровниЖурнала::Ошибка}});
    // Names of more bytes than a short string holds, with a level of their own and without.
    for (const char* модуль : {"игр.статистика", "очень_длинное_имя_модуля", "шарики", "zyr"}) {
        bool построено = false;
        выделений = 0;
        считать_выделения = true;
        в_журнал(модуль, УровниЖурнала::Отладка, [&] {
            построено = true;
            return std::string("не нужно");
        });
        считать_выделения = false;
        EXPECT_FALSE(построено) << модуль;
        EXPECT_EQ(выделений, 0u) << модуль;
    }
    завершить_журнал();
}

}  // namespace
