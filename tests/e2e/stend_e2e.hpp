// The stand of the end-to-end scenarios: the built program igra in a fresh copy
// of the game folder, under its own X server from xvfb-run, driven with xdotool
// and watched through ImageMagick's import; its journal, standard output and
// standard error are read after it has ended.
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
    // The centre of the named element in window pixels (from the top left).
    std::array<int, 2> центр(const std::string& элемент) const;

private:
    struct Элемент;
    std::vector<Элемент> элементы_;
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

    // Starts igra in the copy and waits for its window.
    void запустить();
    // Waits for igra to end and returns how.
    Завершение дождаться_конца(Секунды предел = 30s);
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
    // A panel of the built game folder (the copies share its resources) in the 800 x 600 window.
    static ПанельНаЭкране панель(const std::string& имя);

    // xdotool in the game's X server; positions are window pixels from the top left.
    void указатель(int x, int y);
    void указатель(const std::array<int, 2>& точка) { указатель(точка[0], точка[1]); }
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

    static constexpr int ШИРИНА = 800;
    static constexpr int ВЫСОТА = 600;

private:
    void xdotool(const std::vector<std::string>& аргументы);
    std::string выполнить_в_X(const std::vector<std::string>& аргументы);
    void остановить_всё();

    std::filesystem::path папка_;
    pid_t xvfb_run_ = -1;
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

}  // namespace test_e2e
