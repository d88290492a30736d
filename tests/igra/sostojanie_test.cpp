// The state switcher and the game's event pass through SDL's own event queue (no
// window, no engine manager), with states that record their calls. Also built
// under AddressSanitizer: handlers remove and replace themselves while they run.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "src/sobytija.hpp"
#include "src/sostojanie.hpp"

namespace {

using namespace sostojanie;
using Записи = std::vector<std::string>;

// Writes "<имя> <call>" for each call it gets; binds one handler to each of its
// event types, which writes "<имя> событие" and runs при_событии.
class Запись : public Состояние {
public:
    Запись(std::string имя, std::shared_ptr<Записи> записи, std::vector<Uint32> типы)
        : имя_(std::move(имя)), записи_(std::move(записи)), типы_(std::move(типы)) {}

    void пауза() override { записать("пауза"); }
    void закрыть() override {
        Состояние::закрыть();
        записать("закрыть");
        for (const auto тип : типы_) события().разрегистрировать_функцию1(тип);
    }
    void возобновить() override {
        Состояние::возобновить();
        записать("возобновить");
        _регистрация();
    }
    РезультатКадра обновление_сцены(float dt) override {
        записать("кадр");
        return ответ ? *ответ : Состояние::обновление_сцены(dt);
    }

    void сохранить(РезультатКадра результат) { задать_результат(std::move(результат)); }
    const std::string& имя() const { return имя_; }

    // Returned by every frame instead of the stored result.
    std::optional<РезультатКадра> ответ;
    std::function<void(Запись&)> при_событии;

protected:
    void _регистрация() override {
        for (const auto тип : типы_) события().зарегистрировать_функцию1(тип, обработчик(&Запись::на_событие));
    }

private:
    bool на_событие(SDL_Event) {
        записать("событие");
        if (при_событии) при_событии(*this);
        return false;
    }
    void записать(const char* что) { записи_->push_back(имя_ + " " + что); }

    std::string имя_;
    std::shared_ptr<Записи> записи_;
    std::vector<Uint32> типы_;
};

class Переключатель : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        переключатель = std::make_unique<ПереключательСостояний>();
    }
    void TearDown() override {
        переключатель.reset();
        sobytija::события_игры.reset();
        SDL_Quit();
    }

    std::shared_ptr<Запись> состояние(const std::string& имя, std::vector<Uint32> типы = {}) {
        return создать_состояние<Запись>(имя, записи, std::move(типы));
    }
    // Pushes states named by the words, bottom first, and forgets the calls.
    std::vector<std::shared_ptr<Запись>> стопка(const Записи& имена, std::vector<Uint32> типы = {}) {
        std::vector<std::shared_ptr<Запись>> состояния;
        for (const auto& имя : имена) {
            состояния.push_back(состояние(имя, типы));
            переключатель->добавить_состояние(состояния.back());
        }
        записи->clear();
        return состояния;
    }
    Записи имена_стека() const {
        Записи имена;
        for (const auto& с : переключатель->стек()) имена.push_back(std::static_pointer_cast<Запись>(с)->имя());
        return имена;
    }

    static void положить(Uint32 тип, SDL_Keycode клавиша = 0, Uint8 кнопка = SDL_BUTTON_LEFT) {
        SDL_Event событие{};
        событие.type = тип;
        if (тип == SDL_KEYUP || тип == SDL_KEYDOWN) событие.key.keysym.sym = клавиша;
        else событие.button.button = кнопка;
        ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError();
    }
    static int в_очереди() { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT); }
    static bool проход() { return sobytija::события_игры->обработка(); }

    std::shared_ptr<Записи> записи = std::make_shared<Записи>();
    std::unique_ptr<ПереключательСостояний> переключатель;
};

}  // namespace

// The top state answers each of three frames with one kind of result. The state
// below has stored Выйти: only the reset of its result on resumption keeps it.
struct СлучайКадра {
    const char* название;
    ТипРезультата тип;
    bool с_состоянием;
    Записи стек;
    Записи вызовы;
};

void PrintTo(const СлучайКадра& случай, std::ostream* вывод) { *вывод << случай.название; }

class РезультатыКадра : public Переключатель, public testing::WithParamInterface<СлучайКадра> {};

