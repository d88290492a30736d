// The engine draws: started from a settings file in a working folder, with
// resources written by the project's own tools, it shows the background, a lit
// textured cube and an info panel with a picture and a text, and the pixels
// read back from the window say so.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zapusk_dvizhka.hpp"
#include "tools/generator/geometrija.hpp"
#include "tools/generator/holst.hpp"
#include "tools/pisatel.hpp"
#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/lamp.hpp"
#include "zyr/mesto.hpp"
#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/vis.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_object.hpp"

namespace {

namespace события = zyr::zavisimost::sobytija_SDL2;
using Пиксель = std::array<unsigned char, 4>;

constexpr int КАДРОВ = 3;
constexpr int ШИРИНА = 320;
constexpr int ВЫСОТА = 240;
constexpr const char* ШРИФТ = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

// Lets КАДРОВ frames through, then reads the last frame and asks to stop. The
// frame is read from the back buffer: the window tests run on Mesa's software
// renderer, whose swap copies the back buffer out and keeps it, while the
// window's front buffer under Xvfb reads back as black.
class СнимокИОстановка : public события::СтандартныйОбработчикСобытий {
public:
    int проходов = 0;
    std::vector<unsigned char> снимок;  // RGBA rows from the bottom up

    bool обработка() override {
        if (++проходов <= КАДРОВ) return СтандартныйОбработчикСобытий::обработка();
        glReadBuffer(GL_BACK);
        glFinish();
        снимок.assign(ШИРИНА * ВЫСОТА * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, ШИРИНА, ВЫСОТА, GL_RGBA, GL_UNSIGNED_BYTE, снимок.data());
        return true;
    }

    Пиксель пиксель(int x, int y) const {
        const auto* p = снимок.data() + (static_cast<std::size_t>(y) * ШИРИНА + x) * 4;
        return {p[0], p[1], p[2], p[3]};
    }
};

void картинка_одного_цвета(const std::filesystem::path& путь, generator::Цвет цвет) {
    generator::Холст холст(16, 16, цвет);
    холст.сохранить_png(путь.string(), false);
}

class Демонстрация : public test_gl_dvizhok::ЗапускДвижкаВТесте {
protected:

    // The settings file and the resource folder "ресурсы" of the working folder.
    void подготовить_папку() {
        test_support::записать_файл(рабочая / "настройки_zyr.cfg",
                                    "# окно демонстрации\nразмеры_окна = [320, 240]\nсинхронизация_экрана = 0\n");
        const auto ресурсы = рабочая / "ресурсы";
        std::filesystem::create_directory(ресурсы);
        const auto куб = generator::коробка({-1, -1, -1}, {1, 1, 1});
        pisatel::записать(ресурсы / "куб.me",
                          pisatel::меш_версии_1({куб.позиции, куб.текстурные, куб.нормали, куб.индексы}));
        картинка_одного_цвета(ресурсы / "жёлтая.png", {1, 1, 0, 1});
        test_support::записать_файл(ресурсы / "куб.ob", R"({"имя": "куб", "меш": {"имя": "куб"},
            "материал": {"диффузный_цвет": [1.0, 1.0, 1.0, 1.0], "диффузная_текстура": "жёлтая"}})");
        картинка_одного_цвета(ресурсы / "голубая.png", {0, 1, 1, 1});
        // A panel of 200 x 60 pixels at (10, 10): the picture on its left 40 %,
        // the text element (made in code) on its right half.
        test_support::записать_файл(ресурсы / "табло.ip", R"({"имя": "табло", "координаты": [10.0, 10.0, 200.0, 60.0],
            "элементы": [{"имя": "картинка", "координаты": [0.0, 0.0, 0.4, 1.0], "текстура": "голубая"}]})");
        std::filesystem::copy_file(ШРИФТ, ресурсы / "LiberationSerif-Italic.ttf");
    }

};

