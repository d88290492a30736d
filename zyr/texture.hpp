// Textures: the abstract image classes that materials and info panels draw or
// hit-test with, and the two registries that load them by resource name.
#pragma once

#include <cstdint>
#include <string>

#include "zyr/resources.hpp"

namespace zyr::texture {

// OpenGL pixel formats, kept here so that callers need no OpenGL header.
inline constexpr std::int32_t ФОРМАТ_RGB = 0x1907;
inline constexpr std::int32_t ФОРМАТ_RGBA = 0x1908;

class БазоваяТекстура {
public:
    БазоваяТекстура() = default;
    virtual ~БазоваяТекстура() = default;
    БазоваяТекстура(const БазоваяТекстура&) = delete;
    БазоваяТекстура& operator=(const БазоваяТекстура&) = delete;

    virtual int получить_ширину() const { return ширина; }
    virtual int получить_высоту() const { return высота; }
    // Width over height; -1 for a texture without an image.
    virtual float получить_соотношение() const;
    // ФОРМАТ_RGB or ФОРМАТ_RGBA once an image is loaded, 0 before.
    virtual int получить_формат() const { return формат; }
    // A file the image library cannot read leaves the texture without an image
    // and writes the reason to the journal; it raises nothing.
    virtual void загрузить_из_файла(const std::string& путь) = 0;

protected:
    std::int32_t ширина = 0;
    std::int32_t высота = 0;
    std::int32_t формат = 0;
};

// A texture that can be bound for drawing.
class Текстура : public БазоваяТекстура {
public:
    // Makes this texture the current 2D texture; one without an image binds none.
    virtual void рисовать() = 0;
    // Whether there is an image to draw; a quad drawn without one would show
    // untextured, a plain box.
    virtual bool есть_изображение() const { return ширина > 0 && высота > 0; }
};

// An image kept in memory for reading its pixels.
class ТекстураВПамяти : public БазоваяТекстура {
public:
    // Rows of получить_размер_строки() bytes, получить_высоту() of them; null without an image.
    virtual const std::uint8_t* получить_пиксели() const = 0;
    // Bytes per row, -1 without an image.
    virtual int получить_размер_строки() const = 0;
    // Bytes per pixel, -1 without an image.
    virtual int получить_размер_пикселя() const = 0;
};

// GL textures by image name (kind "картинка").
class ЗагруженныеТекстуры : public zyr::resources::ЗагруженныеРесурсы<Текстура> {
public:
    using zyr::resources::ЗагруженныеРесурсы<Текстура>::ЗагруженныеРесурсы;
    bool загрузить_один(const std::string& имя) override;
};

// In-memory images by image name; independent of the GL textures of the same name.
class ЗагруженныеВПамятьТекстуры : public zyr::resources::ЗагруженныеРесурсы<ТекстураВПамяти> {
public:
    using zyr::resources::ЗагруженныеРесурсы<ТекстураВПамяти>::ЗагруженныеРесурсы;
    bool загрузить_один(const std::string& имя) override;
};

}  // namespace zyr::texture
