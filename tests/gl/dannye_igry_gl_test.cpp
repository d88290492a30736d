// Every resource the game asks for, asked of the engine's registries from the
// built game folder: all are found and load without a journal error.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL2/SDL_ttf.h>

#include <filesystem>
#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <set>

#include "kontekst_gl.hpp"
#include "src/nastroiki.hpp"
#include "support/support.hpp"
#include "zyr/element_infopaneli.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/istochnik_resursov.hpp"
#include "zyr/mesh.hpp"
#include "zyr/resources.hpp"
#include "zyr/skelet.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zyr_manager.hpp"
#include "zyr/zyr_object.hpp"
#include "zyr/zhurnal_v_teste.hpp"

namespace {

namespace fs = std::filesystem;
const fs::path ПАПКА_ИГРЫ = fs::path(IGRA_BINARY_DIR) / "game";

bool степень_двойки(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The names the game's code asks for by kind (besides those the descriptions name).
struct ИменаИгры {
    std::set<std::string> меши, картинки, картинки_с_прозрачностью, объекты, панели;
};

ИменаИгры имена_из_кода() {
    ИменаИгры и;
    и.меши = {"шарик", "взрыв"};
    for (int d = 0; d <= 9; ++d) и.меши.insert(fmt::format("цифра_{}", d));
    for (int c = 1; c <= 6; ++c) {
        и.картинки.insert(fmt::format("текстура_шарик{}", c));
        и.картинки_с_прозрачностью.insert(fmt::format("текстура_прозрачный_шарик{}", c));
    }
    и.картинки_с_прозрачностью.insert({"начальная_заставка_кнопки", "выбор_уровней_кнопки1", "выбор_уровней_кнопки2"});
    и.объекты = {"пауза", "назад", "прицел", "бомба", "микросамолётик", "основание", "индикатор", "лафет", "ось",
                 "колесо", "дуло", "луч", "горшок", "писсуар", "унитаз", "бонус_основа", "самолёт", "винт",
                 "авиабомба"};
    for (int n = 1; n <= 12; ++n) и.объекты.insert(fmt::format("Поле{:03d}", n));
    и.панели = {"статистика", "начальная_заставка", "выбор_уровней", "конец_игры", "победа"};
    return и;
}

nlohmann::json описание(const fs::path& файл) { return nlohmann::json::parse(test_support::прочитать_файл(файл)); }

void текстуры_элементов(const nlohmann::json& элементы, std::set<std::string>& картинки) {
    for (const auto& э : элементы) {
        if (э.contains("текстура")) картинки.insert(э["текстура"].get<std::string>());
        if (э.contains("элементы")) текстуры_элементов(э["элементы"], картинки);
    }
}

class ДанныеИгры : public test_gl::КонтекстGL {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(ПАПКА_ИГРЫ / "настройки.cfg")) << "build target igra_game";
        КонтекстGL::SetUp();
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
        рабочая_ = std::make_unique<test_support::РабочаяПапка>(ПАПКА_ИГРЫ);
        настройки_.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК);
    }
    void TearDown() override {
        рабочая_.reset();
        TTF_Quit();
        КонтекстGL::TearDown();
    }

    nastroiki::НастройкиИгры настройки_;

private:
    std::unique_ptr<test_support::РабочаяПапка> рабочая_;
};

}  // namespace

TEST_F(ДанныеИгры, ОписанияОбъектовИПанелейНазываютСуществующиеРесурсы) {
    ИменаИгры и = имена_из_кода();
    fs::path ресурсы = настройки_.ресурсы().at(0);
    for (const std::string& объект : и.объекты) {
        SCOPED_TRACE(объект);
        ASSERT_TRUE(fs::exists(ресурсы / (объект + ".ob")));
        nlohmann::json о = описание(ресурсы / (объект + ".ob"));
        EXPECT_EQ(о.at("имя"), объект);
        EXPECT_TRUE(fs::exists(ресурсы / (о.at("меш").at("имя").get<std::string>() + ".me")));
        if (о.contains("материал") && о["материал"].contains("диффузная_текстура")) {
            и.картинки.insert(о["материал"]["диффузная_текстура"].get<std::string>());
        }
        // A shininess written without a decimal point would throw in the material reader.
        if (о.contains("материал") && о["материал"].contains("степень_блика")) {
            EXPECT_TRUE(о["материал"]["степень_блика"].is_number_float());
        }
    }
    for (const std::string& панель : и.панели) {
        SCOPED_TRACE(панель);
        nlohmann::json п = описание(ресурсы / (панель + ".ip"));
        EXPECT_EQ(п.at("имя"), панель);
        std::set<std::string> картинки;
        текстуры_элементов(п.at("элементы"), картинки);
        for (const std::string& к : картинки) EXPECT_TRUE(fs::exists(ресурсы / (к + ".png"))) << к;
    }
}

