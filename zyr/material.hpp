// Surfaces of drawable objects: the colours and shininess of the fixed-function
// lighting model, optional textures, and the transparency flag that picks the pass.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "zyr/istochnik_resursov.hpp"

namespace zyr::texture {
class Текстура;
}

namespace zyr::material {

class МатериалИсключение : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// RGBA, each component usually within 0 to 1.
using Цвет = std::array<float, 4>;

// Several objects may share one material: a change to it shows on all of them.
// Objects of a transparent material are drawn in pass 2, the others in pass 1.
class Материал {
public:
    Материал() = default;
    virtual ~Материал() = default;

    // Null removes the texture.
    virtual void задать_диффузную_текстуру(std::shared_ptr<texture::Текстура> текстура);
    // Kept with the material; drawing does not use it.
    virtual void задать_текстуру_нормалей(std::shared_ptr<texture::Текстура> текстура);
    // Never bound: while it is set, drawing leaves the pipeline's specular colour alone.
    virtual void задать_бликовую_текстуру(std::shared_ptr<texture::Текстура> текстура);
    // Until an ambient colour is set explicitly, the ambient follows as the
    // diffuse colour divided by 5, with alpha 1.
    virtual void задать_диффузный_цвет(const Цвет& цвет);
    virtual void задать_окружающий_цвет(const Цвет& цвет);
    virtual void задать_бликовый_цвет(const Цвет& цвет);
    virtual void задать_степень_блика(float степень);
    virtual void задать_присутствие_прозрачности(bool прозрачность);
    virtual bool получить_прозрачность() const;
    // Sends the colours and shininess for the front faces and binds the diffuse
    // texture, or unbinds any texture when there is none.
    virtual void рисовать();

    std::string toString() const;

    const Цвет& диффузный_цвет() const { return диффузный_цвет_; }
    const Цвет& окружающий_цвет() const { return окружающий_цвет_; }
    const Цвет& бликовый_цвет() const { return бликовый_цвет_; }
    float степень_блика() const { return степень_блика_; }
    bool окружающий_задан() const { return окружающий_задан_; }
    const std::shared_ptr<texture::Текстура>& диффузная_текстура() const { return диффузная_текстура_; }
    const std::shared_ptr<texture::Текстура>& текстура_нормалей() const { return текстура_нормалей_; }
    const std::shared_ptr<texture::Текстура>& бликовая_текстура() const { return бликовая_текстура_; }

    // The "материал" part of an object description. Colours that cannot be read
    // are reported and skipped; a description that is not an object, a
    // "степень_блика" that is not a real number (an integer such as 12 included)
    // or a "диффузная_текстура" that is not a string throw nlohmann::json::type_error.
    // A texture the source cannot supply leaves the material untextured.
    static std::shared_ptr<Материал> из_JSON(const nlohmann::json& описание,
                                             istochnik_resursov::ИсточникРесурсов& менеджер);

    // Reads the colour under ключ, when the object has the key, and hands it to
    // the setter. The value must be an array whose first four elements are
    // numbers; anything else (a shorter array included) writes "не получилось
    // создать <ключ>" to the journal and leaves the colour as it was.
    static void задать_цвет_из_json(const nlohmann::json& объект, const std::string& ключ,
                                    const std::function<void(const Цвет&)>& задать);

private:
    Цвет диффузный_цвет_{0.7f, 0.7f, 0.7f, 1.0f};
    Цвет окружающий_цвет_{0.1f, 0.1f, 0.1f, 1.0f};
    Цвет бликовый_цвет_{0.0f, 0.0f, 0.0f, 1.0f};
    float степень_блика_ = 5.0f;
    bool окружающий_задан_ = false;
    bool присутствует_прозрачность_ = false;
    std::shared_ptr<texture::Текстура> диффузная_текстура_;
    std::shared_ptr<texture::Текстура> текстура_нормалей_;
    std::shared_ptr<texture::Текстура> бликовая_текстура_;
};

}  // namespace zyr::material
