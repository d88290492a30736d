// The game-over and victory screens over the built game's resources in a real
// window: the panel alone on screen, and the score text's pixels.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "src/dialogy.hpp"
#include "src/sostojanie.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace {

using sostojanie::создать_состояние;
using zyr::text_infopaneli::ТекстовыйЭлементИнфопанели;
using zyr::zavisimost::texture_SDL2_GL::Текстура_SDL2_GL;
using Пиксели = std::vector<std::uint8_t>;

class ЭкраныGL : public test_stend::СтендИгрыВОкне {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(СтендИгрыВОкне::SetUp());
        переключатель = std::make_unique<sostojanie::ПереключательСостояний>();
    }
    void TearDown() override {
        переключатель.reset();
        СтендИгрыВОкне::TearDown();
    }

    static Пиксели пиксели(Текстура_SDL2_GL& текстура) {
        Пиксели байты(static_cast<std::size_t>(текстура.получить_ширину() * текстура.получить_высоту() * 4));
        текстура.рисовать();
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, байты.data());
        return байты;
    }
    // The text as the victory screen should show it: its font, size and colour.
    static Пиксели ожидаемый_текст(const std::string& текст) {
        const auto шрифт = zyr::менеджер->получить_ttf_шрифт("LiberationSerif-Italic_40");
        Текстура_SDL2_GL текстура;
        if (шрифт) текстура.построить_из_текста(*шрифт, текст, {0.8f, 0.0f, 0.4f});
        EXPECT_GT(текстура.получить_ширину(), 0);
        return пиксели(текстура);
    }
    static std::shared_ptr<ТекстовыйЭлементИнфопанели> очки(const zyr::infopanel::Инфопанель& панель) {
        return std::dynamic_pointer_cast<ТекстовыйЭлементИнфопанели>(панель.получить_элемент("очки"));
    }

    std::unique_ptr<sostojanie::ПереключательСостояний> переключатель;
};

TEST_F(ЭкраныGL, КонецИгрыОдинНаЭкране) {
    zyr::менеджер->добавить_инфопанель(zyr::менеджер->получить_инфопанель("статистика"));
    переключатель->добавить_состояние(создать_состояние<dialogy::КонецИгры>());
    std::set<std::string> на_экране;
    for (const auto& [имя, _] : zyr::менеджер->инфопанели()) на_экране.insert(имя);
    EXPECT_EQ(на_экране, std::set<std::string>{"конец_игры"});

}

TEST_F(ЭкраныGL, ПобедаПишетОчкиИСледующаяПобедаЗаменяетИх) {
    const auto первая = создать_состояние<dialogy::Победа>(0);
    переключатель->добавить_состояние(первая);
    const auto панель = первая->главная_инфопанель();
    ASSERT_TRUE(панель);
    const auto первые_очки = очки(*панель);
    ASSERT_TRUE(первые_очки && первые_очки->текстура_текста());
    EXPECT_EQ(пиксели(*первые_очки->текстура_текста()), ожидаемый_текст("набрано 0 очков"));
    const auto элементов = панель->контейнер()->элементы().size();

    // The next level's victory reuses the panel.
    const auto вторая = создать_состояние<dialogy::Победа>(1234);
    ASSERT_EQ(вторая->главная_инфопанель(), панель);
    const auto вторые_очки = очки(*панель);
    ASSERT_TRUE(вторые_очки && вторые_очки->текстура_текста());
    EXPECT_NE(вторые_очки, первые_очки);
    EXPECT_EQ(панель->контейнер()->элементы().size(), элементов);
    EXPECT_EQ(пиксели(*вторые_очки->текстура_текста()), ожидаемый_текст("набрано 1234 очков"));
}

}  // namespace
