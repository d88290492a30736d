// Info-panel elements and text elements without a window: rectangles, the
// element tree, point tests, descriptions and the fitting of texts.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/support.hpp"
#include "zhurnal_v_teste.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/mesh.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/texture_SDL2_GL.hpp"

namespace {

using nlohmann::json;
using zyr::element_infopaneli::ЭлементИнфопанели;
using zyr::text_infopaneli::ТекстовыйЭлементИнфопанели;
using Элемент = ЭлементИнфопанели::Указатель;
using test_zhurnal::журнал_во_время;

// A texture of a given size that draws nothing.
class ПустаяТекстура : public zyr::texture::Текстура {
public:
    ПустаяТекстура(int ш, int в) {
        ширина = ш;
        высота = в;
    }
    void рисовать() override {}
    void загрузить_из_файла(const std::string&) override {}
    // A new text rendered into the same texture.
    void задать_размер(int ш, int в) {
        ширина = ш;
        высота = в;
    }
};

// Serves "кнопка" and nothing else.
class ИсточникСКнопкой : public zyr::istochnik_resursov::ПустойИсточникРесурсов {
public:
    std::shared_ptr<zyr::texture::Текстура> получить_текстуру(const std::string& имя) override {
        return имя == "кнопка" ? кнопка : nullptr;
    }
    std::shared_ptr<zyr::texture::Текстура> кнопка = std::make_shared<ПустаяТекстура>(8, 8);
};

// A parent of the given pixel size holding the element.
Элемент родитель_размером(int ш, int в, const Элемент& ребёнок) {
    auto родитель = std::make_shared<ЭлементИнфопанели>("родитель", true);
    родитель->рассчитать_абсолютные_координаты(ш, в);
    родитель->присоединить_элемент(ребёнок);
    return родитель;
}

TEST(ЭлементИнфопанели, ОтрицательноеПоложениеОтсчитываетсяОтДальнегоКраяИТочкаВключаетКрай) {
    const auto элемент = std::make_shared<ЭлементИнфопанели>("угол", false, -0.25f, 0.5f, 0.25f, 0.5f);
    EXPECT_FLOAT_EQ(элемент->отн_x(), 0.75f);
    EXPECT_FLOAT_EQ(элемент->x2(), 1.0f);
    EXPECT_FLOAT_EQ(элемент->y2(), 1.0f);
    EXPECT_TRUE(элемент->проверить_точку(0.75f, 0.5f));
    EXPECT_TRUE(элемент->проверить_точку(1.0f, 1.0f));
    EXPECT_FALSE(элемент->проверить_точку(0.7499f, 0.5f));
    EXPECT_FALSE(элемент->проверить_точку(0.8f, 1.0001f));
    EXPECT_FALSE(элемент->проверить_точку(std::nanf(""), 0.6f));
}

TEST(ЭлементИнфопанели, ПиксельныйПрямоугольникБерётсяОтРодителяПриПрисоединенииИКраяВключены) {
    const auto элемент = std::make_shared<ЭлементИнфопанели>("э", false, 0.1f, 0.2f, 0.5f, 0.5f);
    const auto родитель = родитель_размером(400, 200, элемент);
    EXPECT_EQ(элемент->родитель(), родитель);
    EXPECT_EQ((std::vector<int>{элемент->x(), элемент->y(), элемент->абсолютные_размеры().ширина(),
                                элемент->абсолютные_размеры().высота()}),
              (std::vector<int>{40, 40, 200, 100}));
    EXPECT_TRUE(элемент->проверить_точку(40, 40));
    EXPECT_TRUE(элемент->проверить_точку(240, 140));
    EXPECT_FALSE(элемент->проверить_точку(39, 100));
    EXPECT_FALSE(элемент->проверить_точку(100, 141));
}

TEST(ЭлементИнфопанели, ПиксельныйРазмерВнеЦелыхОтвергается) {
    const auto элемент = std::make_shared<ЭлементИнфопанели>("э", false, 0.0f, 0.0f, 1e10f, 1.0f);
    EXPECT_THROW(элемент->рассчитать_абсолютные_координаты(400, 200),
                 zyr::element_infopaneli::ЭлементИнфопанелиИсключение);
    const auto бесконечный = std::make_shared<ЭлементИнфопанели>("э", false, 0.0f, 0.0f, INFINITY, 1.0f);
    EXPECT_THROW(бесконечный->рассчитать_абсолютные_координаты(400, 200),
                 zyr::element_infopaneli::ЭлементИнфопанелиИсключение);
}

TEST(ЭлементИнфопанели, КонтейнерДержитДетейПоИмениИОтдаётИхОдномуРодителю) {
    const auto первый = std::make_shared<ЭлементИнфопанели>("первый", true);
    const auto второй = std::make_shared<ЭлементИнфопанели>("второй", true);
    const auto ребёнок = std::make_shared<ЭлементИнфопанели>("ребёнок", false);

    первый->присоединить_элемент(ребёнок);
    второй->присоединить_элемент(ребёнок);
    EXPECT_EQ(ребёнок->родитель(), первый);
    EXPECT_EQ(второй->получить_элемент("ребёнок"), nullptr);

    EXPECT_EQ(первый->отсоединить_элемент(ребёнок), ребёнок);
    EXPECT_EQ(ребёнок->родитель(), nullptr);
    EXPECT_EQ(первый->отсоединить_элемент("ребёнок"), nullptr);
    второй->присоединить_элемент(ребёнок);
    EXPECT_EQ(второй->получить_элемент("ребёнок"), ребёнок);

    // A child of the same name takes the place of the earlier one.
    const auto тёзка = std::make_shared<ЭлементИнфопанели>("ребёнок", false);
    второй->присоединить_элемент(тёзка);
    EXPECT_EQ(второй->получить_элемент("ребёнок"), тёзка);
    EXPECT_EQ(второй->элементы().size(), 1u);

    // An element that is not a container takes no children.
    const auto лист = std::make_shared<ЭлементИнфопанели>("лист", false);
    const auto сирота = std::make_shared<ЭлементИнфопанели>("сирота", false);
    лист->присоединить_элемент(сирота);
    EXPECT_EQ(сирота->родитель(), nullptr);
    EXPECT_TRUE(лист->элементы().empty());
}

TEST(ЭлементИнфопанели, ДетиИзОписанияВложеныИНижеПервогоУровняНеИмеютПикселей) {
    const json описание = json::parse(R"({
        "имя": "меню", "координаты": [0.0, 0.0, 1.0, 1.0], "контейнер": true,
        "элементы": [
            {"имя": "рамка", "координаты": [0.5, -0.5, 0.5, 0.5], "контейнер": true,
             "элементы": [{"имя": "кнопка", "координаты": [0.1, 0.1, 0.8, 0.2], "текстура": "кнопка"}]},
            {"имя": "плохой", "координаты": [0, 0, 1, 1]},
            {"имя": "лист", "координаты": [0.0, 0.0, 0.1, 0.1],
             "элементы": [{"имя": "скрытый", "координаты": [0.0, 0.0, 1.0, 1.0]}]}
        ]})");
    ИсточникСКнопкой источник;
    const auto меню = ЭлементИнфопанели::из_JSON(описание, источник);
    ASSERT_NE(меню, nullptr);
    EXPECT_EQ(меню->элементы().size(), 2u);
    EXPECT_EQ(меню->получить_элемент("плохой"), nullptr);
    EXPECT_EQ(меню->получить_элемент("кнопка"), nullptr);  // children only, not deeper
    ASSERT_NE(меню->получить_элемент("лист"), nullptr);
    EXPECT_TRUE(меню->получить_элемент("лист")->элементы().empty());

