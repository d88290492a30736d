// Text elements of info panels: a text rendered with a TrueType font into a
// texture of the element's own, with the element sized to that text.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "zyr/element_infopaneli.hpp"
#include "zyr/istochnik_resursov.hpp"

namespace zyr::zavisimost::texture_SDL2_GL { class Текстура_SDL2_GL; }

namespace zyr::text_infopaneli {

class ТекстовыйЭлементИнфопанели : public element_infopaneli::ЭлементИнфопанели {
public:
    using ЭлементИнфопанели::ЭлементИнфопанели;
    ~ТекстовыйЭлементИнфопанели() override;

    // Renders the text in the font (a name such as "LiberationSerif-Italic_32")
    // and the colour (red, green, blue in 0..1) into the element's text texture
    // and shows it; the texture rectangle goes back to (0, 0, 1, 1). The text
    // texture is made on the first call and rendered into again afterwards.
    // Without the font nothing changes. Needs the OpenGL context.
    virtual void задать_текст(istochnik_resursov::ИсточникРесурсов& менеджер, const std::string& текст,
                              const std::string& шрифт, std::span<const float, 3> цвет);
    // Fits the element to its texture's size in pixels (задать_абсолютные_размеры);
    // without a texture or a parent only a journal warning.
    virtual void обновить_размеры();

    const std::shared_ptr<zavisimost::texture_SDL2_GL::Текстура_SDL2_GL>& текстура_текста() const {
        return текстура_текста_;
    }

private:
    std::shared_ptr<zavisimost::texture_SDL2_GL::Текстура_SDL2_GL> текстура_текста_;
};

}  // namespace zyr::text_infopaneli
