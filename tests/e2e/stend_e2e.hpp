// The stand of the end-to-end scenarios: the built program igra in a fresh copy
// of the game folder, under its own X server from xvfb-run, driven with xdotool
// and watched through ImageMagick's import; its journal, standard output and
// standard error are read after it has ended. A run may also go without any X
// server, to see how the game takes a start with nothing to show its window.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace test_e2e {

using namespace std::chrono_literals;
using Секунды = std::chrono::duration<double>;

// Pixels of the game window, RGBA, rows from the top.
struct Снимок {
    int ширина = 0;
    int высота = 0;
    std::vector<std::uint8_t> пиксели;

    std::array<std::uint8_t, 4> пиксель(int x, int y) const;
    // How many pixels of the rectangle (window pixels, from the top left) differ from другой's.
    int различия(const Снимок& другой, int x0, int y0, int x1, int y1) const;
};

// A shipped info panel as its description places it in the window: every
// textured element with its texture's image, to tell by pixels whether the
// panel is what the window shows.
class ПанельНаЭкране {
public:
    // Reads ресурсы/<имя>.ip of the game folder for a window of that size.
    ПанельНаЭкране(const std::filesystem::path& ресурсы, const std::string& имя, int ширина, int высота);
    ~ПанельНаЭкране();
    ПанельНаЭкране(ПанельНаЭкране&&) noexcept;
    ПанельНаЭкране(const ПанельНаЭкране&) = delete;
    ПанельНаЭкране& operator=(const ПанельНаЭкране&) = delete;

    // The share (0 to 1) of sample points inside the panel's own elements (the
    // root container's picture left out, since screens share it) whose colour
    // in the shot is one the element's texture shows there.
    double совпадение(const Снимок& снимок) const;
    // The same share over the one named element alone, a top-level one too, without
    // the sample points whose pixel in the shot кроме takes (a text drawn over it).
    using ПикселиСнимка = std::function<bool(const std::array<std::uint8_t, 4>&)>;
    double совпадение(const Снимок& снимок, const std::string& элемент, const ПикселиСнимка& кроме = {}) const;
    // A panel counts as shown from this share of matching sample points, and as gone below the lower one.
    static constexpr double ПАНЕЛЬ_ПОКАЗАНА = 0.9;
    static constexpr double ПАНЕЛЬ_УБРАНА = 0.5;

    // The centre of the named element in window pixels (from the top left).
    std::array<int, 2> центр(const std::string& элемент) const;

private:
    struct Элемент;
    double доля_совпадений(const Снимок& снимок, const std::function<bool(const Элемент&)>& брать,
                           const ПикселиСнимка& кроме = {}) const;

    std::vector<Элемент> элементы_;
};

// A point on the ground in the scene's coordinates: x and z.
struct Точка {
    float x = 0;
    float z = 0;
};

// A level as the game reads it: paths (each a lead-in vertex, the entrance, ...,
// the exit segment's end) without gaps, and bonus sites.
struct Уровень {
    std::vector<std::vector<Точка>> пути;
    std::vector<Точка> унитазы;

    // The level file's text: a vertex row holds x, the depth (the scene's −z) and
    // the height of a ball's centre; a site row x and the depth.
    std::string текст() const;
};

// How igra ended: its exit code, or 128 + the signal that killed it (as the shell reports it).
struct Завершение {
    bool завершилась = false;
    int код = -1;

    bool сигнал() const { return завершилась && код >= 128; }
};

