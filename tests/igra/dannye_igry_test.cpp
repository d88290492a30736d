// The built game folder as the game reads it: both settings files parse without a
// failed key, every level loads with the level reader and its paths build inside
// the ring round the cannon, and the plane path reads with the plane's reader.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "src/nastroiki.hpp"
#include "src/pole.hpp"
#include "src/put.hpp"
#include "src/samolet.hpp"
#include "support/support.hpp"
#include "zyr/nastroyki_zyr.hpp"

namespace {

const std::filesystem::path ПАПКА_ИГРЫ = std::filesystem::path(IGRA_BINARY_DIR) / "game";

float радиус(const zyr::vector::Вектор3& p) { return std::sqrt(p.x * p.x + p.z * p.z); }

class ПапкаИгры : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(std::filesystem::exists(ПАПКА_ИГРЫ / "настройки.cfg")) << "build target igra_game"; }
};

}  // namespace

TEST_F(ПапкаИгры, ФайлыНастроекЧитаютсяБезОшибок) {
    test_support::РабочаяПапка рабочая(ПАПКА_ИГРЫ);
    nastroiki::НастройкиИгры игра;
    EXPECT_TRUE(игра.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК));
    EXPECT_TRUE(игра.ошибочные_переменные().empty());
    EXPECT_EQ(игра.ресурсы(), std::vector<std::string>{"ресурсы"});
    EXPECT_EQ(игра.данные(), "ресурсы/данные/");
    EXPECT_EQ(игра.скорости().size(), 11u);
    EXPECT_TRUE(std::filesystem::is_directory(игра.ресурсы()[0]));

    zyr::nastroyki_zyr::НастройкиZyr движок;
    EXPECT_TRUE(движок.прочитать_настройки_из_файла(zyr::nastroyki_zyr::ФАЙЛ_НАСТРОЕК));
    EXPECT_TRUE(движок.ошибочные_переменные().empty());
    EXPECT_EQ(движок.размеры_окна().size(), 2u);
}

class УровеньИгры : public testing::TestWithParam<int> {};

TEST_P(УровеньИгры, ЧитаетсяИПутиСтроятсяВКольцеВокругПушки) {
    ASSERT_TRUE(std::filesystem::exists(ПАПКА_ИГРЫ / "настройки.cfg"));
    test_support::РабочаяПапка рабочая(ПАПКА_ИГРЫ);
    nastroiki::НастройкиИгры настройки;
    настройки.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК);
    pole::Данные д = pole::загрузка_файла(GetParam(), настройки.данные());
    ASSERT_GE(д.количество_путей, 1);
    ASSERT_EQ(д.вершины.size(), static_cast<std::size_t>(д.количество_путей));
    EXPECT_GE(д.унитазы.size(), 2u);
    for (std::size_t п = 0; п < д.вершины.size(); ++п) {
        SCOPED_TRACE(п);
        const auto& вершины = д.вершины[п];
        ASSERT_GE(вершины.size(), 4u);
        put::Путь путь(вершины, д.разрывы[п]);
        ASSERT_TRUE(путь.живой());
        EXPECT_EQ(путь.length(), вершины.size() - 1);
        // Entrance and exit lie outside every gap: balls are seen coming and going.
        EXPECT_TRUE(путь.сегмент_не_в_разрыве(1));
        EXPECT_TRUE(путь.сегмент_не_в_разрыве(static_cast<std::uint32_t>(путь.length() - 1)));
        for (std::size_t i = 1; i < вершины.size(); ++i) {
            EXPECT_GE(радиус(вершины[i]), 25.0f);
            EXPECT_LE(радиус(вершины[i]), 170.0f);
            EXPECT_NEAR(вершины[i].y, 4.667f, 1e-3f);
        }
        EXPECT_LE(радиус(вершины[0]), 200.0f);
        // A shot's ray across the middle of the field finds the path.
        EXPECT_FALSE(путь.сетка().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Двенадцать, УровеньИгры, testing::Range(1, 13));

TEST_F(ПапкаИгры, ПутьСамолётаЧитаетсяТройкамиЧисел) {
    // The plane reads its path relative to the game folder; a failure would put the
    // built-in path in its place without a word.
    test_support::РабочаяПапка папка(ПАПКА_ИГРЫ);
    EXPECT_NO_THROW(samolet::загрузка_файла());
}
