// Info panels drawn in a real OpenGL context: a panel read from its description
// with a textured element and a text element, pixels read back.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <array>
#include <filesystem>
#include <memory>

#include "kontekst_gl.hpp"
#include "support/support.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"

namespace {

namespace fs = std::filesystem;
using zyr::infopanel::Инфопанель;
using zyr::text_infopaneli::ТекстовыйЭлементИнфопанели;
using Пиксель = std::array<unsigned char, 4>;

constexpr const char* ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";
constexpr const char* ШРИФТ_12 = "LiberationSerif-Italic_12";
constexpr float КРАСНЫЙ[3]{1.0f, 0.0f, 0.0f};

// Textures and fonts from the real registries over a resource folder.
class ИсточникИзПапки : public zyr::istochnik_resursov::ПустойИсточникРесурсов {
public:
    explicit ИсточникИзПапки(const fs::path& папка)
        : имена_(zyr::resources::ИменаРесурсов::создать({папка.string()})), текстуры_(имена_), шрифты_(имена_) {}
    std::shared_ptr<zyr::texture::Текстура> получить_текстуру(const std::string& имя) override {
        return текстуры_.получить(имя);
    }
    std::shared_ptr<zyr::zavisimost::shrift_SDL2::TTFШрифт> получить_ttf_шрифт(const std::string& имя) override {
        return шрифты_.получить(имя);
    }
    std::shared_ptr<const zyr::resources::ИменаРесурсов> имена() const { return имена_; }

private:
    std::shared_ptr<zyr::resources::ИменаРесурсов> имена_;
    zyr::texture::ЗагруженныеТекстуры текстуры_;
    zyr::zavisimost::shrift_SDL2::ЗагруженныеTTFШрифты шрифты_;
};

class ИнфопанельGL : public test_gl::КонтекстGL {
protected:
    void SetUp() override {
        КонтекстGL::SetUp();
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
        прежние_ = zyr::zavisimost::okno_SDL2::параметры_окна;
        zyr::zavisimost::okno_SDL2::параметры_окна.ширина = ШИРИНА;
        zyr::zavisimost::okno_SDL2::параметры_окна.высота = ВЫСОТА;

        // A 4 x 4 picture of four opaque quarters: red upper left, green upper
        // right, blue lower left, white lower right.
        SDL_Surface* картинка = SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_RGBA32);
        for (int ряд = 0; ряд < 4; ++ряд) {
            for (int столбец = 0; столбец < 4; ++столбец) {
                const bool верх = ряд < 2, лево = столбец < 2;
                const Uint32 цвет = верх ? (лево ? SDL_MapRGBA(картинка->format, 255, 0, 0, 255)
                                                 : SDL_MapRGBA(картинка->format, 0, 255, 0, 255))
                                         : (лево ? SDL_MapRGBA(картинка->format, 0, 0, 255, 255)
                                                 : SDL_MapRGBA(картинка->format, 255, 255, 255, 255));
                SDL_Rect пиксель{столбец, ряд, 1, 1};
                SDL_FillRect(картинка, &пиксель, цвет);
            }
        }
        ASSERT_EQ(IMG_SavePNG(картинка, (папка / "четверти.png").c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(картинка);
        fs::copy_file(ШРИФТ, папка / "LiberationSerif-Italic.ttf");

        // In the 64 x 48 window the panel covers x 16..48, y 8..40; the picture
        // its lower left quarter, the frame its upper right quarter.
        test_support::записать_файл(папка / "окно.ip", R"({
            "имя": "окно", "координаты": [16.0, 8.0, 32.0, 32.0],
            "элементы": [
                {"имя": "картинка", "координаты": [0.0, 0.0, 0.5, 0.5], "текстура": "четверти"},
                {"имя": "рамка", "координаты": [-0.5, -0.5, 0.5, 0.5], "контейнер": true}
            ]})");
        источник = std::make_unique<ИсточникИзПапки>(папка.путь());
    }

    void TearDown() override {
        zyr::zavisimost::okno_SDL2::параметры_окна = прежние_;
        источник.reset();
        TTF_Quit();
        КонтекстGL::TearDown();
    }

    // The renderer's state for panels, a black window, then the panel.
    static void нарисовать(Инфопанель& панель) {
        glViewport(0, 0, ШИРИНА, ВЫСОТА);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        панель.рисовать();
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
    }

    // Window pixels in x0..x1, y0..y1 whose red channel is above 100 and green and blue below 60.
    static int красных_в(int x0, int y0, int x1, int y1) {
        int красных = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const auto p = пиксель(x, y);
                if (p[0] > 100 && p[1] < 60 && p[2] < 60) ++красных;
            }
        }
        return красных;
    }

    std::shared_ptr<Инфопанель> загрузить_панель() {
        реестр = std::make_unique<zyr::infopanel::ЗагруженныеИнфопанели>(источник->имена(), *источник);
        return реестр->получить("окно");
    }

    test_support::ВременнаяПапка папка;
    std::unique_ptr<ИсточникИзПапки> источник;
    std::unique_ptr<zyr::infopanel::ЗагруженныеИнфопанели> реестр;

private:
    zyr::types::ПараметрыОкна прежние_;
};

