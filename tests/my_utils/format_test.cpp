#include <gtest/gtest.h>

#include "my_utils/format.hpp"

using my_utils::format::sprintf;

TEST(ФорматСообщений, ПроцентSПринимаетЧислаИСтроки) {
    EXPECT_EQ(sprintf("Закончили рендерить %s кадров", 4), "Закончили рендерить 4 кадров");
    EXPECT_EQ(sprintf("%s|%s|%s|%s", 7u, -3L, 7.2f, 200.0), "7|-3|7.2|200");
    EXPECT_EQ(sprintf("%s %s", true, std::string("слово")), "true слово");
    EXPECT_EQ(sprintf("%s", 1e7), "1e+07");
}

TEST(ФорматСообщений, ОстальныеПреобразованияКакУPrintf) {
    EXPECT_EQ(sprintf("поле%02d.txt", 3), "поле03.txt");
    EXPECT_EQ(sprintf("%10.5f|%-15s|", 1.5f, "меш"), "   1.50000|меш            |");
    EXPECT_EQ(sprintf("100%% и %s", 5), "100% и 5");
    EXPECT_EQ(sprintf("%ld и %lu", 5L, 6UL), "5 и 6");
}
