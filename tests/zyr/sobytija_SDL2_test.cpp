// Event dispatch through SDL's own event queue: no window, only SDL_INIT_EVENTS.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "zyr/zavisimost/sobytija_SDL2.hpp"

namespace {

using namespace zyr::zavisimost::sobytija_SDL2;

class СобытияSDL : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }

    static void положить(SDL_Event событие) { ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError(); }
    static void положить_тип(Uint32 тип) {
        SDL_Event событие{};
        событие.type = тип;
        положить(событие);
    }
    static void положить_клавишу(Uint32 тип, SDL_Keycode код) {
        SDL_Event событие{};
        событие.type = тип;
        событие.key.keysym.sym = код;
        положить(событие);
    }
    static void положить_событие_окна(Uint8 номер) {
        SDL_Event событие{};
        событие.type = SDL_WINDOWEVENT;
        событие.window.event = номер;
        положить(событие);
    }
    static bool очередь_пуста() { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 0; }
};

// Counts the stub's calls and shows the tables.
class Наблюдаемый : public СтандартныйОбработчикСобытий {
public:
    int вызовов_заглушки = 0;
    bool заглушка(SDL_Event событие) override {
        ++вызовов_заглушки;
        return СтандартныйОбработчикСобытий::заглушка(событие);
    }
    std::vector<std::int32_t> типы() const {
        std::vector<std::int32_t> ключи;
        for (const auto& [тип, _] : функции1) ключи.push_back(тип);
        return ключи;
    }
    std::map<std::int32_t, std::vector<std::int32_t>> пары() const {
        std::map<std::int32_t, std::vector<std::int32_t>> ключи;
        for (const auto& [тип, внутренняя] : функции2)
            for (const auto& [ключ, _] : внутренняя) ключи[тип].push_back(ключ);
        return ключи;
    }

protected:
    Наблюдаемый() = default;
};

TEST_F(СобытияSDL, ПустаяОчередьОтвечаетЛожью) {
    auto обработчик = создать<Наблюдаемый>();
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(обработчик->вызовов_заглушки, 0);
}

TEST_F(СобытияSDL, ВыходСрединыОчередиОтвечаетИстинойИВыбираетОстальныеБезРассылки) {
    auto обработчик = создать<Наблюдаемый>();
    std::vector<std::string> вызовы;
    обработчик->зарегистрировать_функцию2(SDL_KEYDOWN, 'a', [&](SDL_Event) {
        вызовы.push_back("a");
        return false;
    });
    обработчик->зарегистрировать_функцию2(SDL_KEYUP, 'b', [&](SDL_Event) {
        вызовы.push_back("b");
        return false;
    });
    положить_клавишу(SDL_KEYDOWN, 'a');
    положить_тип(SDL_QUIT);
    положить_клавишу(SDL_KEYUP, 'b');
    положить_тип(SDL_USEREVENT);

    EXPECT_TRUE(обработчик->обработка());
    EXPECT_EQ(вызовы, std::vector<std::string>{"a"});
    EXPECT_EQ(обработчик->вызовов_заглушки, 0);
    EXPECT_TRUE(очередь_пуста());
}

TEST_F(СобытияSDL, НеизвестныеКлавишиИТипыУходятВЗаглушку) {
    auto обработчик = создать<Наблюдаемый>();
    положить_клавишу(SDL_KEYUP, 'q');
    положить_клавишу(SDL_KEYDOWN, SDLK_ESCAPE);
    положить_тип(SDL_MOUSEBUTTONUP);
    положить_событие_окна(SDL_WINDOWEVENT_MOVED);
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(обработчик->вызовов_заглушки, 4);
}

TEST_F(СобытияSDL, ОтпусканиеEscЗавершаетСтандартныйОбработчик) {
    auto обработчик = создать<СтандартныйОбработчикСобытий>();
    положить_клавишу(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_FALSE(обработчик->обработка());
    положить_клавишу(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_TRUE(обработчик->обработка());
}

TEST_F(СобытияSDL, КаждыйКлассРегистрируетСвоиФункции) {
    auto обработчик = создать<Наблюдаемый>();
    EXPECT_EQ(обработчик->типы(), (std::vector<std::int32_t>{SDL_QUIT, SDL_WINDOWEVENT, SDL_KEYDOWN, SDL_KEYUP}));
    const std::map<std::int32_t, std::vector<std::int32_t>> пары{
        {SDL_QUIT, {-1}},
        {SDL_WINDOWEVENT, {-1, SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_MINIMIZED}},
        {SDL_KEYDOWN, {-1}},
        {SDL_KEYUP, {-1, SDLK_ESCAPE}},
    };
    EXPECT_EQ(обработчик->пары(), пары);
    EXPECT_FALSE(обработчик->управление_мышью());

    // Minimise and expose are answered without ending the loop, even with no window.
    положить_событие_окна(SDL_WINDOWEVENT_MINIMIZED);
    положить_событие_окна(SDL_WINDOWEVENT_EXPOSED);
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(обработчик->вызовов_заглушки, 0);
}

TEST_F(СобытияSDL, РазрегистрацияТипаУбираетИФункцииЕгоКлавиш) {
    auto обработчик = создать<Наблюдаемый>();
    обработчик->разрегистрировать_функцию1(SDL_KEYUP);
    EXPECT_EQ(обработчик->пары().count(SDL_KEYUP), 0u);
    положить_клавишу(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(обработчик->вызовов_заглушки, 1);

    // A pair function alone is not reached without its type's function.
    обработчик->зарегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE, [](SDL_Event) { return true; });
    положить_клавишу(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_FALSE(обработчик->обработка());

    // Removing a pair of an unknown type, or an unknown key, changes nothing and adds no entry.
    const auto до = обработчик->пары();
    обработчик->разрегистрировать_функцию2(SDL_MOUSEMOTION, 5);
    обработчик->разрегистрировать_функцию2(SDL_KEYDOWN, 5);
    EXPECT_EQ(обработчик->пары(), до);
}

TEST_F(СобытияSDL, ПовторнаяРегистрацияЗаменяетФункцию) {
    auto обработчик = создать<СтандартныйОбработчикСобытий>();
    int первая = 0;
    int вторая = 0;
    обработчик->зарегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE, [&](SDL_Event) { return ++первая, false; });
    обработчик->зарегистрировать_функцию2(SDL_KEYUP, SDLK_ESCAPE, [&](SDL_Event) { return ++вторая, false; });
    обработчик->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&](SDL_Event) { return ++первая, false; });
    обработчик->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&](SDL_Event) { return ++вторая, false; });
    положить_клавишу(SDL_KEYUP, SDLK_ESCAPE);
    положить_тип(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(первая, 0);
    EXPECT_EQ(вторая, 2);
}

