// Fuzzes the mesh readers through выбор_меша: every input is either refused
// with МешИсключение or gives a mesh whose arrays hold every vertex its indices
// name, which is read back here (ASan reports any read past a buffer).
#include <cstdlib>
#include <vector>

#include "fuzz_fail.hpp"
#include "tools/pisatel.hpp"
#include "zatravki.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"

namespace {

using zyr::mesh::Меш;
using zyr::mesh::МешИсключение;
using zyr::mesh::МешСоСкелетом;

volatile float сток = 0;

void прочесть_всё(const Меш& меш) {
    const std::size_t вершин = меш.количество_вершин();
    const std::size_t индексов = 3 * static_cast<std::size_t>(меш.количество_граней());
    float сумма = 0;
    for (std::size_t i = 0; i < индексов; ++i) {
        const std::size_t v = меш.индексы()[i];
        if (v >= вершин) std::abort();
        if (меш.отдельные_буферы()) {
            сумма += меш.позиции()[3 * v + 2] + меш.нормали()[3 * v + 2] + меш.текстурные_координаты()[2 * v + 1];
        } else {
            сумма += меш.чередующийся_массив()[8 * v + 7];
        }
    }
    сток = сумма;
}

std::shared_ptr<zyr::skelet::Скелет> скелет() {
    static const auto готовый = [] {
        const std::string байты = zatravki::скелет();
        const auto& путь = fuzz_fail::путь_с_данными(reinterpret_cast<const std::uint8_t*>(байты.data()), байты.size());
        return std::make_shared<zyr::skelet::Скелет>(путь);
    }();
    return готовый;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* данные, std::size_t размер) {
    const auto ск = скелет();
    std::shared_ptr<Меш> меш;
    try {
        меш = zyr::mesh::выбор_меша(fuzz_fail::путь_с_данными(данные, размер));
    } catch (const МешИсключение&) {
        return 0;
    }
    прочесть_всё(*меш);

    if (auto* со_скелетом = dynamic_cast<МешСоСкелетом*>(меш.get())) {
        со_скелетом->присвоить_скелет(ск);
        со_скелетом->установить_состояние_анимации("ход", 0.5f);
        прочесть_всё(*со_скелетом);
        МешСоСкелетом копия(*со_скелетом);
        копия.присвоить_скелет(ск);
        копия.объединить_состояния_анимации("ход", 2.0f, "стоп", 0.0f, 0.5f);
        прочесть_всё(копия);
    } else {
        Меш копия(*меш);
        копия.изменить_координаты_текстур(std::vector<float>(2 * std::size_t{меш->количество_вершин()}, 0.5f));
        прочесть_всё(копия);
    }
    return 0;
}
