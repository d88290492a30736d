#include "tools/generator/holst.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fmt/format.h>

namespace generator {

Цвет смешать(Цвет a, Цвет b, float k) {
    return {a.r + (b.r - a.r) * k, a.g + (b.g - a.g) * k, a.b + (b.b - a.b) * k, a.a + (b.a - a.a) * k};
}
Цвет светлее(Цвет c, float k) { return смешать(c, {1, 1, 1, c.a}, k); }
Цвет темнее(Цвет c, float k) { return смешать(c, {0, 0, 0, c.a}, k); }
Цвет из_байтов(int r, int g, int b, int a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f}; }

Фигура круг(В2 центр, float радиус) {
    return [=](В2 p) { return длина(p - центр) - радиус; };
}

Фигура прямоугольник(В2 центр, В2 пол, float скругление) {
    return [=](В2 p) {
        В2 d{std::fabs(p.x - центр.x) - пол.x + скругление, std::fabs(p.y - центр.y) - пол.y + скругление};
        float снаружи = длина(В2{std::max(d.x, 0.0f), std::max(d.y, 0.0f)});
        return снаружи + std::min(std::max(d.x, d.y), 0.0f) - скругление;
    };
}

Фигура отрезок(В2 a, В2 b, float полуширина) {
    return [=](В2 p) {
        В2 ab = b - a;
        float t = std::clamp(скаляр(p - a, ab) / std::max(скаляр(ab, ab), 1e-12f), 0.0f, 1.0f);
        return длина(p - (a + ab * t)) - полуширина;
    };
}

Фигура многоугольник(std::vector<В2> в) {
    return [в = std::move(в)](В2 p) {
        float d = скаляр(p - в[0], p - в[0]);
        float s = 1;
        for (std::size_t i = 0, j = в.size() - 1; i < в.size(); j = i, ++i) {
            В2 e = в[j] - в[i], w = p - в[i];
            В2 b = w - e * std::clamp(скаляр(w, e) / std::max(скаляр(e, e), 1e-12f), 0.0f, 1.0f);
            d = std::min(d, скаляр(b, b));
            bool c1 = p.y >= в[i].y, c2 = p.y < в[j].y, c3 = e.x * w.y > e.y * w.x;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
        }
        return s * std::sqrt(d);
    };
}

Фигура звезда(В2 центр, float внешний, float внутренний, int лучей, float поворот) {
    std::vector<В2> в;
    for (int i = 0; i < 2 * лучей; ++i) {
        float r = i % 2 == 0 ? внешний : внутренний;
        float a = поворот - ПИ / 2 + ПИ * i / лучей;
        в.push_back({центр.x + r * std::cos(a), центр.y + r * std::sin(a)});
    }
    return многоугольник(std::move(в));
}

Фигура объединение(Фигура a, Фигура b) {
    return [=](В2 p) { return std::min(a(p), b(p)); };
}
Фигура вычитание(Фигура a, Фигура b) {
    return [=](В2 p) { return std::max(a(p), -b(p)); };
}
Фигура контур(Фигура a, float полуширина) {
    return [=](В2 p) { return std::fabs(a(p)) - полуширина; };
}

Холст::Холст(int ширина, int высота, Цвет фон)
    : ширина_(ширина), высота_(высота), пиксели_(static_cast<std::size_t>(ширина) * высота, фон) {
    if (ширина <= 0 || высота <= 0) {
        throw КартинкаИсключение(fmt::format("недопустимый размер картинки {}x{}", ширина, высота));
    }
}

Цвет Холст::пиксель(int x, int y) const { return пиксели_.at(static_cast<std::size_t>(y) * ширина_ + x); }
void Холст::задать(int x, int y, Цвет c) { пиксели_.at(static_cast<std::size_t>(y) * ширина_ + x) = c; }