TEST_F(ДанныеИгры, РеестрыДвижкаНаходятКаждоеИмяБезОшибокВЖурнале) {
    ИменаИгры и = имена_из_кода();
    fs::path ресурсы = настройки_.ресурсы().at(0);
    for (const std::string& объект : и.объекты) {
        nlohmann::json о = описание(ресурсы / (объект + ".ob"));
        и.меши.insert(о["меш"]["имя"].get<std::string>());
        if (о["материал"].contains("диффузная_текстура")) и.картинки.insert(о["материал"]["диффузная_текстура"]);
    }
    for (const std::string& панель : и.панели) текстуры_элементов(описание(ресурсы / (панель + ".ip"))["элементы"], и.картинки);

    std::string журнал = test_zhurnal::журнал_во_время([&] {
        auto имена = zyr::resources::ИменаРесурсов::создать(настройки_.ресурсы());
        zyr::mesh::ЗагруженныеМеши меши(имена);
        zyr::skelet::ЗагруженныеСкелеты скелеты(имена);
        zyr::texture::ЗагруженныеТекстуры текстуры(имена);
        zyr::texture::ЗагруженныеВПамятьТекстуры в_памяти(имена);
        zyr::zavisimost::shrift_SDL2::ЗагруженныеTTFШрифты шрифты(имена);

        for (const std::string& имя : и.меши) {
            SCOPED_TRACE(имя);
            auto м = меши.получить(имя);
            ASSERT_NE(м, nullptr);
            EXPECT_GT(м->количество_граней(), 0);
            EXPECT_EQ(м->версия(), имя == "взрыв" ? 2 : 1);
        }
        // The explosion: a copy of the skinned mesh moves with the skeleton's "Action".
        auto скелет = скелеты.получить("взрыв");
        ASSERT_NE(скелет, nullptr);
        EXPECT_EQ(скелет->получить_имена_анимаций(), std::vector<std::string>{"Action"});
        меши.получить("взрыв");
        auto копия = std::dynamic_pointer_cast<zyr::mesh::МешСоСкелетом>(меши.получить("взрыв"));
        ASSERT_NE(копия, nullptr);
        копия->присвоить_скелет(скелет);
        EXPECT_EQ(копия->группы_костей().size(), скелет->получить_имена_костей().size());
        EXPECT_TRUE(копия->установить_состояние_анимации("Action", 13.0f));
        float наибольший = 0;
        for (const auto& p : копия->текущие_положения()) наибольший = std::max(наибольший, std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z));
        EXPECT_GT(наибольший, 8.0f);

        for (const std::string& имя : и.картинки) {
            SCOPED_TRACE(имя);
            auto т = текстуры.получить(имя);
            ASSERT_NE(т, nullptr);
            EXPECT_TRUE(степень_двойки(т->получить_ширину()));
            EXPECT_TRUE(степень_двойки(т->получить_высоту()));
        }
        for (const std::string& имя : и.картинки_с_прозрачностью) {
            SCOPED_TRACE(имя);
            auto т = текстуры.получить(имя);
            ASSERT_NE(т, nullptr);
            EXPECT_EQ(т->получить_формат(), GL_RGBA);
            EXPECT_TRUE(степень_двойки(т->получить_ширину()));
        }
        for (int страница : {1, 2}) {
            auto к = в_памяти.получить(fmt::format("выбор_уровней_кнопки{}", страница));
            ASSERT_NE(к, nullptr);
            EXPECT_EQ(к->получить_размер_пикселя(), 4);
        }
        for (const char* шрифт : {"LiberationSerif-Italic_32", "LiberationSerif-Italic_40"}) {
            EXPECT_NE(шрифты.получить(шрифт), nullptr) << шрифт;
        }
    });
    EXPECT_EQ(журнал.find("Отсутствует"), std::string::npos) << журнал;
    EXPECT_EQ(журнал.find("не загрузил"), std::string::npos) << журнал;
    EXPECT_EQ(журнал.find("Ошибка в файле"), std::string::npos) << журнал;
}

