// The plane and its bombs on the stand, in a private working folder where each test
// writes the trajectory file it needs (or none: the built-in trajectory).
#include <gtest/gtest.h>

#include <filesystem>
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

TEST_F(СамолётНаСтенде, ФайлДаётТочкиИлиВстроеннуюТраекторию) {
    const std::vector<std::pair<std::string, std::vector<Вектор3>>> случаи{
        {"10,20,5\n0,0,0\n", {{10, 5, -20}, {0, 0, 0}}},  // the third column is the height
        {"1,2,3\n4,5,6\n   \n7,8,9\n", {{1, 3, -2}, {4, 6, -5}}},
        {"1,2,3\n1,2,3\n4,5,6\n4,5,6\n4,5,6\n1,2,3", {{1, 3, -2}, {4, 6, -5}, {1, 3, -2}}},
        {"nan,0,0\n1,1,1\n", ВСТРОЕННАЯ},
        {"1,2,3\n0,-inf,0\n", ВСТРОЕННАЯ},
        {"1e30,0,0\n0,0,0\n", ВСТРОЕННАЯ},
        {"1,2,3\n", ВСТРОЕННАЯ},
        {"5,5,5\n5,5,5\n5,5,5\n", ВСТРОЕННАЯ},
        {"0,0,0\n0.0000001,0,0\n", ВСТРОЕННАЯ},
        {"1,2,3,4\n5,6,7,8\n", ВСТРОЕННАЯ},
        {"1,2,3\n4,5,6\n\n\xff\n", ВСТРОЕННАЯ},  // not UTF-8, even after the end
    };
    for (const auto& [текст, точки] : случаи) {
        траектория(текст);
        EXPECT_EQ(Самолёт().траектория(), точки) << текст;
    }
}

TEST_F(СамолётНаСтенде, ВстроенныйПолётКончаетсяЗаТочкой2ИКаждыйРазИдётНовымКурсом) {
    Самолёт самолёт;
    ASSERT_EQ(самолёт.траектория(), ВСТРОЕННАЯ);
    Кватернион курс = самолёт.место_траектории()->получить_ориентацию();
    for (int полёт = 0; полёт < 3; ++полёт) {
        самолёт.убить();
        самолёт.возродить();
        // The last flight ended turned towards point 2; the new one starts unturned.
        EXPECT_TRUE(самолёт.место_самолёта()->получить_ориентацию().equals(Кватернион::НОЛЬ, 1e-6f));
        const Кватернион новый = самолёт.место_траектории()->получить_ориентацию();
        EXPECT_FALSE(новый.equals(курс, 1e-3f)) << "flight " << полёт << " kept the heading";
        EXPECT_NEAR(новый.y_ось().y, 1.0f, 1e-5f) << "a heading turns about Y only";
        курс = новый;
        std::set<std::uint32_t> цели;
        for (int кадр = 0; самолёт.движение(0.1f).летит; ++кадр) {
            ASSERT_LT(кадр, 200);
            цели.insert(самолёт.индекс_цели());
            EXPECT_NEAR(в_сцене(*самолёт.место_самолёта()).y, 30.0f, 1e-4f);
        }
        EXPECT_EQ(цели, (std::set<std::uint32_t>{1, 2}));
        // Ended within one step (1 unit) past point 2.
        const Вектор3 за_точкой = самолёт.позиция() - ВСТРОЕННАЯ[2];
        EXPECT_GT(за_точкой.скалярное_произведение(самолёт.направление()), 0.0f);
        EXPECT_LE(за_точкой.длина(), 1.0f + 1e-4f);
        EXPECT_FALSE(самолёт.место_самолёта()->получить_видимость());
    }
}

