// Floating score numbers on the game's resources: the row of digits a value
// shows, the five seconds a number lives, the pools that revive numbers and
// digits, and the refusals of bad colours, bad digits and missing meshes.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "src/cifry.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"
#include "zyr/zyr_object.hpp"

namespace {

using cifry::Цифра;
using cifry::Число;
using cifry::живые_числа;
using zyr::vector::Вектор3;

const Вектор3 МЕСТО{10.0f, 20.0f, -30.0f};

std::size_t мёртвых_цифр() {
    std::size_t всего = 0;
    for (const auto& пул : Цифра::мёртвые_цифры) всего += пул.size();
    return всего;
}

class Цифры : public test_stend::СтендИгры {
protected:
    std::shared_ptr<Число> добавить(int значение, int цвет = 1, const Вектор3& место = МЕСТО) {
        const auto было = живые_числа.size();
        cifry::добавить_число(значение, цвет, место);
        return живые_числа.size() > было ? живые_числа.back() : nullptr;
    }
};

struct Ряд {
    int значение;
    std::vector<std::pair<int, float>> цифры;  // digit, x on the number's node
};

class РядЦифр : public Цифры, public testing::WithParamInterface<Ряд> {};

TEST_P(РядЦифр, ЦентрованНаЧислеБезЗнака) {
    const auto& [значение, ожидаемые] = GetParam();
    const auto число = добавить(значение, 3);
    ASSERT_NE(число, nullptr);
    const auto& узел = число->место();
    EXPECT_EQ(узел->получить_родителя(), корень());
    EXPECT_FLOAT_EQ(узел->получить_масштаб().y, 6.0f);
    ASSERT_EQ(число->цифры().size(), ожидаемые.size());
    for (std::size_t i = 0; i < ожидаемые.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& ц = *число->цифры()[i];
        EXPECT_TRUE(ц.живая());
        EXPECT_EQ(ц.цифра(), ожидаемые[i].first);
        EXPECT_NEAR(ц.место()->получить_позицию().x, ожидаемые[i].second, 1e-6f);
        EXPECT_EQ(ц.место()->получить_родителя(), узел);
        EXPECT_EQ(ц.объект()->получить_материал(), cifry::материалы_цифр.at(3));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Значения, РядЦифр,
    testing::Values(Ряд{0, {{0, 0.0f}}}, Ряд{10, {{1, -0.35f}, {0, 0.35f}}},
                    Ряд{507, {{5, -0.7f}, {0, 0.0f}, {7, 0.7f}}}, Ряд{-5, {{5, 0.0f}}},
                    Ряд{INT_MIN, {{2, -3.15f}, {1, -2.45f}, {4, -1.75f}, {7, -1.05f}, {4, -0.35f},
                                  {8, 0.35f}, {3, 1.05f}, {6, 1.75f}, {4, 2.45f}, {8, 3.15f}}}));

TEST_F(Цифры, ЧислоЖивётПятьСекундИПорядокОстальныхСохраняется) {
    const auto первое = добавить(1);
    cifry::движение_чисел(1.0f);
    const auto второе = добавить(2);
    const auto третье = добавить(3);
    for (int кадр = 2; кадр <= 5; ++кадр) cifry::движение_чисел(1.0f);
    // Five seconds of motion: 25 units up, five 100-degree turns.
    ASSERT_EQ(живые_числа.size(), 3u);
    EXPECT_FLOAT_EQ(первое->место()->получить_позицию().y, МЕСТО.y + 25.0f);
    EXPECT_NEAR(std::abs(первое->место()->получить_ориентацию().w), std::abs(std::cos(5 * 1.7453293f / 2)), 1e-4f);
    EXPECT_FLOAT_EQ(второе->место()->получить_позицию().y, МЕСТО.y + 20.0f);

    cifry::движение_чисел(1.0f);
    EXPECT_EQ(живые_числа, (std::vector{второе, третье}));
    EXPECT_FALSE(первое->живой());
    EXPECT_EQ(первое->место()->получить_родителя(), nullptr);
    EXPECT_EQ(Число::мёртвые_числа, std::vector{первое});
    EXPECT_EQ(Цифра::мёртвые_цифры[1].size(), 1u);

    cifry::удалить_все_числа();
    EXPECT_TRUE(живые_числа.empty());
    EXPECT_EQ(корень()->количество_детей(), 0);
    // Killed from the last to the first, so the pool hands them out last in, first out.
    EXPECT_EQ(добавить(9), второе);
    EXPECT_EQ(добавить(9), третье);
    EXPECT_EQ(добавить(9), первое);
}

// At Отладка, so that every pool message is built once.
TEST_F(Цифры, ВозрождённоеЧислоБерётЦифрыИзПуловСвоегоЗначения) {
    журнал_с_уровнем(my_utils::journal::УровниЖурнала::Отладка);
    const auto число = добавить(7);
    const auto семь = число->цифры().at(0);
    cifry::удалить_все_числа();
    EXPECT_FALSE(семь->место()->получить_видимость());
    EXPECT_EQ(семь->место()->получить_родителя(), nullptr);

    const Вектор3 новое{-40.0f, 3.0f, 8.0f};
    ASSERT_EQ(добавить(12, 2, новое), число);
    EXPECT_FLOAT_EQ(число->жизнь(), 5.0f);
    EXPECT_EQ(число->место()->получить_родителя(), корень());
    EXPECT_EQ(число->место()->получить_позицию(), новое);
    ASSERT_EQ(число->цифры().size(), 2u);
    EXPECT_EQ(Цифра::мёртвые_цифры[7], std::vector{семь});
    const auto один = число->цифры()[0];

    cifry::удалить_все_числа();
    ASSERT_EQ(добавить(71, 4), число);
    EXPECT_EQ(число->цифры(), (std::vector{семь, один}));
    EXPECT_TRUE(семь->живая() && семь->место()->получить_видимость());
    EXPECT_EQ(семь->место()->получить_родителя(), число->место());
    EXPECT_FLOAT_EQ(семь->получить_позицию().x, -0.35f);
    EXPECT_EQ(семь->объект()->получить_материал(), cifry::материалы_цифр.at(4));
    EXPECT_EQ(число->место()->количество_детей(), 2);
    EXPECT_EQ(мёртвых_цифр(), 1u);  // the 2

    const std::string текст = журнал();
    for (const char* строка : {"Убили цифру 7, мёртвые_цифры=[[], [], [], [], [], [], [], [0",
                               "Производится оживление числа 12", "Производится оживление цифры 7",
                               "Мёртвые_цифры после оживления=[[], [], [0"}) {
        EXPECT_NE(текст.find(строка), std::string::npos) << строка << "\n" << текст;
    }
    EXPECT_EQ(текст.find("не построено"), std::string::npos) << текст;
}

class НедопустимыйЦвет : public Цифры, public testing::WithParamInterface<bool> {};

TEST_P(НедопустимыйЦвет, ДаётОшибкуИСтрокуНаВыходеИНичегоНаЭкране) {
    const bool из_пула = GetParam();
    if (из_пула) {
        добавить(3);
        cifry::удалить_все_числа();
    }
    testing::internal::CaptureStdout();
    cifry::добавить_число(5, 6, МЕСТО);
    cifry::добавить_число(5, -1, МЕСТО);
    const std::string вывод = testing::internal::GetCapturedStdout();
    EXPECT_EQ(вывод, "add chislo error!!! 6\nadd chislo error!!! -1\n");
    EXPECT_TRUE(живые_числа.empty());
    EXPECT_EQ(корень()->количество_детей(), 0);
    // A refused revival leaves the pooled number where it was.
    EXPECT_EQ(Число::мёртвые_числа.size(), из_пула ? 1u : 0u);
    const std::string текст = журнал();
    const char* ошибка = из_пула ? "Попытка возрождения числа с недопустимым номером цвета "
                                 : "Попытка построения числа с недопустимым номером цвета ";
    EXPECT_EQ(test_stend::сколько_раз(текст, std::string(ошибка) + "6"), 1u) << текст;
    EXPECT_EQ(test_stend::сколько_раз(текст, std::string(ошибка) + "-1"), 1u) << текст;
}

INSTANTIATE_TEST_SUITE_P(НовоеИзПула, НедопустимыйЦвет, testing::Bool());

TEST_F(Цифры, ПаникаНеДобавляетЧисел) {
    настроить("паника = 1");
    cifry::добавить_число(40, 0, МЕСТО);
    EXPECT_TRUE(живые_числа.empty());
    EXPECT_EQ(корень()->количество_детей(), 0);
}

TEST_F(Цифры, НесобранныеЦифрыНеТрогаютПулов) {
    for (const auto& [цифра, цвет] : {std::pair{10, 0}, std::pair{-1, 0}, std::pair{3, 6}, std::pair{3, -1}}) {
        SCOPED_TRACE(testing::Message() << цифра << ", цвет " << цвет);
        const auto ц = Цифра::получить_цифру(цифра, цвет, корень(), МЕСТО);
        EXPECT_FALSE(ц->живая());
        EXPECT_EQ(ц->место(), nullptr);
        ц->убить();
        ц->возродить(0, корень(), МЕСТО);
        EXPECT_FALSE(ц->живая());
        EXPECT_EQ(мёртвых_цифр(), 0u);
    }
    EXPECT_EQ(корень()->количество_детей(), 0);
    const std::string текст = журнал();
    EXPECT_EQ(test_stend::сколько_раз(текст, "Попытка построения невозможной цифры "), 2u) << текст;
    EXPECT_EQ(test_stend::сколько_раз(текст, "Попытка построения цифры с недопустимым номером цвета "), 2u) << текст;
}

TEST_F(Цифры, ЦветБезМатериалаЦифрыДаётМатериалПоУмолчанию) {
    cifry::материалы_цифр.resize(2);
    const auto ц = Цифра::получить_цифру(3, 5, корень(), МЕСТО);
    EXPECT_TRUE(ц->живая());
    EXPECT_NE(ц->объект()->получить_материал(), nullptr);
    EXPECT_NE(журнал().find("Нет материала цифры для цвета 5"), std::string::npos);
}

class ЦифрыБезМешей : public test_stend::СтендБезРесурсов {};

TEST_F(ЦифрыБезМешей, ЧислоЖивётНоЕгоЦифрыНеВПулах) {
    cifry::добавить_число(40, 0, МЕСТО);
    ASSERT_EQ(живые_числа.size(), 1u);
    const auto число = живые_числа[0];
    ASSERT_EQ(число->цифры().size(), 2u);
    for (const auto& ц : число->цифры()) {
        EXPECT_FALSE(ц->живая());
        EXPECT_EQ(ц->место()->получить_родителя(), число->место());
    }
    cifry::удалить_все_числа();
    EXPECT_EQ(число->место()->количество_детей(), 0);
    EXPECT_EQ(мёртвых_цифр(), 0u);
    cifry::добавить_число(4, 0, МЕСТО);
    EXPECT_EQ(живые_числа, std::vector{число});
    const std::string текст = журнал();
    EXPECT_EQ(test_stend::сколько_раз(текст, "Меш цифры 4 не найден"), 2u) << текст;
    EXPECT_EQ(test_stend::сколько_раз(текст, "Меш цифры 0 не найден"), 1u) << текст;
}

}  // namespace
