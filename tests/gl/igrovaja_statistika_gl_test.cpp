// The statistics display over the built game's panel in a real window: the texts
// it renders, read back from their textures and compared with the same texts
// rendered apart, field after field and as lives are lost.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "src/igrovaja_statistika.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"
#include "zyr/zyr.hpp"

namespace {

using igrovaja_statistika::ИгроваяСтатистика;
using igrovaja_statistika::игровая_статистика;
using zyr::text_infopaneli::ТекстовыйЭлементИнфопанели;

class СтатистикаВОкне : public test_stend::СтендИгрыВОкне {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(СтендИгрыВОкне::SetUp());
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        СтендИгрыВОкне::TearDown();
    }

    // What a field does at its start.
    static ИгроваяСтатистика& начать_поле() {
        if (!игровая_статистика) игровая_статистика = ИгроваяСтатистика::создать();
        игровая_статистика->сброс_статистики();
        игровая_статистика->показать();
        return *игровая_статистика;
    }

    static std::vector<unsigned char> пиксели(zyr::texture::Текстура& текстура) {
        текстура.рисовать();
        std::vector<unsigned char> p(4u * static_cast<std::size_t>(текстура.получить_ширину()) *
                                     static_cast<std::size_t>(текстура.получить_высоту()));
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
        return p;
    }

    // The element's text image is the image of `текст` in the display's font and colour.
    static testing::AssertionResult показывает(const std::shared_ptr<ТекстовыйЭлементИнфопанели>& элемент,
                                               const std::string& текст) {
        if (!элемент || !элемент->текстура_текста()) return testing::AssertionFailure() << "нет текста";
        const auto шрифт = zyr::менеджер->получить_ttf_шрифт(igrovaja_statistika::ШРИФТ);
        if (!шрифт) return testing::AssertionFailure() << "нет шрифта";
        zyr::zavisimost::texture_SDL2_GL::Текстура_SDL2_GL эталон;
        эталон.построить_из_текста(*шрифт, текст, igrovaja_statistika::ЦВЕТ_ТЕКСТА);
        auto& показанный = *элемент->текстура_текста();
        if (показанный.получить_ширину() != эталон.получить_ширину() || пиксели(показанный) != пиксели(эталон)) {
            return testing::AssertionFailure() << элемент->получить_имя() << " не показывает \"" << текст << "\"";
        }
        return testing::AssertionSuccess();
    }
};

struct ПотеряЖизней {
    int жизней;
    int потерь;
    bool жизнь_потеряна;
    bool игра_окончена;
};

TEST_F(СтатистикаВОкне, КаждоеПолеНачинаетсяСНуляОчковИОднойЖизни) {
    ИгроваяСтатистика& с = начать_поле();
    ASSERT_NE(с.панель(), nullptr);
    ASSERT_NE(с.элемент_паузы(), nullptr);
    EXPECT_TRUE(показывает(с.текст_очков(), "Очки: 0"));
    EXPECT_TRUE(показывает(с.текст_жизней(), "Жизни: 1"));
    EXPECT_FALSE(с.элемент_паузы()->получить_видимость());

    // A field that ends scored, paused, with the menu's panels cleared.
    с.добавить_очки(40);
    EXPECT_TRUE(показывает(с.текст_очков(), "Очки: 40"));
    с.показать_паузу();
    zyr::менеджер->удалить_все_инфопанели();

    EXPECT_EQ(&начать_поле(), &с);
    EXPECT_TRUE(показывает(с.текст_очков(), "Очки: 0"));
    EXPECT_TRUE(показывает(с.текст_жизней(), "Жизни: 1"));
    EXPECT_FALSE(с.элемент_паузы()->получить_видимость());
    EXPECT_EQ(zyr::менеджер->инфопанели().count("статистика"), 1u);

    // The last life leaves its text on screen; one that leaves lives shows them.
    for (const auto& [жизней, потерь, потеряна, окончена] :
         {ПотеряЖизней{1, 1, false, true}, ПотеряЖизней{2, 1, true, false}, ПотеряЖизней{2, 2, true, true}}) {
        SCOPED_TRACE(testing::Message() << жизней << " жизни, потерь " << потерь);
        начать_поле();
        for (int i = 1; i < жизней; ++i) с.плюс_жизнь();
        for (int i = 0; i < потерь; ++i) с.минус_жизнь();
        EXPECT_TRUE(показывает(с.текст_жизней(), "Жизни: 1"));
        EXPECT_EQ(с.на_уменьшение_жизней(), потеряна);
        EXPECT_EQ(с.на_конец_игры(), окончена);
    }

    const std::string текст = журнал();
    EXPECT_EQ(test_stend::сколько_раз(текст, "Создан объект игровой статистики. Инфопанель: статистика"), 1u)
        << текст;
}

}  // namespace
