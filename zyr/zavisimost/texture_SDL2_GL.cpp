#include "zyr/zavisimost/texture_SDL2_GL.hpp"

#include <cmath>

#include <GL/gl.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <fmt/printf.h>

#include "my_utils/journal.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"

namespace zyr::zavisimost::texture_SDL2_GL {

using my_utils::journal::в_журнал;
using my_utils::journal::УровниЖурнала;

namespace {

constexpr const char* МОДУЛЬ = "текстура_SDLGL";

// More stale errors than OpenGL keeps flags for means the call itself fails
// (no context), so the clearing stops there.
constexpr int НАИБОЛЬШЕ_СТАРЫХ_ОШИБОК = 16;

void сообщить_о_незагруженной_картинке(const std::string& путь) {
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Картинка %s не загрузилась", путь); });
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] { return fmt::sprintf("%s", SDL_GetError()); });
}

void очистить_старые_ошибки_GL() {
    for (int i = 0; i < НАИБОЛЬШЕ_СТАРЫХ_ОШИБОК && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// Components in 0..1 to bytes; values a little outside the range (and NaN) are held at its ends.
std::uint8_t байт_цвета(float компонента) {
    const float значение = компонента * 255.0f;
    if (!(значение > 0.0f)) return 0;
    if (значение >= 255.0f) return 255;
    return static_cast<std::uint8_t>(std::lround(значение));
}

// The row length OpenGL assumes by default: whole pixels padded to 4 bytes.
int строка_по_умолчанию(int ширина, int байт_на_пиксель) { return (ширина * байт_на_пиксель + 3) / 4 * 4; }

// Holds the surface's pixels readable for the lifetime of the object.
class ЗамокПоверхности {
public:
    explicit ЗамокПоверхности(SDL_Surface* поверхность) : поверхность_(поверхность) {
        заперта_ = SDL_MUSTLOCK(поверхность_) && SDL_LockSurface(поверхность_) == 0;
    }
    ~ЗамокПоверхности() {
        if (заперта_) SDL_UnlockSurface(поверхность_);
    }
    ЗамокПоверхности(const ЗамокПоверхности&) = delete;
    ЗамокПоверхности& operator=(const ЗамокПоверхности&) = delete;

private:
    SDL_Surface* поверхность_;
    bool заперта_ = false;
};

// Tells OpenGL a row pitch of whole pixels that differs from the default
// unpacking, and puts the previous unpacking back afterwards.
class РаскладкаСтрок {
public:
    РаскладкаСтрок(int шаг_строки, int байт_на_пиксель) {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &прежнее_выравнивание_);
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &прежняя_длина_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, шаг_строки / байт_на_пиксель);
    }
    ~РаскладкаСтрок() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, прежнее_выравнивание_);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, прежняя_длина_);
    }
    РаскладкаСтрок(const РаскладкаСтрок&) = delete;
    РаскладкаСтрок& operator=(const РаскладкаСтрок&) = delete;

private:
    GLint прежнее_выравнивание_ = 4;
    GLint прежняя_длина_ = 0;
};

// The surface to upload: the given one when OpenGL can read it as it is, else
// a converted copy kept in `копия` (null when the conversion fails).
SDL_Surface* пригодная_для_загрузки(SDL_Surface* исходная, Поверхность& копия) {
    const int байт_на_пиксель = исходная->format->BytesPerPixel;
    if (байт_на_пиксель != 3 && байт_на_пиксель != 4) {
        // Paletted, grey and 16-bit images would otherwise be read as RGB past their pixels.
        копия.reset(SDL_ConvertSurfaceFormat(исходная, SDL_PIXELFORMAT_RGBA32, 0));
        return копия.get();
    }
    if (исходная->pitch != строка_по_умолчанию(исходная->w, байт_на_пиксель) &&
        исходная->pitch % байт_на_пиксель != 0) {
        // A pitch that no row length describes: a copy in the same format gets SDL's own 4-byte rows.
        копия.reset(SDL_ConvertSurfaceFormat(исходная, исходная->format->format, 0));
        return копия.get();
    }
    return исходная;
}

}  // namespace

void Текстура_SDL2::загрузить_из_файла(const std::string& путь) {
    Поверхность поверхность(IMG_Load(путь.c_str()));
    if (!поверхность) {
        сообщить_о_незагруженной_картинке(путь);
        return;
    }
    _назначить_текстуру(поверхность.get());
}