void Холст::наложить(int x, int y, Цвет c, float покрытие) {
    if (x < 0 || y < 0 || x >= ширина_ || y >= высота_) return;
    float a = std::clamp(c.a * покрытие, 0.0f, 1.0f);
    if (a <= 0) return;
    Цвет& d = пиксели_[static_cast<std::size_t>(y) * ширина_ + x];
    float итог = a + d.a * (1 - a);
    if (итог <= 0) return;
    auto канал = [&](float s, float t) { return (s * a + t * d.a * (1 - a)) / итог; };
    d = {канал(c.r, d.r), канал(c.g, d.g), канал(c.b, d.b), итог};
}

void Холст::залить(const std::function<Цвет(В2)>& f) {
    for (int y = 0; y < высота_; ++y)
        for (int x = 0; x < ширина_; ++x) задать(x, y, f({x + 0.5f, y + 0.5f}));
}

void Холст::нарисовать(const Фигура& фигура, Цвет c) {
    нарисовать(фигура, [c](В2) { return c; });
}

void Холст::нарисовать(const Фигура& фигура, const std::function<Цвет(В2)>& c) {
    for (int y = 0; y < высота_; ++y) {
        for (int x = 0; x < ширина_; ++x) {
            В2 p{x + 0.5f, y + 0.5f};
            float покрытие = std::clamp(0.5f - фигура(p), 0.0f, 1.0f);
            if (покрытие > 0) наложить(x, y, c(p), покрытие);
        }
    }
}

void Холст::наложить(const Холст& другой, int x0, int y0) {
    for (int y = 0; y < другой.высота(); ++y)
        for (int x = 0; x < другой.ширина(); ++x) наложить(x0 + x, y0 + y, другой.пиксель(x, y));
}

void Холст::умножить_прозрачность(float k) {
    for (Цвет& c : пиксели_) c.a = std::clamp(c.a * k, 0.0f, 1.0f);
}

void Холст::сохранить_png(const std::string& путь, bool с_прозрачностью) const {
    Uint32 формат = с_прозрачностью ? SDL_PIXELFORMAT_RGBA32 : SDL_PIXELFORMAT_RGB24;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, ширина_, высота_, с_прозрачностью ? 32 : 24, формат);
    if (!s) {
        throw КартинкаИсключение(fmt::format("нет поверхности SDL для {}: {}", путь, SDL_GetError()));
    }
    auto байт = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
    int на_пиксель = с_прозрачностью ? 4 : 3;
    for (int y = 0; y < высота_; ++y) {
        auto* строка = static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch;
        for (int x = 0; x < ширина_; ++x) {
            Цвет c = пиксель(x, y);
            std::uint8_t* p = строка + x * на_пиксель;
            p[0] = байт(c.r), p[1] = байт(c.g), p[2] = байт(c.b);
            if (с_прозрачностью) p[3] = байт(c.a);
        }
    }
    int итог = IMG_SavePNG(s, путь.c_str());
    SDL_FreeSurface(s);
    if (итог != 0) {
        throw КартинкаИсключение(fmt::format("не записалась картинка {}: {}", путь, SDL_GetError()));
    }
}

