// Images and rendered text uploaded as OpenGL textures, read back from OpenGL.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <array>
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "kontekst_gl.hpp"
#include "support/support.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"

namespace {

using zyr::zavisimost::shrift_SDL2::TTFШрифт;
using zyr::zavisimost::texture_SDL2_GL::Поверхность;
using zyr::zavisimost::texture_SDL2_GL::Текстура_SDL2_GL;
using zyr::zavisimost::texture_SDL2_GL::ТекстураВПамяти_SDL2;
using Пиксель = std::array<std::uint8_t, 4>;

constexpr const char* ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

class ТекстурыGL : public test_gl::КонтекстGL {
protected:
    void SetUp() override {
        КонтекстGL::SetUp();
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    }
    void TearDown() override {
        TTF_Quit();
        КонтекстGL::TearDown();
    }

    // The texture's image as RGBA bytes, row after row.
    static std::vector<Пиксель> прочитать(Текстура_SDL2_GL& текстура) {
        текстура.рисовать();
        std::vector<Пиксель> пиксели(static_cast<size_t>(текстура.получить_ширину() * текстура.получить_высоту()));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, пиксели.data());
        return пиксели;
    }
    static GLuint привязанное_имя(Текстура_SDL2_GL& текстура) {
        текстура.рисовать();
        GLint имя = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &имя);
        return static_cast<GLuint>(имя);
    }

    test_support::ВременнаяПапка папка;
};

// 3x2 images: a colour per pixel, alpha 128 where the format has one.
const std::array<Пиксель, 6> КАРТИНКА{{{255, 0, 0, 128}, {0, 255, 0, 128}, {0, 0, 255, 128},
                                      {10, 20, 30, 128}, {40, 50, 60, 128}, {70, 80, 90, 128}}};

Поверхность картинка(Uint32 формат_SDL) {
    Поверхность поверхность(SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 32, формат_SDL));
    SDL_Palette* палитра = поверхность->format->palette;
    for (int i = 0; i < 6; ++i) {
        const auto& [r, g, b, a] = КАРТИНКА[i];
        const Uint32 значение = палитра ? static_cast<Uint32>(i) : SDL_MapRGBA(поверхность->format, r, g, b, a);
        if (палитра) палитра->colors[i] = SDL_Color{r, g, b, 255};
        auto* строка = static_cast<std::uint8_t*>(поверхность->pixels) + (i / 3) * поверхность->pitch;
        std::memcpy(строка + (i % 3) * поверхность->format->BytesPerPixel, &значение, поверхность->format->BytesPerPixel);
    }
    return поверхность;
}

struct СлучайЗагрузки {
    const char* имя;
    Uint32 формат_SDL;
    int байт_в_файле;
    GLint формат_GL;
    bool альфа;
};

class ЗагрузкаКартинки : public ТекстурыGL, public ::testing::WithParamInterface<СлучайЗагрузки> {};

