// The chain's motion along its path; the frame step and the action-ball step live here.
#include "src/put.hpp"
#include "src/shariki.hpp"

namespace shariki {

std::vector<ДанныеВзрыва> ЖивыеШары::движение_шаров(float) { return {}; }

void ЖивыеШары::действующий_шарик(std::uint32_t, float) {}

РезультатДвижения ЖивыеШары::дш_расчёт_движения_шарика(float расстояние, const ШарНаПути& шар) const {
    const Вектор3 было = шар.шарик->получить_позицию();
    if (расстояние == 0.0f) return {было, шар.сегмент, шар.смещение, Вектор3::НОЛЬ};
    const put::Путь& путь_ = мой_путь();
    const auto последний = static_cast<std::uint32_t>(путь_.length() - 1);
    std::uint32_t сегмент = шар.сегмент;
    float смещение = шар.смещение;
    float d = расстояние;
    // A long frame or a chain rolling back stops at the ends of the path; the end
    // checks of the frame step then take the ball off.
    if (d > 0.0f) {
        while (путь_.получить_длину_вектора(сегмент) - смещение < d) {
            if (сегмент >= последний) {
                смещение = путь_.получить_длину_вектора(сегмент);
                d = 0.0f;
                break;
            }
            d -= путь_.получить_длину_вектора(сегмент) - смещение;
            ++сегмент;
            смещение = 0.0f;
        }
    } else {
        while (смещение < -d) {
            if (сегмент == 0) {
                смещение = 0.0f;
                d = 0.0f;
                break;
            }
            d += смещение;
            --сегмент;
            смещение = путь_.получить_длину_вектора(сегмент);
        }
    }
    смещение += d;
    const Вектор3 точка = путь_.точка(сегмент, смещение);
    return {точка, сегмент, смещение, точка - было};
}

}  // namespace shariki
