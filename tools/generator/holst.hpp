// Images for the data generator: an RGBA canvas with anti-aliased shapes given by
// signed distances, text set with a TrueType font, and PNG output through SDL2_image.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/generator/vektor.hpp"

struct _TTF_Font;

namespace generator {

class КартинкаИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A colour with straight (not premultiplied) alpha, components 0..1.
struct Цвет {
    float r = 0, g = 0, b = 0, a = 1;
};
Цвет смешать(Цвет a, Цвет b, float k);
Цвет светлее(Цвет c, float k);  // towards white by k
Цвет темнее(Цвет c, float k);   // towards black by k
Цвет из_байтов(int r, int g, int b, int a = 255);

// Signed distance in pixels from a point to a shape's edge: negative inside.
using Фигура = std::function<float(В2)>;

Фигура круг(В2 центр, float радиус);
Фигура прямоугольник(В2 центр, В2 полуразмер, float скругление = 0);
Фигура отрезок(В2 a, В2 b, float полуширина);
// A simple polygon, either winding.
Фигура многоугольник(std::vector<В2> вершины);
Фигура звезда(В2 центр, float внешний, float внутренний, int лучей, float поворот = 0);
Фигура объединение(Фигура a, Фигура b);
Фигура вычитание(Фигура a, Фигура b);  // a without b
Фигура контур(Фигура a, float полуширина); // a band along a's edge

// An RGBA canvas; pixel (0, 0) is the top left one, its centre at (0.5, 0.5).
class Холст {
public:
    Холст(int ширина, int высота, Цвет фон = {0, 0, 0, 0});

    int ширина() const { return ширина_; }
    int высота() const { return высота_; }
    Цвет пиксель(int x, int y) const;
    void задать(int x, int y, Цвет c);
    // Lays c over the pixel with the given coverage (0..1).
    void наложить(int x, int y, Цвет c, float покрытие = 1);

    // Sets every pixel to f(pixel centre).
    void залить(const std::function<Цвет(В2)>& f);
    // Paints a shape in one colour, anti-aliased over one pixel at its edge.
    void нарисовать(const Фигура& фигура, Цвет c);
    // Paints a shape with a colour that depends on the point.
    void нарисовать(const Фигура& фигура, const std::function<Цвет(В2)>& c);
    // Lays another canvas over this one with its top left corner at (x, y).
    void наложить(const Холст& другой, int x, int y);
    // Multiplies every alpha by k.
    void умножить_прозрачность(float k);

    // PNG with or without its alpha channel (8 bits a channel).
    void сохранить_png(const std::string& путь, bool с_прозрачностью) const;
    // Any image SDL2_image reads, as RGBA.
    static Холст прочитать(const std::string& путь);

private:
    int ширина_ = 0, высота_ = 0;
    std::vector<Цвет> пиксели_;
};

// Text set with one TrueType font at one size.
class Шрифт {
public:
    Шрифт(const std::string& файл, int кегль);
    ~Шрифт();
    Шрифт(const Шрифт&) = delete;
    Шрифт& operator=(const Шрифт&) = delete;

    // The text as a canvas of its glyphs' coverage in colour c; an outline of the
    // given width in pixels (0: none) is drawn under it in the outline colour.
    Холст текст(const std::string& строка, Цвет c, int обводка = 0, Цвет цвет_обводки = {0, 0, 0, 1}) const;

private:
    _TTF_Font* шрифт_ = nullptr;
    std::string файл_;
    int кегль_ = 0;
};

// Lays a text centred on a point of the canvas, shrunk to fit max_ширина when wider.
void написать(Холст& холст, const Шрифт& шрифт, const std::string& строка, В2 центр, Цвет c,
              int обводка = 0, Цвет цвет_обводки = {0, 0, 0, 1}, float макс_ширина = 0);

// Starts SDL2_ttf for the generator's lifetime (idempotent).
void запустить_шрифты();

}  // namespace generator
