// The plane and its bombs on the stand, in a private working folder where each test
// writes the trajectory file it needs (or none: the built-in trajectory).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <set>

#include "src/samolet.hpp"
#include "src/sluchainost.hpp"
#include "support/igra/stend_igry.hpp"
#include "zyr/mesto.hpp"

namespace zyr::vector {
static void PrintTo(const Вектор3& v, std::ostream* поток) { *поток << v.toString(); }
}  // namespace zyr::vector

namespace {

using samolet::АвиаБомба;
using samolet::Самолёт;
using samolet::мёртвые_бомбы;
using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

const std::vector<Вектор3>& ВСТРОЕННАЯ = samolet::ВСТРОЕННАЯ_ТРАЕКТОРИЯ;

Вектор3 в_сцене(const zyr::mesto::Место& место) { return место.получить_унаследованную_матрицу().Позиция(); }

Вектор3 по_земле(Вектор3 v) { return {v.x, 0.0f, v.z}; }

// The bomb dropped in the last frame, if any: it has not fallen yet.
std::shared_ptr<АвиаБомба> новая_бомба(const Самолёт& самолёт) {
    const auto& бомбы = самолёт.бомбы();
    return !бомбы.empty() && бомбы.back()->время_падения() == 0.0f ? бомбы.back() : nullptr;
}

class СамолётНаСтенде : public test_stend::СтендИгры {
protected:
    void траектория(std::string_view текст) {
        std::filesystem::create_directories(папка_ / "ресурсы/данные");
        test_support::записать_файл(папка_ / samolet::ФАЙЛ_ТРАЕКТОРИИ, текст);
    }

