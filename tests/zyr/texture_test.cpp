// Image registries and images kept in memory, without a window.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <filesystem>
#include <functional>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zyr/texture.hpp"

namespace {

namespace fs = std::filesystem;
using namespace zyr::texture;
using my_utils::journal::УровниЖурнала;

class РеестрыТекстур : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(папка / "картинки");
        SDL_Surface* поверхность = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(поверхность, nullptr, SDL_MapRGBA(поверхность->format, 10, 20, 30, 0));
        ASSERT_EQ(IMG_SavePNG(поверхность, (папка / "картинки" / "кнопка.png").string().c_str()), 0);
        SDL_FreeSurface(поверхность);
        test_support::записать_файл(папка / "картинки" / "испорченная.png", "не картинка");
        имена = zyr::resources::ИменаРесурсов::создать({(папка / "картинки").string()});
    }

    std::string журнал_при(const std::function<void()>& действие) {
        my_utils::journal::инициализация_журнала((папка / "журнал.log").string(), УровниЖурнала::Отладка, {});
        действие();
        my_utils::journal::завершить_журнал();
        return test_support::прочитать_файл(папка / "журнал.log");
    }

    test_support::ВременнаяПапка папка;
    std::shared_ptr<zyr::resources::ИменаРесурсов> имена;
};

TEST_F(РеестрыТекстур, КартинкаВПамятиОтдаётСвоиПиксели) {
    ЗагруженныеВПамятьТекстуры реестр(имена);
    const auto картинка = реестр.получить("кнопка");
    ASSERT_NE(картинка, nullptr);
    EXPECT_EQ(реестр.получить("кнопка"), картинка);
    EXPECT_EQ(картинка->получить_формат(), ФОРМАТ_RGBA);
    EXPECT_FLOAT_EQ(картинка->получить_соотношение(), 2.0f);
    ASSERT_EQ(картинка->получить_размер_пикселя(), 4);
    EXPECT_GE(картинка->получить_размер_строки(), 16);
    const std::uint8_t* пиксели = картинка->получить_пиксели();
    const std::uint8_t* последний = пиксели + картинка->получить_размер_строки() + 3 * 4;
    EXPECT_EQ((std::vector<int>{последний[0], последний[1], последний[2], последний[3]}),
              (std::vector<int>{10, 20, 30, 0}));
}

TEST_F(РеестрыТекстур, НечитаемаяКартинкаОстаётсяВРеестреБезИзображения) {
    ЗагруженныеВПамятьТекстуры в_памяти(имена);
    ЗагруженныеТекстуры для_GL(имена);
    std::shared_ptr<ТекстураВПамяти> пустая;
    std::shared_ptr<Текстура> пустая_GL;
    const auto журнал = журнал_при([&] {
        пустая = в_памяти.получить("испорченная");
        пустая_GL = для_GL.получить("испорченная");
    });
    ASSERT_NE(пустая, nullptr);
    EXPECT_EQ(пустая->получить_пиксели(), nullptr);
    EXPECT_EQ(пустая->получить_размер_строки(), -1);
    EXPECT_EQ(пустая->получить_размер_пикселя(), -1);
    EXPECT_EQ(пустая->получить_соотношение(), -1.0f);
    ASSERT_NE(пустая_GL, nullptr);
    EXPECT_EQ(пустая_GL->получить_ширину(), 0);
    EXPECT_EQ(для_GL.получить("испорченная"), пустая_GL);
    const std::string строка = "Картинка " + (папка / "картинки" / "испорченная.png").string() + " не загрузилась";
    EXPECT_NE(журнал.find(строка), std::string::npos) << журнал;
}

TEST_F(РеестрыТекстур, НезарегистрированноеИмяНеЗапоминается) {
    ЗагруженныеТекстуры реестр(имена);
    const auto журнал = журнал_при([&] {
        EXPECT_EQ(реестр.получить("Кнопка"), nullptr);
        EXPECT_EQ(реестр.получить("Кнопка"), nullptr);
    });
    EXPECT_FALSE(реестр.загружен("Кнопка"));
    const auto первая = журнал.find("Отсутствует файл текстуры Кнопка");
    ASSERT_NE(первая, std::string::npos) << журнал;
    EXPECT_NE(журнал.find("Отсутствует файл текстуры Кнопка", первая + 1), std::string::npos);
    EXPECT_NE(журнал.find("Отсутствует ресурс с именем: Кнопка"), std::string::npos);
}

}  // namespace