TEST_F(Демонстрация, ДвижокРисуетФонОсвещённыйКубИПанель) {
    подготовить_папку();
    ASSERT_TRUE(zyr::инициализация_zyr({"ресурсы"}, ""));
    auto& менеджер = *zyr::менеджер;

    const auto куб = менеджер.получить_объект("куб");
    ASSERT_NE(куб, nullptr);
    const auto& корень = менеджер.начальное_место();
    корень->создать_ребёнка("место_куба", {0, 0, 0}, zyr::quaternion::Кватернион::НОЛЬ, {1, 1, 1})
        ->присоединить_объект(куб);
    корень->создать_ребёнка("место_лампы", {0, 0, 5}, zyr::quaternion::Кватернион::НОЛЬ, {1, 1, 1})
        ->присоединить_объект(std::make_shared<zyr::lamp::Лампа>("лампа", 0));
    менеджер.место_камеры()->задать_позицию(0, 0, 6);
    const std::array<float, 4> фон{0.25f, 0.0f, 0.5f, 1.0f};
    менеджер.визуализатор().задать_цвет_фона(фон);

    const auto табло = менеджер.получить_инфопанель("табло");
    ASSERT_NE(табло, nullptr);
    const auto надпись =
        std::make_shared<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>("надпись", false, 0.5f, 0.0f, 0.5f, 1.0f);
    табло->присоединить_элемент(надпись);
    const std::array<float, 3> белый{1.0f, 1.0f, 1.0f};
    надпись->задать_текст(менеджер, "Шар", "LiberationSerif-Italic_40", белый);
    надпись->обновить_размеры();
    менеджер.добавить_инфопанель(табло);

    const auto обработчик = события::создать<СнимокИОстановка>();
    менеджер.задать_обработчик_событий(обработчик);
    ASSERT_TRUE(zyr::запустить_визуализацию(-1));

    ASSERT_EQ(обработчик->проходов, КАДРОВ + 1);
    const auto угол = обработчик->пиксель(ШИРИНА - 4, ВЫСОТА - 4);
    EXPECT_NEAR(угол[0], 64, 1);
    EXPECT_NEAR(угол[1], 0, 1);
    EXPECT_NEAR(угол[2], 128, 1);
    // The face towards the lamp: yellow from the texture, bright from the light.
    const auto на_кубе = обработчик->пиксель(ШИРИНА / 2, ВЫСОТА / 2);
    EXPECT_GT(на_кубе[0], 200);
    EXPECT_GT(на_кубе[1], 200);
    EXPECT_LT(на_кубе[2], 30);
    // The panel's picture, unlit, exactly its texture's colour.
    EXPECT_EQ(обработчик->пиксель(50, 40), (Пиксель{0, 255, 255, 255}));
    // White glyphs on the right half of the panel, the background between them.
    int белых = 0;
    int фоновых = 0;
    for (int y = 10; y < 70; ++y) {
        for (int x = 110; x < 210; ++x) {
            const auto p = обработчик->пиксель(x, y);
            if (p[0] > 240 && p[1] > 240 && p[2] > 240) ++белых;
            if (p[0] == 64 && p[1] == 0 && p[2] == 128) ++фоновых;
        }
    }
    EXPECT_GT(белых, 50);
    EXPECT_GT(фоновых, 50);

    const std::string текст = журнал();
    std::size_t место = 0;
    for (const char* шаг : {"Шаг 1.1 Загружен SDL", "Шаг 2. Инициализирован SDL", "Шаг 3. Загружен DerelictGL",
                            "Шаг 4. Создано окно размером 320x240", "Шаг 5. Создан SDL_GL-контекст", "Шаг 6."}) {
        место = текст.find(шаг, место);
        ASSERT_NE(место, std::string::npos) << шаг << "\n" << текст;
    }
    EXPECT_NE(текст.find("Закончили рендерить 3 кадров"), std::string::npos) << текст;
}

}  // namespace