TEST_F(ИнфопанельGL, ПанельРисуетКартинкуИТекстВСвоихПрямоугольниках) {
    const auto панель = загрузить_панель();
    ASSERT_NE(панель, nullptr);
    const auto рамка = панель->получить_элемент("рамка");
    ASSERT_NE(рамка, nullptr);
    const auto текст = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false, 0.0f, 0.0f, 0.1f, 0.1f);
    текст->задать_текст(*источник, "ЖЖЖЖ", ШРИФТ_12, КРАСНЫЙ);
    рамка->присоединить_элемент(текст);
    текст->обновить_размеры();
    // Four letters are wider than the 16-pixel frame: the text is clipped, not squeezed.
    EXPECT_FLOAT_EQ(текст->отн_ш(), 1.0f);
    EXPECT_LT(текст->координаты_текстуры()[2], 1.0f);

    нарисовать(*панель);

    // The picture's upper left quarter is at the element's upper left corner.
    EXPECT_EQ(пиксель(20, 20), (Пиксель{255, 0, 0, 255}));
    EXPECT_EQ(пиксель(28, 20), (Пиксель{0, 255, 0, 255}));
    EXPECT_EQ(пиксель(20, 12), (Пиксель{0, 0, 255, 255}));
    EXPECT_EQ(пиксель(28, 12), (Пиксель{255, 255, 255, 255}));
    // The text shows inside the frame and nowhere else.
    EXPECT_GT(красных_в(32, 24, 48, 40), 5);
    EXPECT_EQ(красных_в(0, 0, ШИРИНА, ВЫСОТА) - красных_в(32, 24, 48, 40) - красных_в(16, 8, 32, 24), 0);
    // Outside the panel the window stays black.
    EXPECT_EQ(пиксель(8, 4), (Пиксель{0, 0, 0, 255}));
    EXPECT_EQ(пиксель(56, 44), (Пиксель{0, 0, 0, 255}));

    // A new texture rectangle reaches the mesh made by the first drawing.
    const auto картинка = панель->получить_элемент("картинка");
    картинка->задать_координаты_текстуры(0.125f, 0.125f, 0.375f, 0.375f);
    нарисовать(*панель);
    EXPECT_EQ(пиксель(20, 20), (Пиксель{255, 0, 0, 255}));
    EXPECT_EQ(пиксель(28, 12), (Пиксель{255, 0, 0, 255}));

    // Hidden elements and hidden panels draw nothing.
    картинка->задать_видимость(false);
    нарисовать(*панель);
    EXPECT_EQ(пиксель(20, 20), (Пиксель{0, 0, 0, 255}));
    EXPECT_GT(красных_в(32, 24, 48, 40), 5);
    панель->поменять_видимость();
    нарисовать(*панель);
    EXPECT_EQ(красных_в(0, 0, ШИРИНА, ВЫСОТА), 0);
}

// Serves every font without a handle, as after a failed start of the font library.
class ИсточникСоШрифтамиБезРучки : public ИсточникИзПапки {
public:
    using ИсточникИзПапки::ИсточникИзПапки;
    std::shared_ptr<zyr::zavisimost::shrift_SDL2::TTFШрифт> получить_ttf_шрифт(const std::string&) override {
        return std::make_shared<zyr::zavisimost::shrift_SDL2::TTFШрифт>();
    }
};

TEST_F(ИнфопанельGL, ЭлементСТекстуройБезКартинкиНеРисуетсяВовсе) {
    // A picture the image library can't read, and a text whose rendering failed.
    test_support::записать_файл(папка / "битая.png", "не картинка");
    test_support::записать_файл(папка / "окно.ip", R"({
        "имя": "окно", "координаты": [16.0, 8.0, 32.0, 32.0],
        "элементы": [
            {"имя": "битая", "координаты": [0.0, 0.0, 0.5, 0.5], "текстура": "битая"},
            {"имя": "рамка", "координаты": [-0.5, -0.5, 0.5, 0.5], "контейнер": true}
        ]})");
    источник = std::make_unique<ИсточникСоШрифтамиБезРучки>(папка.путь());
    const auto панель = загрузить_панель();
    ASSERT_NE(панель, nullptr);
    ASSERT_NE(панель->получить_элемент("битая")->текстура(), nullptr);
    const auto текст = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false);
    текст->задать_текст(*источник, "12", ШРИФТ_12, КРАСНЫЙ);
    ASSERT_NE(текст->текстура(), nullptr);
    панель->получить_элемент("рамка")->присоединить_элемент(текст);

    нарисовать(*панель);
    int не_чёрных = 0;
    for (int y = 0; y < ВЫСОТА; ++y) {
        for (int x = 0; x < ШИРИНА; ++x) не_чёрных += пиксель(x, y) != Пиксель{0, 0, 0, 255};
    }
    EXPECT_EQ(не_чёрных, 0);
}

TEST_F(ИнфопанельGL, ТекстовыйЭлементСОбычнойТекстуройПолучаетСвоюТекстуруТекста) {
    const auto картинка = источник->получить_текстуру("четверти");
    ASSERT_NE(картинка, nullptr);
    const auto текст = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false);
    текст->задать_текстуру(картинка);

    текст->задать_текст(*источник, "1", ШРИФТ_12, КРАСНЫЙ);
    const auto текстура_текста = текст->текстура_текста();
    ASSERT_NE(текстура_текста, nullptr);
    EXPECT_EQ(текст->текстура(), текстура_текста);
    const int узкая = текстура_текста->получить_ширину();
    текст->создать_меш();
    const auto меш = текст->меш();

    // Later texts render into the same texture; the mesh stays.
    текст->задать_текст(*источник, "1111", ШРИФТ_12, КРАСНЫЙ);
    EXPECT_EQ(текст->текстура_текста(), текстура_текста);
    EXPECT_EQ(текст->текстура(), текстура_текста);
    EXPECT_EQ(текст->меш(), меш);
    EXPECT_GT(текстура_текста->получить_ширину(), узкая);

    // A font that can't be had changes nothing.
    текст->задать_текстуру(картинка);
    текст->задать_текст(*источник, "2", "НетТакого_12", КРАСНЫЙ);
    EXPECT_EQ(текст->текстура(), картинка);
}

}  // namespace
