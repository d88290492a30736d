// The camera: an object on a scene node whose world transform, inverted, is the view
// matrix of the fixed-function pipeline. It looks along the node's -Z with +Y up.
#pragma once

#include <cstdint>
#include <string>

#include "zyr/dvigimyi_object.hpp"
#include "zyr/matrix.hpp"

namespace zyr::camera {

using dvigimyi_object::ДвижимыйОбъект;
using matrix::Матрица4;

class Камера : public ДвижимыйОбъект {
public:
    explicit Камера(std::string имя) : ДвижимыйОбъект(std::move(имя)) {}

    // A camera draws nothing.
    void рисовать(std::uint32_t) override {}
    // Loads only the rotation of the view, so the background turns with the camera but never moves.
    virtual void установить_направление_камеры(bool обновить);
    // Loads the whole view matrix in place of the pipeline's current matrix.
    virtual void установить_камеру(bool обновить);
    virtual float ближнее_отсечение() const { return ближнее_; }
    virtual void ближнее_отсечение(float расстояние) { ближнее_ = расстояние; }
    virtual float дальнее_отсечение() const { return дальнее_; }
    virtual void дальнее_отсечение(float расстояние) { дальнее_ = расстояние; }

    // view = inverse of the parent node's world matrix; a singular one gives non-numbers.
    // A detached camera keeps its previous view and writes a journal error.
    void обновить_матрицу();
    const Матрица4& матрица_вида() const { return вид_; }

private:
    Матрица4 вид_{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    float ближнее_ = 2.0f;
    float дальнее_ = 100.0f;
};

}  // namespace zyr::camera