    test_support::ВременнаяПапка папка_;
    test_support::РабочаяПапка рабочая_{папка_.путь()};
};

struct СлучайФайла {
    const char* название;
    std::string текст;
    std::vector<Вектор3> точки;  // the built-in trajectory when the file fails
};

void PrintTo(const СлучайФайла& с, std::ostream* поток) { *поток << с.название; }

class ФайлТраектории : public СамолётНаСтенде, public testing::WithParamInterface<СлучайФайла> {};

TEST_P(ФайлТраектории, ДаётТочкиИлиВстроеннуюТраекторию) {
    траектория(GetParam().текст);
    EXPECT_EQ(Самолёт().траектория(), GetParam().точки);
}

INSTANTIATE_TEST_SUITE_P(
    Случаи, ФайлТраектории,
    testing::Values(
        СлучайФайла{"ВтораяКолонкаПротивZТретьяВысота", "10,20,5\n0,0,0\n", {{10, 5, -20}, {0, 0, 0}}},
        СлучайФайла{"СтрокаИзПробеловКончаетФайл", "1,2,3\n4,5,6\n   \n7,8,9\n", {{1, 3, -2}, {4, 6, -5}}},
        СлучайФайла{"ПовторыПодрядОтбрасываются", "1,2,3\n1,2,3\n4,5,6\n4,5,6\n4,5,6\n1,2,3",
                    {{1, 3, -2}, {4, 6, -5}, {1, 3, -2}}},
        СлучайФайла{"NaN", "nan,0,0\n1,1,1\n", ВСТРОЕННАЯ},
        СлучайФайла{"Бесконечность", "1,2,3\n0,-inf,0\n", ВСТРОЕННАЯ},
        СлучайФайла{"ЧислоВнеПределов", "1e30,0,0\n0,0,0\n", ВСТРОЕННАЯ},
        СлучайФайла{"ОднаТочка", "1,2,3\n", ВСТРОЕННАЯ},
        СлучайФайла{"ОднаТочкаПовторена", "5,5,5\n5,5,5\n5,5,5\n", ВСТРОЕННАЯ},
        СлучайФайла{"ТочкиБлижеМиллионной", "0,0,0\n0.0000001,0,0\n", ВСТРОЕННАЯ},
        СлучайФайла{"ПустаяПерваяСтрока", "\n1,2,3\n4,5,6\n", ВСТРОЕННАЯ},
        СлучайФайла{"ДваЗначения", "1,2,3\n4,5\n", ВСТРОЕННАЯ},
        СлучайФайла{"ЧетыреЗначения", "1,2,3,4\n5,6,7,8\n", ВСТРОЕННАЯ},
        СлучайФайла{"НеUTF8ДажеПослеКонца", "1,2,3\n4,5,6\n\n\xff\n", ВСТРОЕННАЯ}));

TEST_F(СамолётНаСтенде, ЗагрузкаНазываетПричинуОтказа) {
    const auto сообщение = [] {
        try {
            samolet::загрузка_файла();
        } catch (const std::exception& ошибка) {
            return std::string(ошибка.what());
        }
        return std::string("загрузилось");
    };
    EXPECT_EQ(сообщение(), "Не найден файл ресурсы/данные/путь_самолёта.csv");
    траектория("0,0,0\n1,1,1\n\n\xc0\x80");
    EXPECT_EQ(сообщение(), "Файл ресурсы/данные/путь_самолёта.csv не читается!");
    траектория("0,0,0\n1,1,1\n1,1,1\n");
    EXPECT_EQ(сообщение(), "загрузилось");
    EXPECT_EQ(test_stend::сколько_раз(журнал(), "Траектория самолёта загружена! Количество сегментов = 2"), 1u);
}

TEST_F(СамолётНаСтенде, ВстроенныйПолётКончаетсяЗаТочкой2ИКаждыйРазИдётНовымКурсом) {
    Самолёт самолёт;
    ASSERT_EQ(самолёт.траектория(), ВСТРОЕННАЯ);
    самолёт.убить();
    std::vector<Кватернион> курсы;
    for (int полёт = 0; полёт < 3; ++полёт) {
        самолёт.возродить();
        курсы.push_back(самолёт.место_траектории()->получить_ориентацию());
        std::set<std::uint32_t> цели;
        for (int кадр = 0; самолёт.движение(0.1f).летит; ++кадр) {
            ASSERT_LT(кадр, 200);
            цели.insert(самолёт.индекс_цели());
            EXPECT_NEAR(в_сцене(*самолёт.место_самолёта()).y, 30.0f, 1e-4f);
            // Still short of point 2 while flying.
            if (самолёт.индекс_цели() == 2) {
                EXPECT_GE(самолёт.направление().скалярное_произведение(ВСТРОЕННАЯ[2] - самолёт.позиция()), 0.0f);
            }
        }
        EXPECT_EQ(цели, (std::set<std::uint32_t>{1, 2}));
        EXPECT_FALSE(самолёт.живой());
        EXPECT_FALSE(самолёт.место_самолёта()->получить_видимость());
        const Вектор3 за_точкой = самолёт.позиция() - ВСТРОЕННАЯ[2];
        EXPECT_GT(за_точкой.скалярное_произведение(самолёт.направление()), 0.0f);
        EXPECT_LE(за_точкой.длина(), 1.0f + 1e-4f);
    }
    for (std::size_t i = 0; i < курсы.size(); ++i) {
        EXPECT_NEAR(курсы[i].y_ось().y, 1.0f, 1e-5f) << "a heading turns about Y only";
        if (i > 0) {
            EXPECT_FALSE(курсы[i].equals(курсы[i - 1], 1e-3f)) << "flight " << i << " kept the heading";
        }
    }
}

TEST_F(СамолётНаСтенде, БомбаПадаетИзПодСамолётаИВзрываетсяЧерез048С) {
    constexpr float dt = 0.01f;
    Самолёт самолёт;
    struct Падение {
        Вектор3 начало;
        Вектор3 самолёт;
        std::uint32_t цель = 0;
        int кадр = 0;
    };
    std::optional<Падение> падение;
    int взрывов = 0;
    for (int кадр = 0;; ++кадр) {
        const auto итог = самолёт.движение(dt);
        if (!итог.летит) break;
        const Вектор3 где_самолёт = в_сцене(*самолёт.место_самолёта());
        for (const Вектор3& точка : итог.взрывы) {
            ASSERT_TRUE(падение);
            EXPECT_NEAR((кадр - падение->кадр) * dt, 0.48f, dt / 2);
            EXPECT_LT(точка.y, 2.0f);
            EXPECT_GT(точка.y, 1.5f);
            // The bomb drifts along the plane's course at the plane's speed.
            EXPECT_NEAR(по_земле(точка - падение->начало).длина(), 4.8f, 0.05f);
            if (самолёт.индекс_цели() == падение->цель) {
                const Вектор3 снос = по_земле(точка - падение->начало) - по_земле(где_самолёт - падение->самолёт);
                EXPECT_LT(снос.длина(), 1e-3f);
            }
            падение.reset();
            ++взрывов;
        }
        if (const auto бомба = новая_бомба(самолёт)) {
            ASSERT_FALSE(падение) << "a second bomb before the first exploded";
            падение = Падение{где_самолёт - Вектор3(0, 5, 0), где_самолёт, самолёт.индекс_цели(), кадр};
            EXPECT_LT((бомба->позиция() - падение->начало).длина(), 1e-4f);
            EXPECT_EQ(бомба->место()->получить_родителя(), корень());
            EXPECT_TRUE(бомба->место()->получить_видимость());
        }
    }
    EXPECT_GE(взрывов, 3);
}

struct СлучайОкна {
    std::uint32_t точек = 0;
    std::set<std::uint32_t> цели_сбросов;
};

void PrintTo(const СлучайОкна& с, std::ostream* поток) { *поток << с.точек << " точек"; }

class ОкноСброса : public СамолётНаСтенде, public testing::WithParamInterface<СлучайОкна> {};

// Every segment lasts 4 s, long enough that a drop inside the window is all but certain.
TEST_P(ОкноСброса, БомбыПадаютТолькоНаПутиКПервымТочкам) {
    std::string текст;
    for (std::uint32_t i = 0; i < GetParam().точек; ++i) текст += std::to_string(i * 40) + ",0,20\n";
    траектория(текст);
    Самолёт самолёт;
    std::set<std::uint32_t> цели;
    while (самолёт.движение(0.05f).летит) {
        if (новая_бомба(самолёт)) цели.insert(самолёт.индекс_цели());
    }
    EXPECT_EQ(цели, GetParam().цели_сбросов);
}

INSTANTIATE_TEST_SUITE_P(Случаи, ОкноСброса,
                         testing::Values(СлучайОкна{3, {1, 2}}, СлучайОкна{10, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
                                         СлучайОкна{11, {1}}, СлучайОкна{12, {1, 2}}));

TEST_F(СамолётНаСтенде, КадрВ08СекундыСбрасываетСВероятностью06ИначеЖдёт035) {
    Самолёт самолёт;
    int попыток = 0;
    int сбросов = 0;
    while (попыток < 300) {
        if (!самолёт.живой()) самолёт.возродить();
        // The draw the frame will make, taken ahead and put back.
        const std::mt19937 состояние = sluchainost::генератор();
        const bool выпадет = sluchainost::равномерное(0.0f, 1.0f) < 0.6f;
        sluchainost::генератор() = состояние;
        if (!самолёт.движение(0.8f).летит) continue;
        ++попыток;
        сбросов += выпадет;
        EXPECT_EQ(самолёт.таймер_сброса(), выпадет ? 0.0f : 0.35f);
        // The bomb of the frame before has exploded within 0.8 s.
        EXPECT_EQ(самолёт.бомбы().size(), выпадет ? 1u : 0u);
        EXPECT_EQ(новая_бомба(самолёт) != nullptr, выпадет);
    }
    EXPECT_NEAR(сбросов / 300.0, 0.6, 0.08);
}

TEST_F(СамолётНаСтенде, КаждыйПолётКончается) {
    // Integer points and steps, so that the plane often lands exactly on a point.
    std::mt19937 г(11);
    std::uniform_int_distribution<int> координата(-3, 3);
    std::uniform_int_distribution<int> точек(2, 8);
    const float шаги[] = {0.05f, 0.1f, 0.2f, 0.3f, 0.5f};
    for (int случай = 0; случай < 300; ++случай) {
        std::string текст;
        float dt = 0.1f;
        if (случай == 0) {
            // Lands on point 1 and in the next frame on point 2.
            текст = "0,0,0\n0,-1,0\n0,-2,0\n";
        } else {
            for (int i = точек(г); i > 0; --i)
                текст += std::to_string(координата(г)) + "," + std::to_string(координата(г)) + "," +
                         std::to_string(координата(г) % 2) + "\n";
            dt = шаги[г() % std::size(шаги)];
        }
        траектория(текст);
        Самолёт самолёт;
        const auto& т = самолёт.траектория();
        float длина = 0.0f;
        for (std::size_t i = 1; i < т.size(); ++i) длина += (т[i] - т[i - 1]).длина();
        const float шаг = dt * samolet::СКОРОСТЬ;
        const int предел = static_cast<int>(длина / шаг) + 3 * static_cast<int>(т.size()) + 5;
        int кадров = 0;
        while (самолёт.движение(dt).летит) ASSERT_LE(++кадров, предел) << "случай " << случай << ":\n" << текст;
    }
}

TEST_F(СамолётНаСтенде, ПослеОчисткиКорняБомбаИзПулаСноваВСценеАСамолётУдаляетсяБезОшибок) {
    {
        Самолёт самолёт;
        while (мёртвые_бомбы.empty()) {
            if (!самолёт.живой()) самолёт.возродить();
            самолёт.движение(0.8f);
        }
        корень()->удалить_всех_детей();  // the field closes before its plane goes
    }
    const auto бомба = мёртвые_бомбы.front();
    ASSERT_EQ(бомба->место()->получить_родителя(), nullptr);
    std::string имя;
    {
        Самолёт самолёт;
        имя = самолёт.имя();
        ASSERT_NE(корень()->получить_ребёнка("место_траектории_" + имя), nullptr);
        while (самолёт.бомбы().empty()) {
            if (!самолёт.живой()) самолёт.возродить();
            самолёт.движение(0.8f);
        }
        EXPECT_EQ(самолёт.бомбы().front(), бомба);
        EXPECT_EQ(бомба->место()->получить_родителя(), корень());
        EXPECT_TRUE(бомба->место()->получить_видимость());
        EXPECT_TRUE(бомба->живой());
    }
    EXPECT_EQ(корень()->получить_ребёнка("место_траектории_" + имя), nullptr);
    EXPECT_NE(корень()->получить_ребёнка(бомба->место()->получить_имя()), nullptr);
}

class СамолётБезРесурсов : public test_stend::СтендБезРесурсов {};

TEST_F(СамолётБезРесурсов, БезОбъектовСамолётЗаканчиваетПолётСразуАБомбаВзрываетсяНевидимой) {
    {
        Самолёт самолёт;
        EXPECT_FALSE(самолёт.живой());
        EXPECT_EQ(самолёт.место_траектории(), nullptr);
        EXPECT_EQ(корень()->количество_детей(), 0);
        самолёт.убить();
        самолёт.возродить();
        EXPECT_TRUE(самолёт.живой());
        const auto итог = самолёт.движение(0.1f);
        EXPECT_FALSE(итог.летит);
        EXPECT_TRUE(итог.взрывы.empty());
        EXPECT_FALSE(самолёт.живой());
    }
    АвиаБомба бомба({0, 30, 0}, {1, 0, 0}, Кватернион::НОЛЬ);
    EXPECT_FALSE(бомба.живой());
    EXPECT_EQ(бомба.место()->получить_родителя(), корень());
    EXPECT_EQ(бомба.место()->количество_объектов(), 0);
    int кадров = 1;
    for (; !бомба.движение(0.01f); ++кадров) ASSERT_LT(кадров, 100);
    EXPECT_EQ(кадров, 48);
    EXPECT_NEAR(бомба.позиция().x, 4.8f, 1e-3f);
    EXPECT_FALSE(бомба.место()->получить_видимость());
    EXPECT_EQ(test_stend::сколько_раз(журнал(), "Проблемы с созданием авиабомбы"), 1u);
}

}  // namespace
