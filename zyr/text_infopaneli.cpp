#include "zyr/text_infopaneli.hpp"

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"

namespace zyr::text_infopaneli {

namespace {

// What the size warning says of a texture.
std::string текстура_текстом(const std::shared_ptr<texture::Текстура>& текстура) {
    if (!текстура) return "null";
    return my_utils::format::sprintf("Текстура %sx%s", текстура->получить_ширину(), текстура->получить_высоту());
}

}  // namespace

ТекстовыйЭлементИнфопанели::~ТекстовыйЭлементИнфопанели() = default;

void ТекстовыйЭлементИнфопанели::задать_текст(istochnik_resursov::ИсточникРесурсов& менеджер, const std::string& текст,
                                              const std::string& шрифт, std::span<const float, 3> цвет) {
    const auto найденный_шрифт = менеджер.получить_ttf_шрифт(шрифт);
    if (!найденный_шрифт) return;
    инициализация_координат_текстуры();
    // Whether the text texture exists decides, not the element's texture: an
    // element may come with an ordinary texture from its description.
    if (!текстура_текста_) текстура_текста_ = std::make_shared<zavisimost::texture_SDL2_GL::Текстура_SDL2_GL>();
    текстура_текста_->построить_из_текста(*найденный_шрифт, текст, {цвет[0], цвет[1], цвет[2]});
    if (текстура_ != текстура_текста_) задать_текстуру(текстура_текста_);
}

void ТекстовыйЭлементИнфопанели::обновить_размеры() {
    const auto р = родитель();
    if (!текстура_ || !р) {
        my_utils::journal::в_журнал("текст_инфоп.", my_utils::journal::УровниЖурнала::Предупреждение, [&] {
            return my_utils::format::sprintf("Изменение размеров не получилось %s текстура=%s, _родитель=%s",
                                             получить_имя(), текстура_текстом(текстура_),
                                             р ? р->toString() : std::string("null"));
        });
        return;
    }
    задать_абсолютные_размеры(текстура_->получить_ширину(), текстура_->получить_высоту());
}

}  // namespace zyr::text_infopaneli
