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
template <class Конкретная>
std::shared_ptr<Конкретная> текстура_из_файла(const std::string& путь) {
    auto текстура = std::make_shared<Конкретная>();
    текстура->загрузить_из_файла(путь);
    return текстура;
}

constexpr const char* НЕТ_ФАЙЛА = "Отсутствует файл текстуры %s";
constexpr const char* ОШИБКА_В_ФАЙЛЕ = "Ошибка в файле текстуры %s";

}  // namespace

bool ЗагруженныеТекстуры::загрузить_один(const std::string& имя) {
    return загрузить_из_файла(имя, имя, "картинка", "текстура", НЕТ_ФАЙЛА, ОШИБКА_В_ФАЙЛЕ,
                              текстура_из_файла<zyr::zavisimost::texture_SDL2_GL::Текстура_SDL2_GL>);
}

bool ЗагруженныеВПамятьТекстуры::загрузить_один(const std::string& имя) {
    return загрузить_из_файла(имя, имя, "картинка", "текстура", НЕТ_ФАЙЛА, ОШИБКА_В_ФАЙЛЕ,
                              текстура_из_файла<zyr::zavisimost::texture_SDL2_GL::ТекстураВПамяти_SDL2>);
}

}  // namespace zyr::texture
