// The journal at the edges of its life, each case in a forked child: a logging
// thread that can't be started, and records written while the program exits.
// A sender that blocks for ever is ended by an alarm, so a hang fails the test.
#include "my_utils/journal.hpp"

#include <gtest/gtest.h>

#include <pthread.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "support/support.hpp"

namespace {

using namespace my_utils::journal;
using test_support::ВременнаяПапка;
using test_support::прочитать_файл;

constexpr unsigned СЕКУНД_ДО_ТРЕВОГИ = 60;

std::size_t сколько_раз(const std::string& текст, const std::string& образец) {
    std::size_t раз = 0;
    for (auto место = текст.find(образец); место != std::string::npos; место = текст.find(образец, место + 1)) ++раз;
    return раз;
}

// Writes more records than the mailbox holds, from a destructor that runs after
// every ordinary static object of the program, the journal's own included.
// Armed only in a child.
struct ПозднийПисатель {
    bool включён = false;
    ~ПозднийПисатель() {
        if (!включён) return;
        for (int i = 0; i < 2 * РАЗМЕР_ПОЧТОВОГО_ЯЩИКА; ++i) в_журнал("поздний", УровниЖурнала::Информация, "после конца");
    }
};
ПозднийПисатель поздний_писатель __attribute__((init_priority(101)));

// Destroyed at exit before the journal's own statics: built during main.
struct ПисательПриВыходе {
    ~ПисательПриВыходе() { в_журнал("выход", УровниЖурнала::Информация, "из деструктора"); }
};

class ЖурналКонецDeathTest : public testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "fast"); }
    ВременнаяПапка папка;
};

TEST_F(ЖурналКонецDeathTest, НеЗапущенныйПотокНеЗадерживаетОтправителей) {
    const auto файл = папка / "ж.log";
    EXPECT_EXIT(
        {
            alarm(СЕКУНД_ДО_ТРЕВОГИ);
            // A stack no address space holds: every new thread fails to start.
            pthread_attr_t атрибуты;
            pthread_attr_init(&атрибуты);
            pthread_attr_setstacksize(&атрибуты, std::size_t{1} << 60);
            pthread_setattr_default_np(&атрибуты);
            инициализация_журнала(файл.string(), УровниЖурнала::Информация, {});
            for (int i = 0; i < 2 * РАЗМЕР_ПОЧТОВОГО_ЯЩИКА; ++i) в_журнал("zyr", УровниЖурнала::Ошибка, "никому");
            остановить_журнал();
            завершить_журнал();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "поток журнала");
    EXPECT_FALSE(std::filesystem::exists(файл));
}

TEST_F(ЖурналКонецDeathTest, ЗаписиПриВыходеПишутсяАПослеКонцаОтбрасываютсяБезСбоя) {
    const auto файл = папка / "ж.log";
    EXPECT_EXIT(
        {
            alarm(СЕКУНД_ДО_ТРЕВОГИ);
            // Module levels, so the late records' threshold check reads the map.
            инициализация_журнала(файл.string(), УровниЖурнала::Информация,
                                  {{"поздний", УровниЖурнала::Отладка}, {"выход", УровниЖурнала::Отладка}});
            std::atexit([] { в_журнал("выход", УровниЖурнала::Информация, "из atexit"); });
            static ПисательПриВыходе писатель;
            поздний_писатель.включён = true;
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const auto текст = прочитать_файл(файл);
    EXPECT_EQ(сколько_раз(текст, "| из atexit\n"), 1u) << текст;
    EXPECT_EQ(сколько_раз(текст, "| из деструктора\n"), 1u) << текст;
    EXPECT_EQ(сколько_раз(текст, "после конца"), 0u);
}

}  // namespace