    const auto рамка = меню->получить_элемент("рамка");
    ASSERT_NE(рамка, nullptr);
    EXPECT_FLOAT_EQ(рамка->отн_y(), 0.5f);
    const auto кнопка = рамка->получить_элемент("кнопка");
    ASSERT_NE(кнопка, nullptr);
    EXPECT_EQ(кнопка->родитель(), рамка);
    EXPECT_EQ(кнопка->текстура(), источник.кнопка);
    EXPECT_TRUE(кнопка->проверить_точку(0.9f, 0.3f));

    // Attached to a 400 x 200 parent, only the first level gets pixels.
    const auto окно = родитель_размером(400, 200, меню);
    EXPECT_EQ(меню->абсолютные_размеры(), (zyr::types::Координаты2D<int>{400, 200}));
    EXPECT_EQ(кнопка->абсолютные_размеры(), (zyr::types::Координаты2D<int>{0, 0}));
}

struct СлучайОписания {
    const char* имя;
    const char* описание;
    const char* строка_журнала;  // the line expected in the journal, "" for none
    bool построен;
    bool контейнер;
    bool с_текстурой;
    std::array<float, 4> координаты_текстуры;
};

class ОписаниеЭлемента : public ::testing::TestWithParam<СлучайОписания> {};

TEST_P(ОписаниеЭлемента, ОшибкиОписанияПишутсяВЖурналИЭлементСтроитсяЕслиМожно) {
    const auto& случай = GetParam();
    ИсточникСКнопкой источник;
    Элемент элемент;
    const auto журнал = журнал_во_время([&] { элемент = ЭлементИнфопанели::из_JSON(json::parse(случай.описание), источник); });
    if (*случай.строка_журнала) EXPECT_NE(журнал.find(случай.строка_журнала), std::string::npos) << журнал;
    else EXPECT_EQ(журнал.find("э-т_инфопанели"), std::string::npos) << журнал;
    ASSERT_EQ(элемент != nullptr, случай.построен);
    if (!элемент) return;
    EXPECT_EQ(элемент->является_контейнером(), случай.контейнер);
    EXPECT_EQ(элемент->текстура() != nullptr, случай.с_текстурой);
    EXPECT_EQ(элемент->координаты_текстуры(), случай.координаты_текстуры);
}

