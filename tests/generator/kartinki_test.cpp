// Images of the generator: distinct ball colours, partial alpha where the game
// blends, atlases laid out in the cells the screens cut them by, PNG output.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <string>

#include "support/support.hpp"
#include "tools/generator/paneli.hpp"
#include "tools/generator/tekstury.hpp"

using namespace generator;

namespace {

const std::string ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

Цвет средний(const Холст& х) {
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < х.высота(); ++y)
        for (int x = 0; x < х.ширина(); ++x) {
            Цвет c = х.пиксель(x, y);
            r += c.r, g += c.g, b += c.b;
        }
    double n = double(х.ширина()) * х.высота();
    return {float(r / n), float(g / n), float(b / n), 1};
}

float расстояние(Цвет a, Цвет b) { return std::sqrt((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b)); }

}  // namespace

TEST(КартинкиГенератора, ШестьШариковРазличимыИРовнаяПолосаДляЦифр) {
    for (int a = 0; a < 6; ++a) {
        Холст х = текстура_шарика(a, false);
        EXPECT_EQ(х.ширина(), 256);
        EXPECT_EQ(х.высота(), 128);
        // Told apart by colour (the plain band) and by pattern (the whole picture).
        for (int b = a + 1; b < 6; ++b) {
            Холст другая = текстура_шарика(b, false);
            EXPECT_GT(расстояние(х.пиксель(0, 20), другая.пиксель(0, 20)), 0.4f);
            EXPECT_GT(расстояние(средний(х), средний(другая)), 0.1f);
        }
        // The rows that the digits sample hold the plain colour only.
        Цвет основа = цвета_шариков()[a];
        for (int y = static_cast<int>(0.1f * 128); y <= static_cast<int>(0.25f * 128); ++y)
            for (int x = 0; x < 256; x += 7) ASSERT_LT(расстояние(х.пиксель(x, y), основа), 1e-3f) << x << "," << y;
    }
}

TEST(КартинкиГенератора, ПрозрачныеШарикиПолупрозрачны) {
    for (int c = 0; c < 6; ++c) {
        Холст х = текстура_шарика(c, true);
        float мин = 1, макс = 0;
        for (int y = 0; y < х.высота(); ++y)
            for (int x = 0; x < х.ширина(); ++x) {
                мин = std::min(мин, х.пиксель(x, y).a);
                макс = std::max(макс, х.пиксель(x, y).a);
            }
        EXPECT_GT(мин, 0.2f);
        EXPECT_LT(мин, 0.6f);
        EXPECT_LT(макс, 1.0f);
        EXPECT_GT(макс, мин + 0.2f);
    }
}

TEST(КартинкиГенератора, АтласНачальнойЗаставкиТриПолосыПоДвеКнопки) {
    Холст х = атлас_начальной_заставки(ШРИФТ);
    ASSERT_EQ(х.ширина(), 512);
    ASSERT_EQ(х.высота(), 256);
    for (int полоса = 0; полоса < 3; ++полоса)
        for (int половина = 0; половина < 2; ++половина) {
            // The button's face fills the middle of its band; its corners stay clear.
            EXPECT_GT(х.пиксель(256 * половина + 20, 75 * полоса + 37).a, 0.99f);
            EXPECT_LT(х.пиксель(256 * половина + 1, 75 * полоса + 1).a, 0.01f);
        }
    for (int x = 0; x < 512; x += 5) ASSERT_LT(х.пиксель(x, 240).a, 0.01f);
}

TEST(КартинкиГенератора, АтласУровнейКруглыеКнопкиВКлеткахОстальноеПрозрачно) {
    for (int страница : {1, 2}) {
        Холст х = атлас_уровней(страница, ШРИФТ);
        ASSERT_EQ(х.ширина(), 512);
        ASSERT_EQ(х.высота(), 512);
        int уровней = страница == 1 ? 8 : 4;
        for (int клетка = 0; клетка < 25; ++клетка) {
            SCOPED_TRACE(клетка);
            int x0 = 100 * (клетка % 5), y0 = 100 * (клетка / 5);
            bool занята = клетка < 3 * уровней;
            EXPECT_EQ(х.пиксель(x0 + 50, y0 + 50).a > 0.99f, занята);
            // Corners of every cell are transparent: the opaque-pixel test misses them.
            EXPECT_LT(х.пиксель(x0 + 3, y0 + 3).a, 0.01f);
            EXPECT_LT(х.пиксель(x0 + 96, y0 + 96).a, 0.01f);
        }
    }
}

TEST(КартинкиГенератора, PNGЧитаетсяSDLВНужномФормате) {
    test_support::ВременнаяПапка папка;
    Холст х(4, 2, {1, 0, 0, 1});
    х.задать(1, 0, {0, 0, 1, 0.5f});
    х.сохранить_png((папка / "rgba.png").string(), true);
    х.сохранить_png((папка / "rgb.png").string(), false);
    SDL_Surface* rgba = IMG_Load((папка / "rgba.png").string().c_str());
    SDL_Surface* rgb = IMG_Load((папка / "rgb.png").string().c_str());
    ASSERT_NE(rgba, nullptr);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgba->format->BytesPerPixel, 4);
    EXPECT_EQ(rgb->format->BytesPerPixel, 3);
    // Top row first, bytes in R, G, B(, A) order: what the texture upload expects.
    auto* p = static_cast<Uint8*>(rgba->pixels);
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 0);
    EXPECT_EQ(p[4 + 2], 255);
    EXPECT_EQ(p[4 + 3], 128);
    auto* q = static_cast<Uint8*>(rgb->pixels);
    EXPECT_EQ(q[0], 255);
    EXPECT_EQ(q[3 + 2], 255);
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(rgb);
}

TEST(КартинкиГенератора, ТекстПишетсяШрифтомИУжимаетсяПоШирине) {
    Холст х = надпись("Пауза", 512, 128, 96, {1, 1, 1, 1}, ШРИФТ);
    int непрозрачных = 0, у_края = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 512; ++x) {
            bool есть = х.пиксель(x, y).a > 0.5f;
            непрозрачных += есть;
            у_края += есть && (x < 2 || x >= 510);
        }
    EXPECT_GT(непрозрачных, 2000);
    EXPECT_EQ(у_края, 0);
    Холст длинная = надпись(std::string(200, 'W'), 256, 64, 40, {1, 1, 1, 1}, ШРИФТ);
    for (int y = 0; y < 64; ++y) EXPECT_LT(длинная.пиксель(0, y).a, 0.5f);
    EXPECT_THROW(Шрифт("/нет/такого/шрифта.ttf", 10), КартинкаИсключение);
}
