#include "support/igra/stend_igry.hpp"

#include <cmath>
#include <random>

#include "src/cifry.hpp"
#include "src/igra.hpp"
#include "src/igrovaja_statistika.hpp"
#include "src/nastroiki.hpp"
#include "src/put.hpp"
#include "src/samolet.hpp"
#include "src/sharik.hpp"
#include "src/shariki.hpp"
#include "src/sluchainost.hpp"
#include "src/sobytija.hpp"
#include "src/vzryv.hpp"
#include "zyr/okno.hpp"
#include "zyr/types.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr.hpp"
#include "zyr/zyr_manager.hpp"

namespace test_stend {

namespace {

// Empties what the game's modules keep between fields, so that each test starts
// as a fresh run would. Each module's state is added here as the module lands.
void сбросить_состояние_игры() {
    // Pooled and registered balls take their nodes out of the scene as they go,
    // so they go while the manager still lives.
    shariki::мёртвые_шары.clear();
    shariki::мёртвые_действующие_шары.clear();
    shariki::живые_действующие_шары.clear();
    shariki::состояния_действий = {};
    shariki::счётчик_цветов = {};
    shariki::живые_цвета.clear();
    shariki::количество_выползающих_шаров = 0;
    shariki::скорости_дополнены = false;
    shariki::скорости_отвергнуты = false;
    sharik::запрещённые_действия = {};
    sharik::материалы_основные.clear();
    sharik::материалы_действующие.clear();
    samolet::мёртвые_бомбы.clear();
    vzryv::живые_взрывы.clear();
    vzryv::мёртвые_взрывы.clear();
    cifry::живые_числа.clear();
    cifry::Число::мёртвые_числа.clear();
    for (auto& пул : cifry::Цифра::мёртвые_цифры) пул.clear();
    cifry::материалы_цифр.clear();
    igrovaja_statistika::игровая_статистика.reset();
    sobytija::события_игры.reset();
}

// Fills the module-level tables the program entry fills at start-up, as it does.
void построить_таблицы_материалов() { igra::построить_таблицы_материалов(); }

}  // namespace

std::filesystem::path папка_игры() { return std::filesystem::path(IGRA_BINARY_DIR) / "game"; }
std::filesystem::path ресурсы_игры() { return папка_игры() / "ресурсы"; }

void скопировать_ресурсы(const std::filesystem::path& папка, const std::vector<std::string>& файлы) {
    for (const auto& файл : файлы) {
        std::filesystem::copy_file(ресурсы_игры() / файл, папка / файл,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

void СтендИгры::SetUp() {
    ASSERT_TRUE(std::filesystem::is_directory(ресурсы_игры())) << "build the target igra_game first";
    nastroiki::настройки.инициализация();
    sluchainost::засеять(ЗЕРНО);
    журнал_с_уровнем(my_utils::journal::УровниЖурнала::Информация);
    замена_.emplace(nullptr);
    std::vector<std::string> папки;
    for (const auto& каталог : каталоги()) папки.push_back(каталог.string());
    zyr::менеджер = zyr::zyr_manager::ZYRМенеджер::создать(папки);
    сбросить_состояние_игры();
    построить_таблицы_материалов();
}

void СтендИгры::TearDown() {
    сбросить_состояние_игры();
    if (zyr::менеджер) zyr::менеджер->начальное_место()->удалить_всех_детей();
    zyr::менеджер.reset();
    замена_.reset();
    my_utils::journal::завершить_журнал();
    nastroiki::настройки.инициализация();
}

void СтендИгры::настроить(std::string_view строки) { nastroiki::настройки.прочитать_настройки(строки); }

void СтендИгры::журнал_с_уровнем(my_utils::journal::УровниЖурнала уровень) {
    my_utils::journal::инициализация_журнала((папка_журнала_ / "журнал.log").string(), уровень, {});
}

std::string СтендИгры::журнал() {
    my_utils::journal::завершить_журнал();
    return test_support::прочитать_файл(папка_журнала_ / "журнал.log");
}

std::shared_ptr<zyr::mesto::Место> СтендИгры::корень() const { return zyr::менеджер->начальное_место(); }

void СтендИгрыВОкне::SetUp() {
    zyr::types::ПараметрыОкна параметры;
    параметры.ширина = 800;
    параметры.высота = 600;
    параметры.имя = "стенд игры";
    ASSERT_TRUE(zyr::zavisimost::okno_SDL2::инициализация_окна_SDL_GL(параметры));
    СтендИгры::SetUp();
}

void СтендИгрыВОкне::TearDown() {
    СтендИгры::TearDown();
    zyr::okno::закрыть_окно();
}

std::shared_ptr<put::Путь> извилистый_путь(unsigned затравка, int сегментов, float поворот, int номер_нулевого) {
    using zyr::vector::Вектор3;
    std::mt19937 г(затравка);
    std::vector<Вектор3> вершины{{-300, 0, 0}, {0, 0, 0}};
    float угол = 0.0f;
    for (int i = 0; i < сегментов; ++i) {
        угол += std::uniform_real_distribution<float>(-поворот, поворот)(г);
        const float длина = i == номер_нулевого ? 0.0f : std::uniform_real_distribution<float>(2.0f, 40.0f)(г);
        вершины.push_back(вершины.back() + Вектор3{std::cos(угол), 0.0f, std::sin(угол)} * длина);
    }
    return std::make_shared<put::Путь>(вершины, std::vector<put::Разрыв>{});
}

std::size_t сколько_раз(std::string_view текст, std::string_view образец) {
    std::size_t раз = 0;
    for (auto место = текст.find(образец); место != std::string_view::npos; место = текст.find(образец, место + 1)) {
        ++раз;
    }
    return раз;
}

}  // namespace test_stend
