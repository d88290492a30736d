// The state switcher and the game's event pass through SDL's own event queue (no
// window, no engine manager), with states that record their calls. Also built
// under AddressSanitizer: handlers remove and replace themselves while they run.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "src/sobytija.hpp"
#include "src/sostojanie.hpp"

namespace {

using namespace sostojanie;
using Записи = std::vector<std::string>;

// Writes "<имя> <call>" for each call; binds one handler to each of its event
// types, which writes "<имя> событие" and runs при_событии.
class Запись : public Состояние {
public:
    Запись(std::string имя, std::shared_ptr<Записи> записи, std::vector<Uint32> типы)
        : имя(std::move(имя)), записи_(std::move(записи)), типы_(std::move(типы)) {}

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
        return Состояние::обновление_сцены(dt);
    }
    void сохранить(РезультатКадра результат) { задать_результат(std::move(результат)); }

    const std::string имя;
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
    void записать(const char* что) { записи_->push_back(имя + " " + что); }

    std::shared_ptr<Записи> записи_;
    std::vector<Uint32> типы_;
};

class Переключатель : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override {
        переключатель.reset();
        sobytija::события_игры.reset();
        SDL_Quit();
    }

    std::shared_ptr<Запись> состояние(const std::string& имя, std::vector<Uint32> типы = {}) {
        return создать_состояние<Запись>(имя, записи, std::move(типы));
    }
    // A new switcher with the named states pushed, bottom first; their calls so far forgotten.
    std::vector<std::shared_ptr<Запись>> стопка(const Записи& имена, std::vector<Uint32> типы = {}) {
        переключатель.reset();
        переключатель = std::make_unique<ПереключательСостояний>();
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
        for (const auto& с : переключатель->стек()) имена.push_back(std::static_pointer_cast<Запись>(с)->имя);
        return имена;
    }

    static void положить(Uint32 тип, SDL_Keycode клавиша = 0) {
        SDL_Event событие{};
        событие.type = тип;
        событие.key.keysym.sym = клавиша;
        ASSERT_EQ(SDL_PushEvent(&событие), 1) << SDL_GetError();
    }
    static bool проход() { return sobytija::события_игры->обработка(); }

    std::shared_ptr<Записи> записи = std::make_shared<Записи>();
    std::unique_ptr<ПереключательСостояний> переключатель;
};

// Three frames with the top state's stored result. The state below has stored
// Выйти too: only the reset of its result on resumption keeps it on the stack.
// A last state left this way sets the forced exit: the next pass ends the loop
// without taking the event waiting in the queue.
TEST_F(Переключатель, ВерхнееСостояниеУходитОдинРазЛибоДобавляетНесомоеСостояние) {
    struct Случай {
        Записи стек;
        ТипРезультата тип;
        bool с_состоянием;
        Записи остаток;
        Записи вызовы;
    };
    for (const auto& [стек, тип, с_состоянием, остаток, вызовы] : std::vector<Случай>{
             {{"низ", "верх"}, ТипРезультата::Выйти, false, {"низ"},
              {"верх кадр", "верх закрыть", "низ возобновить", "низ кадр", "низ кадр"}},
             {{"низ", "верх"}, ТипРезультата::Добавить, false, {"низ", "верх"}, {"верх кадр", "верх кадр", "верх кадр"}},
             {{"низ", "верх"}, ТипРезультата::Добавить, true, {"низ", "верх", "новое"},
              {"верх кадр", "верх пауза", "новое кадр", "новое кадр"}},
             {{"верх"}, ТипРезультата::Выйти, false, {}, {"верх кадр", "верх закрыть"}}}) {
        SCOPED_TRACE(testing::Message() << стек.size() << static_cast<int>(тип) << с_состоянием);
        auto состояния = стопка(стек);
        for (const auto& с : состояния) с->сохранить(РезультатКадра(ТипРезультата::Выйти));
        состояния.back()->сохранить(РезультатКадра(тип, с_состоянием ? состояние("новое") : nullptr));
        for (int кадр = 0; кадр < 3; ++кадр) переключатель->обновление_сцены(0.016f);
        EXPECT_EQ(имена_стека(), остаток);
        EXPECT_EQ(*записи, вызовы);
        положить(SDL_KEYUP, SDLK_a);
        EXPECT_EQ(проход(), остаток.empty());
        EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), остаток.empty() ? 1 : 0);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}