TEST_P(РезультатыКадра, ПереключательДелаетЧтоПроситВерхнееСостояние) {
    const auto& случай = GetParam();
    auto состояния = стопка({"низ", "верх"});
    состояния[0]->сохранить(РезультатКадра(ТипРезультата::Выйти));
    const auto новое = состояние("новое");
    const РезультатКадра ответ(случай.тип, случай.с_состоянием ? новое : nullptr);
    if (случай.тип == ТипРезультата::Выйти) состояния[1]->сохранить(ответ);
    else состояния[1]->ответ = ответ;

    for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(0.016f);

    EXPECT_EQ(имена_стека(), случай.стек);
    EXPECT_EQ(*записи, случай.вызовы);
    EXPECT_FALSE(sobytija::события_игры->принудительный_выход());
}

const Записи ТРИ_КАДРА_ВЕРХА{"верх кадр", "верх кадр", "верх кадр"};

INSTANTIATE_TEST_SUITE_P(
    Переключатель, РезультатыКадра,
    testing::Values(
        СлучайКадра{"nichego", ТипРезультата::Ничего, false, {"низ", "верх"}, ТРИ_КАДРА_ВЕРХА},
        СлучайКадра{"vyjti_odin_raz",
                    ТипРезультата::Выйти,
                    false,
                    {"низ"},
                    {"верх кадр", "верх закрыть", "низ возобновить", "низ кадр", "низ кадр"}},
        СлучайКадра{"dobavit_bez_sostojanija", ТипРезультата::Добавить, false, {"низ", "верх"}, ТРИ_КАДРА_ВЕРХА},
        СлучайКадра{"dobavit",
                    ТипРезультата::Добавить,
                    true,
                    {"низ", "верх", "новое"},
                    {"верх кадр", "верх пауза", "новое кадр", "новое кадр"}},
        СлучайКадра{"drugoj_tip", static_cast<ТипРезультата>(7), true, {"низ", "верх"}, ТРИ_КАДРА_ВЕРХА}),
    [](const auto& info) { return std::string(info.param.название); });

TEST_F(Переключатель, ПоследнееСостояниеУшедшееПоРезультатуЗавершаетСледующийПроходНеБеряСобытий) {
    auto состояния = стопка({"последнее"});
    состояния[0]->сохранить(РезультатКадра(ТипРезультата::Выйти));
    положить(SDL_KEYUP, SDLK_a);
    EXPECT_FALSE(проход());

    переключатель->обновление_сцены(0.016f);
    EXPECT_TRUE(переключатель->стек().empty());
    положить(SDL_KEYUP, SDLK_a);
    EXPECT_TRUE(проход());
    EXPECT_TRUE(проход());
    EXPECT_EQ(в_очереди(), 1);
}

// Esc releases, then a click, all in one event pass; the click is counted by a
// handler of its own and is dropped once a handler has answered true.
struct СлучайEsc {
    const char* название;
    Записи стек;
    int нажатий;
    bool ответ;
    Записи остаток;
    Записи вызовы;
};

void PrintTo(const СлучайEsc& случай, std::ostream* вывод) { *вывод << случай.название; }

class НажатияEsc : public Переключатель, public testing::WithParamInterface<СлучайEsc> {};