void Текстура_SDL2::построить_из_текста(const zyr::zavisimost::shrift_SDL2::TTFШрифт& шрифт, const std::string& текст,
                                        const std::array<float, 3>& цвет) {
    Поверхность поверхность;
    if (текст.empty()) {
        // The renderer makes no surface for an empty text; a transparent pixel replaces the old text.
        поверхность.reset(SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_RGBA32));
        if (поверхность) SDL_FillRect(поверхность.get(), nullptr, 0);
    } else if (TTF_Font* ручка = шрифт.opCall()) {
        // The renderer writes blue, green, red, alpha bytes and the upload reads
        // them as red, green, blue, alpha, so red and blue are exchanged here.
        // Its alpha scales the glyph coverage, so it must be opaque.
        const SDL_Color цвет_SDL{байт_цвета(цвет[2]), байт_цвета(цвет[1]), байт_цвета(цвет[0]), 255};
        поверхность.reset(TTF_RenderUTF8_Blended_Wrapped(ручка, текст.c_str(), цвет_SDL, ШИРИНА_ПЕРЕНОСА_ТЕКСТА));
    }
    if (!поверхность) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, [&] { return fmt::sprintf("Текст \"%s\" не построился", текст); });
        return;
    }
    _назначить_текстуру(поверхность.get());
}

Текстура_SDL2_GL::~Текстура_SDL2_GL() {
    if (имя_текстуры != 0) glDeleteTextures(1, &имя_текстуры);
}

void Текстура_SDL2_GL::рисовать() { glBindTexture(GL_TEXTURE_2D, имя_текстуры); }

void Текстура_SDL2_GL::_назначить_текстуру(SDL_Surface* исходная) {
    if (исходная == nullptr) return;
    Поверхность копия;
    SDL_Surface* поверхность = пригодная_для_загрузки(исходная, копия);
    if (поверхность == nullptr) {
        в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
                 [&] { return fmt::sprintf("Картинка не преобразовалась: %s", SDL_GetError()); });
        return;
    }
    const int байт_на_пиксель = поверхность->format->BytesPerPixel;

    // An error left by earlier calls would otherwise condemn this upload.
    очистить_старые_ошибки_GL();
    if (имя_текстуры == 0) glGenTextures(1, &имя_текстуры);
    glBindTexture(GL_TEXTURE_2D, имя_текстуры);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    const GLenum формат_GL = байт_на_пиксель == 4 ? GL_RGBA : GL_RGB;

    GLenum ошибка = GL_NO_ERROR;
    {
        ЗамокПоверхности замок(поверхность);
        std::unique_ptr<РаскладкаСтрок> раскладка;
        if (поверхность->pitch != строка_по_умолчанию(поверхность->w, байт_на_пиксель))
            раскладка = std::make_unique<РаскладкаСтрок>(поверхность->pitch, байт_на_пиксель);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(формат_GL), поверхность->w, поверхность->h, 0, формат_GL,
                     GL_UNSIGNED_BYTE, поверхность->pixels);
        ошибка = glGetError();
    }

    if (ошибка == GL_NO_ERROR) {
        ширина = поверхность->w;
        высота = поверхность->h;
        формат = static_cast<std::int32_t>(формат_GL);
        return;
    }
    в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка,
             [&] { return fmt::sprintf("Ошибка копирования текстуры %s", std::to_string(ошибка)); });
    // The name is gone; keeping it would bind and delete a name OpenGL may hand to another texture.
    glDeleteTextures(1, &имя_текстуры);
    имя_текстуры = 0;
}

void ТекстураВПамяти_SDL2::загрузить_из_файла(const std::string& путь) {
    Поверхность загруженная(IMG_Load(путь.c_str()));
    if (!загруженная) {
        сообщить_о_незагруженной_картинке(путь);
        return;
    }
    поверхность = std::move(загруженная);
    формат = поверхность->format->BytesPerPixel == 4 ? zyr::texture::ФОРМАТ_RGBA : zyr::texture::ФОРМАТ_RGB;
    ширина = поверхность->w;
    высота = поверхность->h;
}

const std::uint8_t* ТекстураВПамяти_SDL2::получить_пиксели() const {
    return поверхность ? static_cast<const std::uint8_t*>(поверхность->pixels) : nullptr;
}

int ТекстураВПамяти_SDL2::получить_размер_строки() const { return поверхность ? поверхность->pitch : -1; }

int ТекстураВПамяти_SDL2::получить_размер_пикселя() const {
    return поверхность ? поверхность->format->BytesPerPixel : -1;
}

}  // namespace zyr::zavisimost::texture_SDL2_GL