// One run of the game. The game folder is copied to build/tests/e2e/<scenario>
// with an 800 x 600 window, not full screen, and the journal at Информация; the
// folder stays when the scenario fails (or with IGRA_E2E_OSTAVIT set), with
// every screenshot taken.
class ИграE2E : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lines appended to the copy's game or engine settings (a later line for a key wins).
    void настроить_игру(std::string_view строки);
    void настроить_движок(std::string_view строки);
    // Writes the level into the copy's ресурсы/данные/, in place of the shipped one of that number.
    void записать_уровень(int номер, const Уровень& уровень);

    // Starts igra in the copy and waits for its window.
    void запустить();
    // Starts igra in the copy with no X server and does not wait for anything: the
    // environment has no DISPLAY, WAYLAND_DISPLAY or SDL_VIDEODRIVER, or DISPLAY
    // set to дисплей, which no server should answer. The end, the journal and the
    // outputs are then read as after запустить().
    void запустить_без_X(const std::string& дисплей = {});
    // Waits for igra to end and returns how.
    Завершение дождаться_конца(Секунды предел = 30s);
    // Closes the window as a window manager would (SDL turns SIGTERM into its quit
    // event) and expects igra to end with status 0, the journal then complete.
    void закрыть_окно();
    // Sends a signal to igra itself (not to xvfb-run).
    void послать_сигнал(int сигнал);
    bool работает();

    // The window's pixels, also saved under снимки/ with a running number and the name.
    Снимок снимок(const std::string& имя);
    // Takes shots until условие holds; fails the test (and returns the last shot)
    // when it does not within предел.
    Снимок ждать_снимка(const std::string& что, const std::function<bool(const Снимок&)>& условие,
                        Секунды предел = 20s);
    // Waits until the window shows the panel, or until no more than half of it
    // is left (показана false); fails the test after предел.
    void ждать_панель(const ПанельНаЭкране& панель, bool показана = true, Секунды предел = 20s);
    // Waits until the journal file holds строка. The journal writes a record at
    // most 0.2 s after it is sent, later only on a loaded machine: this only saves
    // waiting, and the checks read the journal after the end.
    bool ждать_в_журнале(const std::string& строка, Секунды предел);
    // A panel of the built game folder (the copies share its resources) in the 800 x 600 window.
    static ПанельНаЭкране панель(const std::string& имя);

    // xdotool in the game's X server; positions are window pixels from the top left.
    void указатель(int x, int y);
    void указатель(const std::array<int, 2>& точка) { указатель(точка[0], точка[1]); }
    // Moves the pointer by (dx, dy): the motion a game in relative mouse mode sees.
    void сдвинуть_указатель(int dx, int dy);
    void нажать_кнопку_мыши(int кнопка = 1);
    void отпустить_кнопку_мыши(int кнопка = 1);
    void щелчок(int кнопка = 1);
    // A key by its X name ("Return", "Escape", "space", "m").
    void клавиша(const std::string& имя);

    // After the end: the journal, standard output, standard error.
    std::string журнал() const;
    std::string вывод() const;
    std::string ошибки() const;

    const std::filesystem::path& папка() const { return папка_; }

    // From the start screen to the level selection (Enter), and on to a level by
    // its button, until no menu is left in the window.
    void к_выбору_уровней();
    void начать_уровень(int номер);

    ПанельНаЭкране заставка = панель("начальная_заставка");
    ПанельНаЭкране выбор = панель("выбор_уровней");

    static constexpr int ШИРИНА = 800;
    static constexpr int ВЫСОТА = 600;

private:
    void xdotool(const std::vector<std::string>& аргументы);
    std::string выполнить_в_X(const std::vector<std::string>& аргументы);
    void остановить_всё();

    std::filesystem::path папка_;
    // The process the stand waits for: xvfb-run, or igra itself when run without X.
    pid_t ведущий_ = -1;
    pid_t игра_ = -1;
    std::string дисплей_;
    std::string xauthority_;
    std::string окно_;
    int окно_x_ = 0;
    int окно_y_ = 0;
    int снимков_ = 0;
    Завершение завершение_;
};

// Finds the texts one after another in текст; the first one missing, or "" when all are there in that order.
std::string первый_не_по_порядку(std::string_view текст, const std::vector<std::string>& строки);

// The time stamp (seconds from the program's start) of the first journal record
// at or after место whose line holds строка; место is moved past it. Negative when there is none.
double время_записи(std::string_view журнал, std::string_view строка, std::size_t& место);

}  // namespace test_e2e
