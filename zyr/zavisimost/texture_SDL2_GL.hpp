// Textures on SDL2_image, SDL2_ttf and OpenGL: images and rendered text become
// OpenGL textures, or stay in memory as SDL surfaces for pixel reads.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include <SDL2/SDL.h>

#include "zyr/texture.hpp"

namespace zyr::zavisimost::shrift_SDL2 {
class TTFШрифт;
}

namespace zyr::zavisimost::texture_SDL2_GL {

// Width in pixels at which rendered text breaks onto a further line.
inline constexpr int ШИРИНА_ПЕРЕНОСА_ТЕКСТА = 600;

// An SDL surface freed with its owner.
struct ОсвобождениеПоверхности {
    void operator()(SDL_Surface* поверхность) const { SDL_FreeSurface(поверхность); }
};
using Поверхность = std::unique_ptr<SDL_Surface, ОсвобождениеПоверхности>;

class Текстура_SDL2 : public zyr::texture::Текстура {
public:
    void загрузить_из_файла(const std::string& путь) override;

    // Renders the text with the font, anti-aliased on a transparent background
    // and wrapped at ШИРИНА_ПЕРЕНОСА_ТЕКСТА pixels, and shows it in the colour
    // (red, green, blue in 0..1, rounded and clamped to bytes). An empty text
    // shows nothing: a 1x1 transparent image. A text the renderer refuses
    // leaves the previous image.
    virtual void построить_из_текста(const zyr::zavisimost::shrift_SDL2::TTFШрифт& шрифт, const std::string& текст,
                                     const std::array<float, 3>& цвет);

    // Makes the surface the texture's image; the caller keeps the surface.
    virtual void _назначить_текстуру(SDL_Surface* поверхность) = 0;
};

class Текстура_SDL2_GL : public Текстура_SDL2 {
public:
    Текстура_SDL2_GL() = default;
    ~Текстура_SDL2_GL() override;

    // Binds the texture to GL_TEXTURE_2D (name 0 without an image).
    void рисовать() override;
    // False before the first upload and after a failed one, whatever the size says.
    bool есть_изображение() const override { return имя_текстуры != 0; }

    // Uploads the surface under the texture's name (made on the first upload,
    // kept afterwards). Surfaces of 3 and 4 bytes per pixel go up byte for byte
    // as RGB and RGBA; others are converted to RGBA bytes first. A failed
    // upload leaves the texture without an image and its size unchanged.
    void _назначить_текстуру(SDL_Surface* поверхность) override;

private:
    std::uint32_t имя_текстуры = 0;
};

class ТекстураВПамяти_SDL2 : public zyr::texture::ТекстураВПамяти {
public:
    // Keeps the loaded surface as it comes from the image library; a file that
    // doesn't load leaves the previous image, if any.
    void загрузить_из_файла(const std::string& путь) override;
    const std::uint8_t* получить_пиксели() const override;
    int получить_размер_строки() const override;
    int получить_размер_пикселя() const override;

private:
    Поверхность поверхность;
};

}  // namespace zyr::zavisimost::texture_SDL2_GL
