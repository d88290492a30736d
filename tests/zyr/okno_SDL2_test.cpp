// The window layer's parts that need no window: flags from the settings, the
// OpenGL version name, and operations asked for while there is no window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "zyr/nastroyki_zyr.hpp"
#include "zyr/okno.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zhurnal_v_teste.hpp"

namespace {

namespace окно = zyr::zavisimost::okno_SDL2;

// (полный_экран, режим_desktop) -> SDL window flags.
class ФлагиОкна : public ::testing::TestWithParam<std::tuple<std::uint32_t, std::int32_t, std::uint32_t>> {};

TEST_P(ФлагиОкна, ПолныйЭкранИРежимDesktopДаютФлагиSDL) {
    const auto [полный_экран, режим_desktop, ожидаемые] = GetParam();
    окно::параметры_окна = {};
    окно::параметры_окна.флаги = полный_экран;
    окно::параметры_окна.режим_desktop = режим_desktop;
    окно::инициализация_параметров();
    EXPECT_EQ(окно::параметры_окна.флаги, ожидаемые);
}

INSTANTIATE_TEST_SUITE_P(Сочетания, ФлагиОкна,
                         ::testing::Values(std::make_tuple(1u, 1, 0x1001u), std::make_tuple(1u, 0, 0x1u),
                                           std::make_tuple(0u, 1, 0u), std::make_tuple(0u, 0, 0u),
                                           std::make_tuple(7u, 1, 0x1001u)));

TEST(ВерсияGL, ИмяВерсииНеВышеДваОдин) {
    const std::pair<const char*, const char*> случаи[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", "GL21"},
        {"2.1 Mesa 10.0", "GL21"},
        {"2.0", "GL20"},
        {"1.5.0 NVIDIA", "GL15"},
        {"1.1", "GL11"},
        {"1.0", "GL11"},
        {"OpenGL ES 3.2", "GL11"},
        {"", "GL11"},
        {nullptr, "GL11"},
    };
    for (const auto& [строка, имя] : случаи) EXPECT_EQ(окно::имя_версии_GL(строка), имя) << (строка ? строка : "null");
}

TEST(ОкноБезОкна, ОперацииБезОкнаНичегоНеЛомают) {
    окно::параметры_окна = {};
    окно::параметры_окна.ширина = 801;
    окно::параметры_окна.высота = 601;
    int x = 0;
    int y = 0;
    окно::SDL_получить_центр_окна(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(zyr::okno::размеры_окна(), (zyr::types::Координаты2D<std::int32_t>{801, 601}));

    EXPECT_EQ(окно::SDL_получить_окно(), nullptr);
    EXPECT_EQ(окно::SDL_получить_флаги_окна(), 0u);
    EXPECT_FALSE(zyr::okno::окно_минимизировано());
    zyr::okno::обменять_окна();
    zyr::okno::восстановление_размеров_окна();
    zyr::okno::изменить_режим_экрана(0);
    EXPECT_EQ(окно::параметры_окна.ширина, 801);
}

TEST(ОкноБезОкна, СмертьБросаетТекстСПрефиксом) {
    окно::параметры_окна = {};
    try {
        окно::SDL_смерть("Невозможно создать окно");
        FAIL() << "SDL_смерть вернулась";
    } catch (const окно::ОкноИсключение& ошибка) {
        EXPECT_STREQ(ошибка.what(), "Ошибка: Невозможно создать окно");
    }
}

}  // namespace

// SDL's video start opens D-Bus, whose library keeps a buffer past SDL_Quit (the
// window tests run without leak checks for the same reason). Under the leak
// checker this program lets that library's memory pass, and nothing else.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

// Start-up refusals, provoked through the video driver SDL is told to use or
// the display it is given: the message, and the reason for the line after it.
struct Отказ {
    const char* драйвер = nullptr;  // SDL_VIDEODRIVER, or unset
    const char* дисплей = nullptr;  // DISPLAY, or unset
    const char* текст = "";
    const char* в_причине = "";
};
void PrintTo(const Отказ& о, std::ostream* os) {
    *os << "SDL_VIDEODRIVER=" << (о.драйвер ? о.драйвер : "-") << ", DISPLAY=" << (о.дисплей ? о.дисплей : "-");
}

class ОтказЗапуска : public ::testing::TestWithParam<Отказ> {
protected:
    void SetUp() override {
        for (const char* имя : ПЕРЕМЕННЫЕ)
            if (const char* было = std::getenv(имя)) прежние[имя] = было;
        unsetenv("WAYLAND_DISPLAY");
        задать("SDL_VIDEODRIVER", GetParam().драйвер);
        задать("DISPLAY", GetParam().дисплей);
    }
    void TearDown() override {
        for (const char* имя : ПЕРЕМЕННЫЕ) {
            const auto было = прежние.find(имя);
            задать(имя, было == прежние.end() ? nullptr : было->second.c_str());
        }
    }
    static void задать(const char* имя, const char* значение) {
        if (значение) setenv(имя, значение, 1);
        else unsetenv(имя);
    }
    static constexpr const char* ПЕРЕМЕННЫЕ[] = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"};
    std::map<std::string, std::string> прежние;
};

TEST_P(ОтказЗапуска, БросаетТочныйТекстИОставляетОкноНеЗаписанным) {
    zyr::types::ПараметрыОкна п;
    п.ширина = 64;
    п.высота = 48;
    п.имя = "отказ";
    try {
        окно::инициализация_окна_SDL_GL(п);
        FAIL() << "окно создано";
    } catch (const окно::ОкноИсключение& ошибка) {
        EXPECT_STREQ(ошибка.what(), GetParam().текст);
        EXPECT_NE(ошибка.причина().find(GetParam().в_причине), std::string::npos) << ошибка.причина();
    }
    EXPECT_EQ(окно::параметры_окна.id_окна, 0u);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

constexpr const char* ОТКАЗ_ВИДЕО = ": Невозможно инициализировать видеорежим. Ошибка в SDL_Init().";
constexpr const char* ДРАЙВЕР_БЕЗ_ОКНА = "не показывает окна: нет дисплея";

// The dummy driver, named by the user, is kept: it starts video but has no
// OpenGL, so an OpenGL window can't be made. Without a display answering, SDL
// itself falls back on a driver that shows nothing: refused as a failed start.
INSTANTIATE_TEST_SUITE_P(
    Драйверы, ОтказЗапуска,
    ::testing::Values(Отказ{"нет_такого_драйвера", nullptr, ОТКАЗ_ВИДЕО, "нет_такого_драйвера"},
                      Отказ{"dummy", nullptr, "Ошибка: Невозможно создать окно", ""},
                      Отказ{nullptr, nullptr, ОТКАЗ_ВИДЕО, ДРАЙВЕР_БЕЗ_ОКНА},
                      Отказ{nullptr, ":9999", ОТКАЗ_ВИДЕО, ДРАЙВЕР_БЕЗ_ОКНА}));

struct СлучайНастроек {
    const char* текст;
    zyr::types::ПараметрыОкна ожидаемые;
};

class ПараметрыИзНастроек : public ::testing::TestWithParam<СлучайНастроек> {};

TEST_P(ПараметрыИзНастроек, СтроятсяКакПриЗапускеДвижка) {
    zyr::nastroyki_zyr::НастройкиZyr настройки;
    настройки.прочитать_настройки(GetParam().текст);
    const auto п = zyr::okno::параметры_окна_из_настроек(настройки);
    const auto& о = GetParam().ожидаемые;
    EXPECT_EQ(std::tie(п.ширина, п.высота, п.флаги, п.синхронизация, п.режим_desktop, п.имя, п.id_окна),
              std::tie(о.ширина, о.высота, о.флаги, о.синхронизация, о.режим_desktop, о.имя, о.id_окна));
}

INSTANTIATE_TEST_SUITE_P(
    Файлы, ПараметрыИзНастроек,
    ::testing::Values(
        СлучайНастроек{"", {800, 600, 0, 1, 1, "Тест ZYR", 0}},
        СлучайНастроек{"размеры_окна = [1024, 768, 5]\nсинхронизация_экрана = 0\nимя_окна = Игра",
                       {1024, 768, 0, 0, 1, "Игра", 0}},
        СлучайНастроек{"полный_экран = 1\nрежим_desktop = 0\nсинхронизация_экрана = -1", {800, 600, 1, -1, 0, "Тест ZYR", 0}},
        СлучайНастроек{"размеры_окна = [640]", {800, 600, 0, 1, 1, "Тест ZYR", 0}},
        СлучайНастроек{"размеры_окна = [0, 600]", {800, 600, 0, 1, 1, "Тест ZYR", 0}},
        СлучайНастроек{"размеры_окна = [1024, -768]", {800, 600, 0, 1, 1, "Тест ZYR", 0}},
        СлучайНастроек{"размеры_окна = [-5000000000, 0, 7]", {800, 600, 0, 1, 1, "Тест ZYR", 0}}));

TEST(ПараметрыИзНастроекРазмер, НеположительныйРазмерЗаменяетсяСПредупреждением) {
    zyr::nastroyki_zyr::НастройкиZyr настройки;
    настройки.прочитать_настройки("размеры_окна = [1024, 0]");
    const auto журнал = test_zhurnal::журнал_во_время(
        [&] { zyr::okno::параметры_окна_из_настроек(настройки); }, my_utils::journal::УровниЖурнала::Предупреждение);
    EXPECT_NE(журнал.find("В размеры_окна ширина или высота не больше нуля: окно 800x600"), std::string::npos) << журнал;
}

TEST(ПараметрыИзНастроекОтказ, ЧислоВнеТридцатиДвухБитОтвергается) {
    for (const char* текст : {"размеры_окна = [5000000000, 600]", "полный_экран = -1", "режим_desktop = 3000000000"}) {
        zyr::nastroyki_zyr::НастройкиZyr настройки;
        настройки.прочитать_настройки(текст);
        EXPECT_THROW(zyr::okno::параметры_окна_из_настроек(настройки), окно::ОкноИсключение) << текст;
    }
}