constexpr std::array<float, 4> ВСЯ{0, 0, 1, 1};

INSTANTIATE_TEST_SUITE_P(
    Случаи, ОписаниеЭлемента,
    ::testing::Values(
        СлучайОписания{"polnoe",
                       R"({"имя": "к", "координаты": [0.1, 0.1, 0.5, 0.5, 7], "контейнер": true, "текстура": "кнопка",
                           "координаты_текстуры": [0.0, 0.5, 0.5, 1.0]})",
                       "", true, true, true, {0.0f, 0.5f, 0.5f, 1.0f}},
        СлучайОписания{"bez_imeni", R"({"координаты": [0.1, 0.1, 0.5, 0.5]})",
                       "Ошибка получения данных для создания ЭлементИнфопанели", false, false, false, ВСЯ},
        СлучайОписания{"ne_obekt", R"([1, 2])", "Ошибка получения данных для создания ЭлементИнфопанели", false,
                       false, false, ВСЯ},
        СлучайОписания{"celye_koordinaty", R"({"имя": "к", "координаты": [0, 0, 1, 1]})",
                       "Ошибка создания ЭлементИнфопанели с именем к", false, false, false, ВСЯ},
        СлучайОписания{"tri_koordinaty", R"({"имя": "к", "координаты": [0.0, 0.0, 1.0]})",
                       "Ошибка создания ЭлементИнфопанели с именем к", false, false, false, ВСЯ},
        СлучайОписания{"koordinata_vne_float", R"({"имя": "к", "координаты": [0.0, 0.0, 1e300, 1.0]})",
                       "Ошибка создания ЭлементИнфопанели с именем к", false, false, false, ВСЯ},
        СлучайОписания{"kontejner_ne_logicheskij", R"({"имя": "к", "координаты": [0.0, 0.0, 1.0, 1.0], "контейнер": 1})",
                       "Ошибка определения наличия контейнера для ЭлементИнфопанели с именем к", true, false, false,
                       ВСЯ},
        СлучайОписания{"tekstura_ne_stroka", R"({"имя": "к", "координаты": [0.0, 0.0, 1.0, 1.0], "текстура": 5})",
                       "Ошибка получения текстуры для ЭлементИнфопанели с именем к", true, false, false, ВСЯ},
        СлучайОписания{"net_takoj_tekstury", R"({"имя": "к", "координаты": [0.0, 0.0, 1.0, 1.0], "текстура": "нет"})",
                       "", true, false, false, ВСЯ},
        СлучайОписания{"koordinaty_tekstury_celye",
                       R"({"имя": "к", "координаты": [0.0, 0.0, 1.0, 1.0], "координаты_текстуры": [0, 0, 1, 1]})",
                       "Ошибка получения координат текстуры для ЭлементИнфопанели с именем к", true, false, false,
                       ВСЯ},
        СлучайОписания{"koordinat_tekstury_malo",
                       R"({"имя": "к", "координаты": [0.0, 0.0, 1.0, 1.0], "координаты_текстуры": [0.5, 0.5]})",
                       "Ошибка получения координат текстуры для ЭлементИнфопанели с именем к", true, false, false,
                       ВСЯ}),
    [](const auto& случай) { return std::string(случай.param.имя); });