TEST_F(СамолётНаСтенде, БомбаПадаетИзПодСамолётаИВзрываетсяЧерез048С) {
    constexpr float dt = 0.01f;
    Самолёт самолёт;
    int кадр_сброса = -1;
    std::uint32_t цель_при_сбросе = 0;
    int взрывов = 0;
    for (int кадр = 0;; ++кадр) {
        const auto итог = самолёт.движение(dt);
        if (!итог.летит) break;
        const Вектор3 где_самолёт = в_сцене(*самолёт.место_самолёта());
        for (const Вектор3& точка : итог.взрывы) {
            ASSERT_GE(кадр_сброса, 0);
            EXPECT_NEAR((кадр - кадр_сброса) * dt, 0.48f, dt / 2);
            EXPECT_LT(точка.y, 2.0f);
            // Unless the plane turned meanwhile, the bomb drifted along right under it.
            if (самолёт.индекс_цели() == цель_при_сбросе) {
                EXPECT_LT(по_земле(точка - где_самолёт).длина(), 1e-3f);
            }
            кадр_сброса = -1;
            ++взрывов;
        }
        if (const auto бомба = новая_бомба(самолёт)) {
            ASSERT_EQ(кадр_сброса, -1) << "a second bomb before the first exploded";
            кадр_сброса = кадр;
            цель_при_сбросе = самолёт.индекс_цели();
            EXPECT_LT((бомба->позиция() - (где_самолёт - Вектор3(0, 5, 0))).длина(), 1e-4f);
        }
    }
    EXPECT_GE(взрывов, 3);
}

// Every segment lasts 4 s, long enough that a drop inside the window is all but certain.
TEST_F(СамолётНаСтенде, БомбыПадаютТолькоНаПутиКПервымТочкам) {
    const std::vector<std::pair<std::uint32_t, std::set<std::uint32_t>>> случаи{
        {3, {1, 2}}, {10, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {11, {1}}, {12, {1, 2}}};
    for (const auto& [точек, цели_сбросов] : случаи) {
        std::string текст;
        for (std::uint32_t i = 0; i < точек; ++i) текст += std::to_string(i * 40) + ",0,20\n";
        траектория(текст);
        Самолёт самолёт;
        std::set<std::uint32_t> цели;
        while (самолёт.движение(0.05f).летит) {
            if (новая_бомба(самолёт)) цели.insert(самолёт.индекс_цели());
        }
        EXPECT_EQ(цели, цели_сбросов) << точек << " точек";
    }
}

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
        EXPECT_EQ(новая_бомба(самолёт) != nullptr, выпадет);
    }
    EXPECT_NEAR(сбросов / 300.0, 0.6, 0.08);
}

TEST_F(СамолётНаСтенде, КаждыйПолётКончается) {
    // Integer points and steps, so that the plane often lands exactly on a point;
    // case 0 lands on point 1 and in the next frame on point 2.
    std::mt19937 г(11);
    std::uniform_int_distribution<int> координата(-3, 3);
    const float шаги[] = {0.05f, 0.1f, 0.2f, 0.3f, 0.5f};
    for (int случай = 0; случай < 300; ++случай) {
        std::string текст = случай == 0 ? "0,0,0\n0,-1,0\n0,-2,0\n" : "";
        for (int i = случай == 0 ? 0 : 2 + г() % 7; i > 0; --i)
            текст += std::to_string(координата(г)) + "," + std::to_string(координата(г)) + "," +
                     std::to_string(координата(г) % 2) + "\n";
        const float dt = случай == 0 ? 0.1f : шаги[г() % std::size(шаги)];
        траектория(текст);
        Самолёт самолёт;
        int кадров = 0;
        while (самолёт.движение(dt).летит) ASSERT_LT(++кадров, 10000) << "случай " << случай << ":\n" << текст;
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

TEST_F(СамолётБезРесурсов, БезОбъектовСамолётЗаканчиваетКаждыйПолётСразуИНеСбрасываетБомб) {
    Самолёт самолёт;
    EXPECT_FALSE(самолёт.живой());
    EXPECT_EQ(корень()->количество_детей(), 0);
    самолёт.убить();
    самолёт.возродить();
    EXPECT_TRUE(самолёт.живой());
    EXPECT_FALSE(самолёт.движение(0.1f).летит);
    EXPECT_FALSE(самолёт.живой());
    // Frames past the drop interval, for a drop draw that succeeds.
    for (int кадр = 0; кадр < 20; ++кадр) EXPECT_TRUE(самолёт.обработка_бомб(0.8f).empty());
    EXPECT_TRUE(самолёт.бомбы().empty());
}

}  // namespace