TEST_P(ЗагрузкаКартинки, ЦветаЧитаютсяОбратноБезВыходаЗаПиксели) {
    const auto& случай = GetParam();
    const std::string файл = (папка / "картинка.png").string();
    ASSERT_EQ(IMG_SavePNG(картинка(случай.формат_SDL).get(), файл.c_str()), 0) << IMG_GetError();

    ТекстураВПамяти_SDL2 в_памяти;
    в_памяти.загрузить_из_файла(файл);
    ASSERT_EQ(в_памяти.получить_размер_пикселя(), случай.байт_в_файле);

    Текстура_SDL2_GL текстура;
    текстура.загрузить_из_файла(файл);
    EXPECT_EQ(текстура.получить_формат(), случай.формат_GL);
    EXPECT_EQ(текстура.получить_ширину(), 3);
    EXPECT_FLOAT_EQ(текстура.получить_соотношение(), 1.5f);
    const auto пиксели = прочитать(текстура);
    for (int i = 0; i < 6; ++i) {
        Пиксель ожидаемый = КАРТИНКА[i];
        if (!случай.альфа) ожидаемый[3] = 255;
        EXPECT_EQ(пиксели[i], ожидаемый) << "пиксель " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Форматы, ЗагрузкаКартинки,
                         ::testing::Values(СлучайЗагрузки{"RGB", SDL_PIXELFORMAT_RGB24, 3, GL_RGB, false},
                                           СлучайЗагрузки{"RGBA", SDL_PIXELFORMAT_RGBA32, 4, GL_RGBA, true},
                                           СлучайЗагрузки{"palette", SDL_PIXELFORMAT_INDEX8, 1, GL_RGBA, false}),
                         [](const auto& случай) { return std::string(случай.param.имя); });

TEST_F(ТекстурыGL, ПоверхностиСНеобычнымШагомСтрокИДвумяБайтамиНаПиксельЗагружаютсяВерно) {
    for (const Uint32 формат_SDL : {SDL_PIXELFORMAT_RGBA32, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_RGB565}) {
        const auto образец = картинка(формат_SDL);
        const int байт = образец->format->BytesPerPixel;
        // RGBA rows of five whole pixels; RGB and 16-bit rows of no whole number of pixels.
        const int шаг = байт == 4 ? 20 : 3 * байт + 5;
        std::vector<std::uint8_t> пиксели(static_cast<size_t>(2 * шаг), 0xEE);
        for (int y = 0; y < 2; ++y)
            std::memcpy(&пиксели[y * шаг], static_cast<std::uint8_t*>(образец->pixels) + y * образец->pitch, 3 * байт);
        Поверхность поверхность(SDL_CreateRGBSurfaceWithFormatFrom(пиксели.data(), 3, 2, 32, шаг, формат_SDL));

        Текстура_SDL2_GL текстура;
        текстура._назначить_текстуру(поверхность.get());
        const auto прочитанные = прочитать(текстура);
        for (int i = 0; i < 6; ++i) {
            std::uint8_t r, g, b, a;
            SDL_GetRGBA(SDL_MapRGBA(образец->format, КАРТИНКА[i][0], КАРТИНКА[i][1], КАРТИНКА[i][2], КАРТИНКА[i][3]),
                        образец->format, &r, &g, &b, &a);
            const Пиксель ожидаемый{r, g, b, байт == 3 ? std::uint8_t{255} : a};
            // Widening 16-bit colours may round the lowest bit either way.
            for (int канал = 0; канал < 4; ++канал)
                EXPECT_NEAR(прочитанные[i][канал], ожидаемый[канал], 1)
                    << SDL_GetPixelFormatName(формат_SDL) << ", пиксель " << i << ", канал " << канал;
        }
    }
}

TEST_F(ТекстурыGL, НеудачнаяЗагрузкаОставляетТекстуруБезИмениИНеУдаляетЧужое) {
    GLint наибольший = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &наибольший);
    const auto малая = картинка(SDL_PIXELFORMAT_RGBA32);
    Поверхность огромная(SDL_CreateRGBSurfaceWithFormat(0, наибольший + 1, 1, 32, SDL_PIXELFORMAT_RGBA32));

    auto неудачная = std::make_unique<Текстура_SDL2_GL>();
    неудачная->_назначить_текстуру(малая.get());
    const GLuint прежнее_имя = привязанное_имя(*неудачная);
    неудачная->_назначить_текстуру(огромная.get());
    EXPECT_EQ(привязанное_имя(*неудачная), 0u);
    EXPECT_EQ(неудачная->получить_ширину(), 3);

    // The freed name goes to the next texture; the failed one must not delete it again.
    Текстура_SDL2_GL следующая;
    следующая._назначить_текстуру(малая.get());
    const GLuint имя_следующей = привязанное_имя(следующая);
    неудачная.reset();
    EXPECT_TRUE(glIsTexture(имя_следующей));
    EXPECT_NE(прежнее_имя, 0u);
}

TEST_F(ТекстурыGL, СтараяОшибкаOpenGLНеМешаетЗагрузке) {
    glEnable(0x7FFF);
    Текстура_SDL2_GL текстура;
    текстура._назначить_текстуру(картинка(SDL_PIXELFORMAT_RGB24).get());
    EXPECT_EQ(текстура.получить_ширину(), 3);
    EXPECT_NE(привязанное_имя(текстура), 0u);
}

