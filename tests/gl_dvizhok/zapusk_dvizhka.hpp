// A fresh engine start for each test: a private working folder, the settings
// record back at its defaults, a journal of its own; the window and the manager
// are gone again after the test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zyr/istochnik_resursov.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/zyr.hpp"

namespace test_gl_dvizhok {

class ЗапускДвижкаВТесте : public ::testing::Test {
protected:
    void SetUp() override {
        // The record keeps what an earlier start in this process read.
        zyr::nastroyki_zyr::настройки.инициализация();
        my_utils::journal::инициализация_журнала(файл_журнала.string(), my_utils::journal::УровниЖурнала::Отладка, {});
    }

    void TearDown() override {
        zyr::менеджер.reset();
        zyr::okno::закрыть_окно();
        my_utils::journal::завершить_журнал();
    }

    // The whole journal, once every record sent so far is written.
    std::string журнал() {
        my_utils::journal::завершить_журнал();
        return test_support::прочитать_файл(файл_журнала);
    }

    test_support::ВременнаяПапка рабочая;
    test_support::РабочаяПапка в_рабочей{рабочая.путь()};
    test_support::ВременнаяПапка папка_журнала;
    std::filesystem::path файл_журнала = папка_журнала / "журнал.log";
    zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена{nullptr};
};

}  // namespace test_gl_dvizhok