// Esc releases and then a click in one pass; the click's own handler counts it,
// unless a handler answered true first and the rest of the pass was dropped.
TEST_F(Переключатель, КаждыйEscОставляетВерхнееСостояние) {
    struct Случай {
        Записи стек;
        int нажатий;
        bool ответ;
        Записи вызовы;
    };
    for (const auto& [стек, нажатий, ответ, вызовы] : std::vector<Случай>{
             {{}, 1, true, {}},
             {{"А", "Б", "В"}, 2, false, {"В закрыть", "Б возобновить", "Б закрыть", "А возобновить"}},
             {{"А", "Б"}, 3, true, {"Б закрыть", "А возобновить", "А закрыть"}}}) {
        SCOPED_TRACE(нажатий);
        const auto состояния = стопка(стек);
        int щелчков = 0;
        sobytija::события_игры->зарегистрировать_функцию1(SDL_MOUSEBUTTONUP, [&щелчков](SDL_Event) {
            ++щелчков;
            return false;
        });
        for (int i = 0; i < нажатий; ++i) положить(SDL_KEYUP, SDLK_ESCAPE);
        положить(SDL_MOUSEBUTTONUP);
        EXPECT_EQ(проход(), ответ);
        EXPECT_EQ(*записи, вызовы);
        EXPECT_EQ(щелчков, ответ ? 0 : 1);
    }
}

TEST_F(Переключатель, ОбработчикСнявшийИлиЗаменившийСебяДоработываетНаСвоейКопии) {
    стопка({});
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
    состояния.pop_back();
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, (Записи{"верх событие", "новое закрыть", "верх закрыть", "низ возобновить"}));
    EXPECT_TRUE(новое.expired());

    записи->clear();
    положить(SDL_MOUSEBUTTONUP);
    положить(SDL_MOUSEMOTION);
    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, Записи{"низ событие"});
}

TEST_F(Переключатель, НеДобавленноеСостояниеЗакрываетсяЗаменойРезультатаИлиПотерейВладельца) {
    const auto меню = стопка({"меню"})[0];
    const auto первое = состояние("первое");
    меню->сохранить(РезультатКадра(ТипРезультата::Добавить, первое));
    // A second button in the same event overrides the first.
    меню->сохранить(РезультатКадра(ТипРезультата::Выйти));
    EXPECT_FALSE(первое->открыто());

    // A pushed state stays open whatever happens to the result below it.
    const auto второе = состояние("второе");
    меню->сохранить(РезультатКадра(ТипРезультата::Добавить, второе));
    переключатель->обновление_сцены(0.016f);
    меню->сохранить(РезультатКадра{});
    EXPECT_TRUE(второе->открыто());

    // A state nobody keeps is closed through its own закрыть, which unbinds it.
    записи->clear();
    состояние("брошенное", {SDL_MOUSEBUTTONUP});
    положить(SDL_MOUSEBUTTONUP);
    EXPECT_FALSE(проход());
    EXPECT_EQ(*записи, Записи{"брошенное закрыть"});
}

// States still on the stack are closed when the switcher goes; one whose закрыть
// throws (here: the event handler is already gone) must not end the process.
TEST_F(Переключатель, РазрушениеПереключателяПереживаетНеЗакрывшеесяСостояние) {
    стопка({"низ", "верх"}, {SDL_MOUSEMOTION});
    sobytija::события_игры.reset();
    переключатель.reset();
    EXPECT_EQ(*записи, (Записи{"верх закрыть", "низ закрыть"}));
}

}  // namespace