TEST_F(ТекстурыGL, ЗагруженнаяТекстураРисуетсяНаЭкране) {
    Поверхность зелёная(SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 24, SDL_PIXELFORMAT_RGB24));
    SDL_FillRect(зелёная.get(), nullptr, SDL_MapRGB(зелёная->format, 0, 200, 0));
    Текстура_SDL2_GL текстура;
    текстура._назначить_текстуру(зелёная.get());

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    текстура.рисовать();
    glBegin(GL_QUADS);
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        glTexCoord2f(x, y);
        glVertex2f(2.0f * x - 1, 2.0f * y - 1);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(пиксель(ШИРИНА / 2, ВЫСОТА / 2), (std::array<unsigned char, 4>{0, 200, 0, 255}));
}

struct СлучайЦвета {
    const char* имя;
    std::array<float, 3> цвет;
    std::array<std::uint8_t, 3> ожидаемый;
};

class ЦветТекста : public ТекстурыGL, public ::testing::WithParamInterface<СлучайЦвета> {};

TEST_P(ЦветТекста, ТекстЧитаетсяВЗаданномЦветеСПокрытиемВАльфе) {
    TTFШрифт шрифт;
    шрифт.загрузить_из_файла(ШРИФТ, 32);
    Текстура_SDL2_GL текстура;
    текстура.построить_из_текста(шрифт, "Ёлка", GetParam().цвет);
    ASSERT_GT(текстура.получить_ширину(), 0);
    EXPECT_EQ(текстура.получить_формат(), GL_RGBA);
    int наибольшая_альфа = 0;
    for (const auto& [r, g, b, a] : прочитать(текстура)) {
        if (a == 0) continue;
        наибольшая_альфа = std::max<int>(наибольшая_альфа, a);
        ASSERT_EQ((std::array<std::uint8_t, 3>{r, g, b}), GetParam().ожидаемый);
    }
    EXPECT_EQ(наибольшая_альфа, 255);
}

INSTANTIATE_TEST_SUITE_P(Цвета, ЦветТекста,
                         ::testing::Values(СлучайЦвета{"red", {1, 0, 0}, {255, 0, 0}},
                                           СлучайЦвета{"red_blue", {0.8f, 0, 0.4f}, {204, 0, 102}},
                                           СлучайЦвета{"slightly_outside", {1.0001f, -0.0001f, 0.5f}, {255, 0, 128}}),
                         [](const auto& случай) { return std::string(случай.param.имя); });

TEST_F(ТекстурыGL, ПерестроенныйТекстСохраняетИмяТекстуры) {
    TTFШрифт шрифт;
    шрифт.загрузить_из_файла(ШРИФТ, 24);
    Текстура_SDL2_GL текстура;
    текстура.построить_из_текста(шрифт, "Очки: 10", {1, 1, 1});
    const GLuint имя = привязанное_имя(текстура);
    const int высота_строки = текстура.получить_высоту();

    const std::string длинный(120, 'W');
    текстура.построить_из_текста(шрифт, длинный, {1, 1, 1});
    EXPECT_EQ(привязанное_имя(текстура), имя);
    EXPECT_LE(текстура.получить_ширину(), 600);
    EXPECT_GT(текстура.получить_высоту(), высота_строки);

    // An empty text shows nothing rather than the previous text.
    текстура.построить_из_текста(шрифт, "", {1, 1, 1});
    EXPECT_EQ(привязанное_имя(текстура), имя);
    ASSERT_EQ(текстура.получить_ширину() * текстура.получить_высоту(), 1);
    EXPECT_EQ(прочитать(текстура)[0][3], 0);

    // A font without a handle renders nothing; the texture keeps its image.
    TTFШрифт пустой;
    пустой.загрузить_из_файла((папка / "нет.ttf").string(), 24);
    текстура.построить_из_текста(пустой, "текст", {1, 1, 1});
    EXPECT_EQ(текстура.получить_ширину(), 1);
}

}  // namespace