// Text sizes: a parent 400 x 200 pixels and a texture standing for the rendered text.
struct СлучайРазмера {
    const char* имя;
    float отн_x;
    int ширина_текста;
    float ожидаемая_отн_ш;
    float ожидаемый_x2;
    int ожидаемая_ширина;
    float ожидаемый_u_right;
};

class РазмерТекста : public ::testing::TestWithParam<СлучайРазмера> {};

TEST_P(РазмерТекста, ТекстПоРазмеруТекстурыОбрезаетсяКраемРодителя) {
    const auto& случай = GetParam();
    const auto текст = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false, случай.отн_x, 0.5f, 0.1f, 0.1f);
    const auto родитель = родитель_размером(400, 200, текст);
    текст->задать_текстуру(std::make_shared<ПустаяТекстура>(случай.ширина_текста, 40));
    текст->обновить_размеры();
    EXPECT_NEAR(текст->отн_ш(), случай.ожидаемая_отн_ш, 1e-6);
    EXPECT_NEAR(текст->x2(), случай.ожидаемый_x2, 1e-6);
    EXPECT_EQ(текст->абсолютные_размеры().ширина(), случай.ожидаемая_ширина);
    EXPECT_NEAR(текст->координаты_текстуры()[2], случай.ожидаемый_u_right, 1e-4);
    // 40 of 200 pixels fit above y 0.5.
    EXPECT_EQ(текст->абсолютные_размеры().высота(), 40);
    EXPECT_NEAR(текст->y2(), 0.7, 1e-6);
    EXPECT_FLOAT_EQ(текст->координаты_текстуры()[3], 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Случаи, РазмерТекста,
                         ::testing::Values(СлучайРазмера{"obrezan", 0.5f, 300, 0.5f, 1.0f, 200, 0.6667f},
                                           СлучайРазмера{"vmeshhaetsja", 0.1f, 300, 0.75f, 0.85f, 300, 1.0f},
                                           СлучайРазмера{"vroven_s_kraem", 0.25f, 300, 0.75f, 1.0f, 300, 1.0f}),
                         [](const auto& случай) { return std::string(случай.param.имя); });

// The texture coordinate drawing takes for one vertex (0 u, 1 v), from whichever array the mesh draws.
float текстурная_координата(const zyr::mesh::Меш& меш, int вершина, int ось) {
    if (меш.отдельные_буферы()) return меш.текстурные_координаты()[2 * вершина + ось];
    return меш.чередующийся_массив()[8 * static_cast<std::size_t>(вершина) + static_cast<std::size_t>(ось)];
}