// Records the addresses of destroyed copies: a function that finds its own
// capture among them has run on a destroyed function object.
struct Свидетель {
    std::shared_ptr<std::set<const void*>> уничтоженные = std::make_shared<std::set<const void*>>();
    std::string метка = "живой свидетель с длинным текстом, чтобы лежать в куче";
    Свидетель() = default;
    // A copy may be born where an earlier one died.
    Свидетель(const Свидетель& другой) : уничтоженные(другой.уничтоженные), метка(другой.метка) {
        уничтоженные->erase(this);
    }
    ~Свидетель() { уничтоженные->insert(this); }
    bool жив() const { return уничтоженные->count(this) == 0 && метка.size() > 10; }
};

TEST_F(СобытияSDL, ФункцияМожетУбратьИлиЗаменитьСебяВоВремяРаботы) {
    auto обработчик = создать<СтандартныйОбработчикСобытий>();
    Свидетель свидетель;
    std::vector<std::string> итоги;
    auto отметить = [&](const Свидетель& св, const char* что) { итоги.push_back(std::string(что) + (св.жив() ? "+" : "-")); };

    обработчик->зарегистрировать_функцию2(SDL_KEYUP, 'x', [&, свидетель](SDL_Event) {
        обработчик->разрегистрировать_функцию2(SDL_KEYUP, 'x');
        отметить(свидетель, "пара");
        return false;
    });
    обработчик->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&, свидетель](SDL_Event) {
        обработчик->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [](SDL_Event) { return false; });
        отметить(свидетель, "замена");
        return false;
    });
    // A state closing on its own key drops the whole key-up table, dispatcher included.
    обработчик->зарегистрировать_функцию2(SDL_KEYUP, 'y', [&, свидетель](SDL_Event) {
        обработчик->разрегистрировать_функцию1(SDL_KEYUP);
        отметить(свидетель, "тип");
        return false;
    });

    положить_клавишу(SDL_KEYUP, 'x');
    положить_тип(SDL_MOUSEBUTTONUP);
    положить_клавишу(SDL_KEYUP, 'y');
    положить_клавишу(SDL_KEYUP, 'x');
    положить_тип(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(обработчик->обработка());
    EXPECT_EQ(итоги, (std::vector<std::string>{"пара+", "замена+", "тип+"}));
}

// Marks its own destruction in a flag that outlives it.
class Отмечающий : public СтандартныйОбработчикСобытий {
public:
    ~Отмечающий() override { *уничтожен = true; }

protected:
    explicit Отмечающий(std::shared_ptr<bool> флаг) : уничтожен(std::move(флаг)) {}
    std::shared_ptr<bool> уничтожен;
};

TEST_F(СобытияSDL, ОбработчикЖивДоКонцаПроходаКогдаЕгоЗаменили) {
    auto уничтожен = std::make_shared<bool>(false);
    std::shared_ptr<ОбработчикСобытий> установленный = создать<Отмечающий>(уничтожен);
    auto* сам = установленный.get();
    std::vector<bool> жив_при_вызове;
    установленный->зарегистрировать_функцию1(SDL_MOUSEBUTTONDOWN, [&](SDL_Event) {
        установленный = создать<СтандартныйОбработчикСобытий>();
        return false;
    });
    установленный->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&, уничтожен](SDL_Event) {
        жив_при_вызове.push_back(!*уничтожен);
        return false;
    });
    положить_тип(SDL_MOUSEBUTTONDOWN);
    положить_тип(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(сам->обработка());
    EXPECT_EQ(жив_при_вызове, std::vector<bool>{true});
    EXPECT_TRUE(*уничтожен);
}

}  // namespace
