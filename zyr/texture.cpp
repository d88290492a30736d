#include "zyr/texture.hpp"

#include <map>
#include <memory>

#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"

namespace zyr::texture {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

float БазоваяТекстура::получить_соотношение() const {
    if (высота == 0) return -1.0f;
    return static_cast<float>(ширина) / static_cast<float>(высота);
}

namespace {

// Both registries load alike; only the class of the built texture differs. An
// image the library can't read is still cached, as a texture without an image.
template <class Конкретная, class T>
bool загрузить_текстуру(const zyr::resources::ИменаРесурсов& имена, std::map<std::string, std::shared_ptr<T>>& кэш,
                        const std::string& имя) {
    std::string путь;
    try {
        путь = имена.получить_имя_файла_ресурса(имя, "картинка");
    } catch (const zyr::resources::РесурсыИсключение&) {
        в_журнал("текстура", УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Отсутствует файл текстуры %s", имя); });
        return false;
    }
    try {
        auto текстура = std::make_shared<Конкретная>();
        текстура->загрузить_из_файла(путь);
        кэш.insert_or_assign(имя, std::move(текстура));
    } catch (...) {
        в_журнал("текстура", УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Ошибка в файле текстуры %s", путь); });
        return false;
    }
    return true;
}

}  // namespace

bool ЗагруженныеТекстуры::загрузить_один(const std::string& имя) {
    return загрузить_текстуру<zyr::zavisimost::texture_SDL2_GL::Текстура_SDL2_GL>(*имена_ресурсов, кэш, имя);
}

bool ЗагруженныеВПамятьТекстуры::загрузить_один(const std::string& имя) {
    return загрузить_текстуру<zyr::zavisimost::texture_SDL2_GL::ТекстураВПамяти_SDL2>(*имена_ресурсов, кэш, имя);
}

}  // namespace zyr::texture
