// Panel descriptions nested deeper than the drawing can follow: the levels up
// to the bound load, the rest is skipped with one journal line, and a nesting
// as deep as a fuzzer's 20,000 levels neither exhausts the stack nor loses the panel.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "zhurnal_v_teste.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"

namespace {

using zyr::element_infopaneli::НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ;
using zyr::infopanel::Инфопанель;

// A panel whose one element holds one element, and so on, уровней deep.
std::string вложенная_панель(int уровней) {
    std::string текст = R"({"имя": "п", "координаты": [0.0, 0.0, 1.0, 1.0], "элементы": [)";
    for (int i = 1; i <= уровней; ++i) {
        текст += R"({"имя": "у)" + std::to_string(i) +
                 R"(", "координаты": [0.0, 0.0, 1.0, 1.0], "контейнер": true, "элементы": [)";
    }
    текст += std::string(static_cast<std::size_t>(уровней), ' ');
    for (int i = 0; i < уровней; ++i) текст += "]}";
    return текст + "]}";
}

// The depth of the chain of first children below the root container.
int глубина(const Инфопанель& панель) {
    int уровней = 0;
    for (auto элемент = панель.контейнер(); !элемент->элементы().empty(); ++уровней)
        элемент = элемент->элементы().begin()->second;
    return уровней;
}

class ВложенностьПанели : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        окно_ = zyr::zavisimost::okno_SDL2::параметры_окна;
        zyr::zavisimost::okno_SDL2::параметры_окна.ширина = 800;
        zyr::zavisimost::okno_SDL2::параметры_окна.высота = 600;
    }
    void TearDown() override { zyr::zavisimost::okno_SDL2::параметры_окна = окно_; }

    zyr::types::ПараметрыОкна окно_;
    zyr::istochnik_resursov::ПустойИсточникРесурсов источник_;
};

TEST_P(ВложенностьПанели, УровниГлубжеГраницыПропускаютсяСоСтрокойЖурнала) {
    const int уровней = GetParam();
    const auto описание = nlohmann::json::parse(вложенная_панель(уровней));
    std::shared_ptr<Инфопанель> панель;
    const auto журнал = test_zhurnal::журнал_во_время([&] { панель = Инфопанель::из_JSON(описание, источник_); });
    ASSERT_NE(панель, nullptr);
    EXPECT_EQ(глубина(*панель), std::min(уровней, НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ));
    const auto строка = "ЭлементИнфопанели с именем у" + std::to_string(НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ + 1) + " вложен глубже";
    EXPECT_EQ(test_zhurnal::сколько_раз(журнал, строка), уровней > НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ ? 1u : 0u) << журнал;
}

INSTANTIATE_TEST_SUITE_P(Глубины, ВложенностьПанели,
                         ::testing::Values(НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ, НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ + 1, 20000));

}  // namespace
