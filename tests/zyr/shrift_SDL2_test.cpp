// Font names "<base>_<size>" and the font registry, without a window.
#include <gtest/gtest.h>

#include <SDL2/SDL_ttf.h>

#include <filesystem>
#include <functional>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"

namespace {

namespace fs = std::filesystem;
using namespace zyr::zavisimost::shrift_SDL2;
using my_utils::journal::УровниЖурнала;

constexpr const char* ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

struct СлучайИмени {
    const char* имя;
    bool есть_черта;
    const char* база;
    std::optional<std::int32_t> размер;
};

class ИмяШрифта : public ::testing::TestWithParam<СлучайИмени> {};

TEST_P(ИмяШрифта, РазмерЭтоЦелоеПослеПоследнейЧерты) {
    const auto& случай = GetParam();
    const auto части = разобрать_имя_шрифта(случай.имя);
    ASSERT_EQ(части.has_value(), случай.есть_черта);
    if (!части) return;
    EXPECT_EQ(части->база, случай.база);
    EXPECT_EQ(части->размер, случай.размер);
}

INSTANTIATE_TEST_SUITE_P(
    Имена, ИмяШрифта,
    ::testing::Values(СлучайИмени{"LiberationSerif-Italic_32", true, "LiberationSerif-Italic", 32},
                      СлучайИмени{"Мой_шрифт_+12", true, "Мой_шрифт", 12}, СлучайИмени{"a_-3", true, "a", -3},
                      СлучайИмени{"LiberationSerif-Italic", false, "", std::nullopt},
                      СлучайИмени{"a_слово", true, "a", std::nullopt}, СлучайИмени{"a_", true, "a", std::nullopt},
                      СлучайИмени{"a_+-3", true, "a", std::nullopt}, СлучайИмени{"a_12pt", true, "a", std::nullopt},
                      СлучайИмени{"a_ 12", true, "a", std::nullopt},
                      СлучайИмени{"a_2147483648", true, "a", std::nullopt}));

// The journal file written while the action runs.
std::string журнал_при(const test_support::ВременнаяПапка& папка, const std::function<void()>& действие) {
    my_utils::journal::инициализация_журнала((папка / "журнал.log").string(), УровниЖурнала::Отладка, {});
    действие();
    my_utils::journal::завершить_журнал();
    return test_support::прочитать_файл(папка / "журнал.log");
}

class РеестрШрифтов : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
        fs::create_directory(папка / "шрифты");
        fs::create_symlink(ШРИФТ, папка / "шрифты" / "Liberation_Курсив.ttf");
        test_support::записать_файл(папка / "шрифты" / "испорченный.ttf", "не шрифт");
        реестр = std::make_unique<ЗагруженныеTTFШрифты>(
            zyr::resources::ИменаРесурсов::создать({(папка / "шрифты").string()}));
    }
    void TearDown() override {
        реестр.reset();
        TTF_Quit();
    }

    test_support::ВременнаяПапка папка;
    std::unique_ptr<ЗагруженныеTTFШрифты> реестр;
};

TEST_F(РеестрШрифтов, НеверныеИменаОтвергаютсяСоСвоимиСообщениями) {
    const auto журнал = журнал_при(папка, [&] {
        EXPECT_EQ(реестр->получить("Курсив"), nullptr);
        EXPECT_EQ(реестр->получить("Liberation_Курсив_крупный"), nullptr);
        EXPECT_EQ(реестр->получить("Liberation_Курсив_"), nullptr);
        EXPECT_EQ(реестр->получить("Нет_12"), nullptr);
    });
    EXPECT_NE(журнал.find("Имя шрифта Курсив неверно построено."), std::string::npos) << журнал;
    EXPECT_NE(журнал.find("Размер шрифта Liberation_Курсив_крупный не определяется."), std::string::npos);
    EXPECT_NE(журнал.find("Размер шрифта Liberation_Курсив_ не определяется."), std::string::npos);
    EXPECT_NE(журнал.find("Отсутствует файл шрифта Нет_12"), std::string::npos);
    EXPECT_NE(журнал.find("Отсутствует ресурс с именем: Нет_12"), std::string::npos);
    EXPECT_FALSE(реестр->загружен("Liberation_Курсив_"));
}

TEST_F(РеестрШрифтов, ОдинФайлВДвухРазмерахЭтоДваШрифта) {
    const auto крупный = реестр->получить("Liberation_Курсив_32");
    const auto мелкий = реестр->получить("Liberation_Курсив_+12");
    ASSERT_NE(крупный, nullptr);
    ASSERT_NE(мелкий, nullptr);
    EXPECT_NE(крупный, мелкий);
    EXPECT_EQ(реестр->получить("Liberation_Курсив_32"), крупный);
    ASSERT_NE(крупный->opCall(), nullptr);
    EXPECT_GT(TTF_FontHeight(крупный->opCall()), TTF_FontHeight(мелкий->opCall()));
}

TEST_F(РеестрШрифтов, НеоткрывшийсяФайлДаётШрифтБезРучки) {
    std::shared_ptr<TTFШрифт> шрифт;
    const auto журнал = журнал_при(папка, [&] { шрифт = реестр->получить("испорченный_20"); });
    ASSERT_NE(шрифт, nullptr);
    EXPECT_EQ(шрифт->opCall(), nullptr);
    const std::string путь = (папка / "шрифты" / "испорченный.ttf").string();
    EXPECT_NE(журнал.find("Шрифт " + путь + "_20 не загрузился. Ошибка: "), std::string::npos) << журнал;
    EXPECT_NE(журнал.find("Шрифт " + путь + "_20 загрузили!"), std::string::npos);
}

}  // namespace