TEST(ТекстовыйЭлементИнфопанели, МешСледуетЗаОбрезкойТекстаИПослеПервогоРисования) {
    // A score text at (0.5, 0.5) of a 400 x 200 parent, too wide at its first
    // drawing (which makes the mesh), then changed.
    const auto текст = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false, 0.5f, 0.5f, 0.1f, 0.1f);
    const auto родитель = родитель_размером(400, 200, текст);
    const auto текстура = std::make_shared<ПустаяТекстура>(300, 40);
    текст->задать_текстуру(текстура);
    текст->обновить_размеры();
    текст->создать_меш();
    const struct {
        int ширина, высота;
        float u_right, v_bottom;
    } тексты[] = {
        {100, 150, 1.0f, 0.6667f},  // shorter: whole; taller than the upper edge: clipped
        {800, 40, 0.25f, 1.0f},     // grows past the right edge: clipped
        {200, 100, 1.0f, 1.0f},     // ends exactly on both edges
    };
    for (const auto& т : тексты) {
        SCOPED_TRACE(т.ширина);
        // What задать_текст does before a new text is fitted.
        текстура->задать_размер(т.ширина, т.высота);
        текст->инициализация_координат_текстуры();
        текст->обновить_размеры();
        const auto& меш = *текст->меш();
        // Vertex 4 is the lower right corner (u_right, v_bottom), vertex 2 the upper left (u_left, v_top).
        EXPECT_NEAR(текстурная_координата(меш, 4, 0), т.u_right, 1e-4);
        EXPECT_NEAR(текстурная_координата(меш, 4, 1), т.v_bottom, 1e-4);
        EXPECT_EQ(текстурная_координата(меш, 2, 0), 0.0f);
        EXPECT_EQ(текстурная_координата(меш, 2, 1), 0.0f);
    }
}

TEST(ТекстовыйЭлементИнфопанели, БезТекстурыИлиРодителяРазмерНеМеняетсяИПишетсяПредупреждение) {
    const auto без_родителя = std::make_shared<ТекстовыйЭлементИнфопанели>("жизни", false, 0.8f, 0.9f, 0.1f, 0.1f);
    без_родителя->задать_текстуру(std::make_shared<ПустаяТекстура>(50, 20));
    const auto без_текстуры = std::make_shared<ТекстовыйЭлементИнфопанели>("очки", false, 0.6f, 0.9f, 0.1f, 0.1f);
    const auto родитель = родитель_размером(400, 200, без_текстуры);

    const auto журнал = журнал_во_время(
        [&] {
            без_родителя->обновить_размеры();
            без_текстуры->обновить_размеры();
        },
        my_utils::journal::УровниЖурнала::Предупреждение);
    EXPECT_NE(журнал.find("Изменение размеров не получилось жизни текстура=Текстура 50x20, _родитель=null"),
              std::string::npos)
        << журнал;
    EXPECT_NE(журнал.find("Изменение размеров не получилось очки текстура=null, _родитель=родитель включено=true"),
              std::string::npos)
        << журнал;
    EXPECT_FLOAT_EQ(без_родителя->отн_ш(), 0.1f);
    EXPECT_FLOAT_EQ(без_текстуры->отн_ш(), 0.1f);
}

// An in-memory RGBA image of 4 x 2 pixels written as a PNG and read back: the
// upper row is opaque except its first pixel, the lower row transparent except
// its last pixel.
class НепрозрачнаяТочка : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_Surface* поверхность = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 32, SDL_PIXELFORMAT_RGBA32);
        ASSERT_NE(поверхность, nullptr);
        for (int ряд = 0; ряд < 2; ++ряд) {
            auto* пиксели = static_cast<std::uint8_t*>(поверхность->pixels) + ряд * поверхность->pitch;
            for (int столбец = 0; столбец < 4; ++столбец) {
                const bool непрозрачный = ряд == 0 ? столбец != 0 : столбец == 3;
                const std::uint8_t пиксель[4]{200, 100, 50, static_cast<std::uint8_t>(непрозрачный ? 255 : 0)};
                std::copy(пиксель, пиксель + 4, пиксели + 4 * столбец);
            }
        }
        const auto файл = (папка / "кнопка.png").string();
        ASSERT_EQ(IMG_SavePNG(поверхность, файл.c_str()), 0) << IMG_GetError();
        SDL_FreeSurface(поверхность);
        картинка.загрузить_из_файла(файл);
        ASSERT_EQ(картинка.получить_формат(), zyr::texture::ФОРМАТ_RGBA);
    }

    test_support::ВременнаяПапка папка;
    zyr::zavisimost::texture_SDL2_GL::ТекстураВПамяти_SDL2 картинка;
};