TEST_F(ДанныеИгры, МенеджерСобираетКаждыйОбъектИзЕгоОписания) {
    ИменаИгры и = имена_из_кода();
    std::string журнал = test_zhurnal::журнал_во_время([&] {
        // The manager installs itself as the resource source; the previous one comes back after.
        zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена(nullptr);
        auto менеджер = zyr::zyr_manager::ZYRМенеджер::создать(настройки_.ресурсы());
        for (const std::string& имя : и.объекты) {
            SCOPED_TRACE(имя);
            auto объект = менеджер->получить_объект(имя);
            ASSERT_NE(объект, nullptr);
            EXPECT_EQ(объект->базовое_имя(), имя);
            ASSERT_NE(объект->получить_меш(), nullptr);
            EXPECT_GT(объект->количество_граней(), 0);
            ASSERT_NE(объект->получить_материал(), nullptr);
        }
    });
    EXPECT_EQ(журнал.find("Отсутствует"), std::string::npos) << журнал;
    EXPECT_EQ(журнал.find("Ошибка"), std::string::npos) << журнал;
}

TEST_F(ДанныеИгры, МенеджерСобираетПанелиСЭлементамиКоторыеИщетИгра) {
    // Panels are placed in the window: the size the shipped engine settings ask for.
    auto& окно = zyr::zavisimost::okno_SDL2::параметры_окна;
    const auto прежнее = окно;
    окно.ширина = 1024;
    окно.высота = 768;
    std::string журнал = test_zhurnal::журнал_во_время([&] {
        zyr::istochnik_resursov::ЗаменаИсточникаРесурсов замена(nullptr);
        auto менеджер = zyr::zyr_manager::ZYRМенеджер::создать(настройки_.ресурсы());
        for (const char* имя : {"статистика", "начальная_заставка", "выбор_уровней", "конец_игры", "победа"}) {
            auto панель = менеджер->получить_инфопанель(имя);
            ASSERT_NE(панель, nullptr) << имя;
            EXPECT_EQ(панель->получить_имя(), имя);
        }
        EXPECT_NE(менеджер->получить_инфопанель("статистика")->получить_элемент("статистика.пауза"), nullptr);

        auto заставка = менеджер->получить_инфопанель("начальная_заставка")->получить_элемент("начальная заставка");
        ASSERT_NE(заставка, nullptr);
        for (const char* кнопка : {"начальная_заставка.кнопка_игра", "начальная_заставка.кнопка_выход"}) {
            auto э = заставка->получить_элемент(кнопка);
            ASSERT_NE(э, nullptr) << кнопка;
            EXPECT_NE(э->текстура(), nullptr);
        }

        // Level buttons answer the pointer on their picture only: the opaque-pixel
        // test is true in a button's middle and false in the corner of its cell.
        auto выбор = менеджер->получить_инфопанель("выбор_уровней")->получить_элемент("выбор уровня");
        ASSERT_NE(выбор, nullptr);
        for (int уровень = 1; уровень <= 12; ++уровень) {
            SCOPED_TRACE(уровень);
            auto кнопка = выбор->получить_элемент(fmt::format("выбор_уровня.кнопка_поле{:03d}", уровень));
            ASSERT_NE(кнопка, nullptr);
            auto атлас = менеджер->получить_текстуру_в_памяти(fmt::format("выбор_уровней_кнопки{}", (уровень - 1) / 8 + 1));
            ASSERT_NE(атлас, nullptr);
            float x = кнопка->отн_x(), y = кнопка->отн_y(), ш = кнопка->отн_ш(), в = кнопка->отн_в();
            EXPECT_NEAR(ш * 4, в * 3, 1e-3);  // square in a 4:3 window
            EXPECT_TRUE(кнопка->проверить_непрозрачную_точку(x + ш / 2, y + в / 2, *атлас));
            EXPECT_FALSE(кнопка->проверить_непрозрачную_точку(x + ш * 0.03f, y + в * 0.03f, *атлас));
        }
    });
    окно = прежнее;
    EXPECT_EQ(журнал.find("Отсутствует"), std::string::npos) << журнал;
    EXPECT_EQ(журнал.find("Ошибка"), std::string::npos) << журнал;
}
