#include "tools/generator/tekstury.hpp"

#include <cmath>

namespace generator {

const std::array<Цвет, 6>& цвета_шариков() {
    // Okabe-Ito hues without orange and black, which sit too close to vermillion and
    // to the ground; the motifs below tell them apart for every kind of vision.
    static const std::array<Цвет, 6> цвета = {
        из_байтов(222, 78, 20),    // vermillion
        из_байтов(245, 228, 66),   // yellow
        из_байтов(0, 168, 120),    // bluish green
        из_байтов(100, 190, 240),  // sky blue
        из_байтов(20, 90, 200),    // blue
        из_байтов(214, 120, 172),  // reddish purple
    };
    return цвета;
}

namespace {

float яркость(Цвет c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

// The motif of colour c centred on p, size r in pixels.
Фигура мотив(int цвет, В2 p, float r) {
    switch (цвет) {
    case 0: return круг(p, r * 0.75f);
    case 1: return звезда(p, r, r * 0.45f, 5);
    case 2: return контур(круг(p, r * 0.7f), r * 0.18f);
    case 3: return прямоугольник(p, {r * 0.62f, r * 0.62f}, r * 0.1f);
    case 4: return многоугольник({{p.x, p.y - r * 0.85f}, {p.x + r * 0.85f, p.y + r * 0.6f}, {p.x - r * 0.85f, p.y + r * 0.6f}});
    default:
        return объединение(прямоугольник(p, {r * 0.8f, r * 0.22f}), прямоугольник(p, {r * 0.22f, r * 0.8f}));
    }
}

}  // namespace

Холст текстура_шарика(int цвет, bool прозрачная) {
    const int Ш = ШИРИНА_ТЕКСТУРЫ_ШАРИКА, В = ВЫСОТА_ТЕКСТУРЫ_ШАРИКА;
    Цвет основа = цвета_шариков().at(цвет);
    Цвет узор = яркость(основа) > 0.55f ? темнее(основа, 0.75f) : светлее(основа, 0.85f);
    float альфа_основы = прозрачная ? 0.42f : 1.0f, альфа_узора = прозрачная ? 0.85f : 1.0f;
    основа.a = альфа_основы;
    узор.a = альфа_узора;
    Холст х(Ш, В, основа);
    // Four motifs round the equator and one at each pole.
    for (int i = 0; i < 4; ++i) {
        В2 p{Ш * (0.125f + 0.25f * i), В * 0.5f};
        х.нарисовать(мотив(цвет, p, 20), узор);
    }
    // A pole maps its whole top row to one point: a band of the motif colour there
    // shows as a round cap.
    Фигура шапки = [В](В2 p) { return std::min(p.y - 9.0f, (В - 9.0f) - p.y); };
    х.нарисовать(шапки, узор);
    // A thin ring around each motif region keeps the equator readable when rolling.
    Фигура пояс = [В](В2 p) { return std::fabs(std::fabs(p.y - В * 0.5f) - 28.0f) - 1.5f; };
    х.нарисовать(пояс, узор);
    return х;
}

namespace {

Цвет цвет_краски(Краска к) {
    switch (к) {
    case Краска::Фаянс: return {0.95f, 0.95f, 0.93f};
    case Краска::СветлоСерый: return {0.72f, 0.72f, 0.74f};
    case Краска::ТёмноСерый: return {0.3f, 0.3f, 0.32f};
    case Краска::Чёрный: return {0.08f, 0.08f, 0.09f};
    case Краска::Бронза: return {0.75f, 0.52f, 0.22f};
    case Краска::ТёмноеДерево: return {0.42f, 0.25f, 0.12f};
    case Краска::Железо: return {0.38f, 0.39f, 0.43f};
    case Краска::Олива: return {0.45f, 0.52f, 0.27f};
    case Краска::Красный: return {0.88f, 0.12f, 0.1f};
    case Краска::Жёлтый: return {0.97f, 0.82f, 0.15f};
    case Краска::Стекло: return {0.6f, 0.8f, 0.97f};
    case Краска::СинийПластик: return {0.25f, 0.48f, 0.9f};
    case Краска::РозовыйПластик: return {0.97f, 0.55f, 0.72f};
    case Краска::Зелёный: return {0.2f, 0.68f, 0.3f};
    case Краска::Оранжевый: return {0.97f, 0.52f, 0.1f};
    case Краска::Латунь: return {0.85f, 0.7f, 0.32f};
    case Краска::Белый: return {1, 1, 1};
    case Краска::Голубой: return {0.3f, 0.85f, 0.95f};
    case Краска::Фиолетовый: return {0.6f, 0.3f, 0.85f};
    case Краска::Песок: return {0.82f, 0.72f, 0.52f};
    }
    return {1, 0, 1};
}

}  // namespace

Холст текстура_палитры() {
    const int клетка = 16, сторона = клетка * КЛЕТОК_ПАЛИТРЫ;
    Холст х(сторона, сторона, {1, 0, 1, 1});
    for (int к = 0; к <= static_cast<int>(Краска::Песок); ++к) {
        Цвет c = цвет_краски(static_cast<Краска>(к));
        int x0 = (к % КЛЕТОК_ПАЛИТРЫ) * клетка, y0 = (к / КЛЕТОК_ПАЛИТРЫ) * клетка;
        for (int y = 0; y < клетка; ++y)
            for (int x = 0; x < клетка; ++x) х.задать(x0 + x, y0 + y, c);
    }
    return х;
}

В2 uv_краски(Краска к) {
    int n = static_cast<int>(к);
    return {(n % КЛЕТОК_ПАЛИТРЫ + 0.5f) / КЛЕТОК_ПАЛИТРЫ, (n / КЛЕТОК_ПАЛИТРЫ + 0.5f) / КЛЕТОК_ПАЛИТРЫ};
}

}  // namespace generator