TEST_F(НепрозрачнаяТочка, АльфаПодТочкойРешаетИКрайнийСтолбецИРядОстаютсяВКартинке) {
    // The element covers the lower left quarter of its parent.
    const auto кнопка = std::make_shared<ЭлементИнфопанели>("кнопка", false, 0.0f, 0.0f, 0.5f, 0.5f);
    const struct {
        float x, y;
        bool ожидается;
    } случаи[] = {
        {0.0f, 0.5f, false},    // upper left pixel: transparent
        {0.25f, 0.5f, true},    // upper row, column 2
        {0.5f, 0.5f, true},     // u = 1, v = 0: last column of the upper row
        {0.5f, 0.0f, true},     // u = 1, v = 1: last column of the last row
        {0.3f, 0.0f, false},    // v = 1, column 2 of the lower row: transparent
        {0.0f, 0.0f, false},    // lower left
        {0.51f, 0.25f, false},  // outside the element
        {std::nanf(""), 0.2f, false},
        {0.2f, std::numeric_limits<float>::infinity(), false},
    };
    for (const auto& с : случаи) {
        EXPECT_EQ(кнопка->проверить_непрозрачную_точку(с.x, с.y, картинка), с.ожидается) << с.x << ", " << с.y;
    }
    EXPECT_TRUE(кнопка->проверить_точку(0.0f, 0.0f));

    // With the texture rectangle on the image's right half, the element's left edge reads column 2.
    кнопка->задать_координаты_текстуры(0.5f, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(кнопка->проверить_непрозрачную_точку(0.0f, 0.5f, картинка));
    EXPECT_TRUE(кнопка->проверить_непрозрачную_точку(0.5f, 0.0f, картинка));
    EXPECT_FALSE(кнопка->проверить_непрозрачную_точку(0.0f, 0.0f, картинка));
}

TEST_F(НепрозрачнаяТочка, КартинкаБезАльфыНепрозрачнаАБезПикселейПрозрачна) {
    const auto кнопка = std::make_shared<ЭлементИнфопанели>("кнопка", false);

    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(rgb, nullptr, 0);
    const auto файл = (папка / "фон.png").string();
    ASSERT_EQ(IMG_SavePNG(rgb, файл.c_str()), 0);
    SDL_FreeSurface(rgb);
    zyr::zavisimost::texture_SDL2_GL::ТекстураВПамяти_SDL2 без_альфы;
    без_альфы.загрузить_из_файла(файл);
    ASSERT_EQ(без_альфы.получить_формат(), zyr::texture::ФОРМАТ_RGB);
    EXPECT_TRUE(кнопка->проверить_непрозрачную_точку(0.5f, 0.5f, без_альфы));

    class RGBAБезПикселей : public zyr::texture::ТекстураВПамяти {
    public:
        RGBAБезПикселей() { формат = zyr::texture::ФОРМАТ_RGBA; }
        void загрузить_из_файла(const std::string&) override {}
        const std::uint8_t* получить_пиксели() const override { return nullptr; }
        int получить_размер_строки() const override { return -1; }
        int получить_размер_пикселя() const override { return -1; }
    } пустая;
    EXPECT_FALSE(кнопка->проверить_непрозрачную_точку(0.5f, 0.5f, пустая));
}

}  // namespace