TEST_P(НажатияEsc, КаждоеОставляетВерхнееСостояние) {
    const auto& случай = GetParam();
    const auto состояния = стопка(случай.стек);
    int щелчков = 0;
    sobytija::события_игры->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&щелчков](SDL_Event) {
        ++щелчков;
        return false;
    });
    for (int i = 0; i < случай.нажатий; ++i) положить(SDL_KEYUP, SDLK_ESCAPE);
    положить(SDL_MOUSEBUTTONUP);

    EXPECT_EQ(проход(), случай.ответ);
    EXPECT_EQ(имена_стека(), случай.остаток);
    EXPECT_EQ(*записи, случай.вызовы);
    EXPECT_EQ(щелчков, случай.ответ ? 0 : 1);
    EXPECT_EQ(в_очереди(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Переключатель, НажатияEsc,
    testing::Values(СлучайEsc{"pustoj_stek", {}, 1, true, {}, {}},
                    СлучайEsc{"odno_iz_odnogo", {"А"}, 1, true, {}, {"А закрыть"}},
                    СлучайEsc{"odno_iz_dvuh", {"А", "Б"}, 1, false, {"А"}, {"Б закрыть", "А возобновить"}},
                    СлучайEsc{"dva_iz_tryoh",
                              {"А", "Б", "В"},
                              2,
                              false,
                              {"А"},
                              {"В закрыть", "Б возобновить", "Б закрыть", "А возобновить"}},
                    СлучайEsc{"tri_iz_dvuh", {"А", "Б"}, 3, true, {}, {"Б закрыть", "А возобновить", "А закрыть"}}),
    [](const auto& info) { return std::string(info.param.название); });

TEST_F(Переключатель, ОбработчикСнявшийИлиЗаменившийСебяДоработываетНаСвоейКопии) {
    auto& события = *sobytija::события_игры;
    // Long enough to live on the heap, where a freed handler's capture is caught.
    const std::string хвост(200, '.');
    Записи видели;
    std::vector<std::shared_ptr<Запись>> новые;
    события.зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&события, &видели, метка = "снялся" + хвост](SDL_Event) {
        события.разрегистрировать_функцию1(SDL_MOUSEBUTTONUP);
        видели.push_back(метка);
        return false;
    });
    события.зарегистрировать_функцию1(SDL_MOUSEBUTTONDOWN, [this, &видели, &новые, метка = "заменён" + хвост](SDL_Event) {
        новые.push_back(состояние("новое", {SDL_MOUSEBUTTONDOWN}));
        видели.push_back(метка);
        return false;
    });
    for (const Uint32 тип : {SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONDOWN}) положить(тип);

    EXPECT_FALSE(проход());
    EXPECT_EQ(видели, (Записи{"снялся" + хвост, "заменён" + хвост}));
    EXPECT_EQ(*записи, Записи{"новое событие"});
}

// A click asks for a new state, which binds its handlers at once; Esc in the
// same pass leaves the clicked state before the new one was ever pushed.
TEST_F(Переключатель, EscПослеЩелчкаЗакрываетНеДобавленноеСостояниеДоВозобновленияНижнего) {
    auto состояния = стопка({"низ", "верх"}, {SDL_MOUSEBUTTONUP});
    std::weak_ptr<Состояние> новое;
    состояния[1]->при_событии = [this, &новое](Запись& верх) {
        auto с = состояние("новое", {SDL_MOUSEBUTTONUP, SDL_MOUSEMOTION});
        новое = с;
        верх.сохранить(РезультатКадра(ТипРезультата::Добавить, std::move(с)));
    };
    const std::weak_ptr<Состояние> верх = состояния[1];
    состояния.pop_back();
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_KEYUP, SDLK_ESCAPE);

    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, (Записи{"верх событие", "новое закрыть", "верх закрыть", "низ возобновить"}));
    EXPECT_TRUE(новое.expired());
    EXPECT_TRUE(верх.expired());

    записи->clear();
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_MOUSEMOTION);
    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, Записи{"низ событие"});
}

TEST_F(Переключатель, НеДобавленноеСостояниеЗакрываетсяЗаменойРезультатаИлиПотерейВладельца) {
    auto состояния = стопка({"меню"});
    const auto первое = состояние("первое");
    состояния[0]->сохранить(РезультатКадра(ТипРезультата::Добавить, первое));
    // A second button in the same event overrides the first.
    состояния[0]->сохранить(РезультатКадра(ТипРезультата::Выйти));
    EXPECT_EQ(*записи, Записи{"первое закрыть"});
    EXPECT_FALSE(первое->открыто());

    // A pushed state stays open whatever happens to the result below it.
    записи->clear();
    const auto второе = состояние("второе");
    состояния[0]->сохранить(РезультатКадра(ТипРезультата::Добавить, второе));
    переключатель->обновление_сцены(0.016f);
    состояния[0]->сохранить(РезультатКадра{});
    EXPECT_TRUE(второе->открыто());
    EXPECT_EQ(*записи, (Записи{"меню кадр", "меню пауза"}));

    // A state nobody keeps is closed through its own закрыть, which unbinds it.
    записи->clear();
    состояние("брошенное", {SDL_MOUSEBUTTONUP});
    EXPECT_EQ(*записи, Записи{"брошенное закрыть"});
    положить(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, Записи{"брошенное закрыть"});
}