Холст Холст::прочитать(const std::string& путь) {
    SDL_Surface* исходная = IMG_Load(путь.c_str());
    if (!исходная) {
        throw КартинкаИсключение(fmt::format("не читается картинка {}: {}", путь, IMG_GetError()));
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(исходная, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(исходная);
    if (!s) {
        throw КартинкаИсключение(fmt::format("картинка {} не перевелась в RGBA: {}", путь, SDL_GetError()));
    }
    Холст х(s->w, s->h);
    for (int y = 0; y < s->h; ++y) {
        auto* строка = static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch;
        for (int x = 0; x < s->w; ++x) {
            std::uint8_t* p = строка + 4 * x;
            х.задать(x, y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f});
        }
    }
    SDL_FreeSurface(s);
    return х;
}

void запустить_шрифты() {
    if (!TTF_WasInit() && TTF_Init() != 0) {
        throw КартинкаИсключение(fmt::format("SDL2_ttf не запустился: {}", TTF_GetError()));
    }
}

Шрифт::Шрифт(const std::string& файл, int кегль) : файл_(файл), кегль_(кегль) {
    запустить_шрифты();
    шрифт_ = TTF_OpenFont(файл.c_str(), кегль);
    if (!шрифт_) {
        throw КартинкаИсключение(fmt::format("не открылся шрифт {}: {}", файл, TTF_GetError()));
    }
}

Шрифт::~Шрифт() {
    if (шрифт_) TTF_CloseFont(шрифт_);
}

namespace {

// The glyph coverage of a text as a canvas in one colour.
Холст отрисовать(TTF_Font* шрифт, const std::string& строка, Цвет c) {
    SDL_Surface* s = TTF_RenderUTF8_Blended(шрифт, строка.c_str(), SDL_Color{255, 255, 255, 255});
    if (!s) {
        throw КартинкаИсключение(fmt::format("текст «{}» не построился: {}", строка, TTF_GetError()));
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    if (!rgba) {
        throw КартинкаИсключение(fmt::format("текст «{}» не перевёлся в RGBA: {}", строка, SDL_GetError()));
    }
    Холст х(rgba->w, rgba->h);
    for (int y = 0; y < rgba->h; ++y) {
        auto* строка_байт = static_cast<std::uint8_t*>(rgba->pixels) + static_cast<std::ptrdiff_t>(y) * rgba->pitch;
        for (int x = 0; x < rgba->w; ++x) {
            Цвет п = c;
            п.a = c.a * строка_байт[4 * x + 3] / 255.0f;
            х.задать(x, y, п);
        }
    }
    SDL_FreeSurface(rgba);
    return х;
}

// A smaller copy, each output pixel the average of the input pixels it covers.
Холст уменьшить(const Холст& х, float k) {
    int w = std::max(1, static_cast<int>(х.ширина() * k)), h = std::max(1, static_cast<int>(х.высота() * k));
    Холст итог(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int x0 = static_cast<int>(x / k), x1 = std::max(x0 + 1, static_cast<int>((x + 1) / k));
            int y0 = static_cast<int>(y / k), y1 = std::max(y0 + 1, static_cast<int>((y + 1) / k));
            float r = 0, g = 0, b = 0, a = 0;
            int n = 0;
            for (int yy = y0; yy < std::min(y1, х.высота()); ++yy)
                for (int xx = x0; xx < std::min(x1, х.ширина()); ++xx, ++n) {
                    Цвет c = х.пиксель(xx, yy);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            if (n > 0 && a > 0) итог.задать(x, y, {r / a, g / a, b / a, a / n});
        }
    }
    return итог;
}

}  // namespace

Холст Шрифт::текст(const std::string& строка, Цвет c, int обводка, Цвет цвет_обводки) const {
    Холст заливка = отрисовать(шрифт_, строка, c);
    if (обводка <= 0) {
        return заливка;
    }
    TTF_SetFontOutline(шрифт_, обводка);
    Холст итог = отрисовать(шрифт_, строка, цвет_обводки);
    TTF_SetFontOutline(шрифт_, 0);
    итог.наложить(заливка, обводка, обводка);
    return итог;
}

void написать(Холст& холст, const Шрифт& шрифт, const std::string& строка, В2 центр, Цвет c, int обводка,
              Цвет цвет_обводки, float макс_ширина) {
    Холст т = шрифт.текст(строка, c, обводка, цвет_обводки);
    if (макс_ширина > 0 && т.ширина() > макс_ширина) {
        т = уменьшить(т, макс_ширина / т.ширина());
    }
    холст.наложить(т, static_cast<int>(std::lround(центр.x - т.ширина() / 2.0f)),
                   static_cast<int>(std::lround(центр.y - т.высота() / 2.0f)));
}

}  // namespace generator
