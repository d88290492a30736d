// The shared set-up of the game's logic tests (no window): default game settings,
// the seeded random generator, an engine manager over the built game's resources
// (or over chosen folders), the game's material tables, and the journal written
// to a private file that a test can read back. Every test of game logic derives
// from СтендИгры instead of building its own world.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "my_utils/journal.hpp"
#include "support/support.hpp"
#include "zyr/istochnik_resursov.hpp"
#include "zyr/mesto.hpp"

namespace put {
class Путь;
}

namespace test_stend {

// The game folder that the build lays out, and its resource folder.
std::filesystem::path папка_игры();
std::filesystem::path ресурсы_игры();

// Copies the named files (by file name) from the built game's resources into папка,
// so that a test can run over a resource folder that lacks the rest.
void скопировать_ресурсы(const std::filesystem::path& папка, const std::vector<std::string>& файлы);

class СтендИгры : public testing::Test {
protected:
    // The seed that SetUp gives the generator.
    static constexpr std::uint32_t ЗЕРНО = 20261208;

    // Settings back to their defaults, the generator seeded with ЗЕРНО, the journal
    // started at Информация, the manager made over каталоги() with an empty scene
    // root, and the game's module state as at program start:
    // - sharik: both material tables filled for this manager, no action kind forbidden;
    // - shariki: the colour counters 0 and живые_цвета empty, количество_выползающих_шаров
    //   0 (the first chain a test builds sets it), both ball pools empty, no live
    //   action balls, every action state inactive, neither a short nor a refused
    //   speed list reported yet;
    // - samolet: no pooled bomb; vzryv: no live or pooled explosion.
    // The object counter nastroiki::новый_номер runs on across tests: rely on
    // numbers being unique, not on their values.
    void SetUp() override;
    // Empties the game's module state (pooled balls leave the scene) and releases the manager.
    void TearDown() override;

    // The resource folders the manager scans; the built game's resources by default.
    virtual std::vector<std::filesystem::path> каталоги() const { return {ресурсы_игры()}; }

    // Reads settings lines ("ключ = значение", one a line) over the defaults.
    void настроить(std::string_view строки);
    // Restarts the journal at the given general level; earlier records are dropped.
    void журнал_с_уровнем(my_utils::journal::УровниЖурнала уровень);
    // Ends the journal and returns the whole file; records written later are lost
    // until журнал_с_уровнем starts it again.
    std::string журнал();

    // The manager's scene root.
    std::shared_ptr<zyr::mesto::Место> корень() const;

private:
    test_support::ВременнаяПапка папка_журнала_;
    std::optional<zyr::istochnik_resursov::ЗаменаИсточникаРесурсов> замена_;
};

// The stand in an 800 x 600 window with its OpenGL context, opened before the
// manager is made and closed after it is released, for tests that draw.
class СтендИгрыВОкне : public СтендИгры {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A stand over a private resource folder that holds only the files a test puts
// there (with скопировать_ресурсы or its own), for the cases with missing resources.
class СтендБезРесурсов : public СтендИгры {
protected:
    std::vector<std::filesystem::path> каталоги() const override { return {ресурсы_.путь()}; }
    const std::filesystem::path& ресурсы() const { return ресурсы_.путь(); }

private:
    test_support::ВременнаяПапка ресурсы_;
};

// A winding path on the ground from (-300, 0, 0) through the origin, then
// сегментов random segments 2 to 40 long, each turned by up to ±поворот radians
// from the one before; segment номер_нулевого has length 0.
std::shared_ptr<put::Путь> извилистый_путь(unsigned затравка, int сегментов, float поворот, int номер_нулевого);

// Counts the occurrences of образец in текст.
std::size_t сколько_раз(std::string_view текст, std::string_view образец);

}  // namespace test_stend
