#include "stend_e2e.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <nlohmann/json.hpp>

#include "support/support.hpp"

namespace test_e2e {

namespace fs = std::filesystem;
using Часы = std::chrono::steady_clock;

namespace {

const fs::path ИГРА = IGRA_PROGRAMMA;
const fs::path ПАПКА_ИГРЫ = fs::path(IGRA_BINARY_DIR) / "game";
const fs::path ПРОГОНЫ = fs::path(IGRA_BINARY_DIR) / "tests" / "e2e";

// Colour distance allowed between the window and the texture: filtering and
// rounding move a channel by a few steps, a different picture by far more.
constexpr int ДОПУСК_ЦВЕТА = 24;
// The widest spread of a channel over the texels under a sample point for it to count.
constexpr int ПЛОСКО = 64;

// fork and exec with the extra environment (the stand's own variables less the
// names in убрать), the working folder and the two output files; the child leads
// a process group of its own, so that what is left of a failed run can be
// stopped as a whole.
pid_t запустить_процесс(const std::vector<std::string>& аргументы, const std::vector<std::string>& среда,
                        const fs::path& папка, const fs::path& вывод, const fs::path& ошибки, int* труба = nullptr,
                        const std::vector<std::string>& убрать = {}) {
    std::vector<char*> argv;
    for (const auto& а : аргументы) argv.push_back(const_cast<char*>(а.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> вся_среда(среда);
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view переменная = *e;
        const auto имя = переменная.substr(0, переменная.find('='));
        if (std::find(убрать.begin(), убрать.end(), имя) == убрать.end()) вся_среда.emplace_back(переменная);
    }
    std::vector<char*> envp;
    for (const auto& е : вся_среда) envp.push_back(const_cast<char*>(е.c_str()));
    envp.push_back(nullptr);

    int канал[2] = {-1, -1};
    if (труба != nullptr && pipe(канал) != 0) throw std::runtime_error("pipe");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        setpgid(0, 0);
        if (!папка.empty() && chdir(папка.c_str()) != 0) _exit(126);
        const int nul = open("/dev/null", O_RDONLY);
        dup2(nul, 0);
        if (труба != nullptr) {
            dup2(канал[1], 1);
            close(канал[0]);
            close(канал[1]);
        } else if (!вывод.empty()) {
            dup2(open(вывод.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        }
        if (!ошибки.empty()) dup2(open(ошибки.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (труба != nullptr) {
        close(канал[1]);
        *труба = канал[0];
    }
    return pid;
}

// The exit code, or 128 + the signal; -1 while it runs.
int ждать_процесс(pid_t pid, Секунды предел) {
    const auto конец = Часы::now() + std::chrono::duration_cast<Часы::duration>(предел);
    for (;;) {
        int статус = 0;
        const pid_t r = waitpid(pid, &статус, WNOHANG);
        if (r == pid) return WIFEXITED(статус) ? WEXITSTATUS(статус) : 128 + WTERMSIG(статус);
        if (r < 0 || Часы::now() >= конец) return -1;
        std::this_thread::sleep_for(20ms);
    }
}

std::string прочитать_если_есть(const fs::path& файл) {
    return fs::exists(файл) ? test_support::прочитать_файл(файл) : std::string{};
}

void дописать(const fs::path& файл, std::string_view строки) {
    std::ofstream поток(файл, std::ios::app | std::ios::binary);
    поток << '\n' << строки << '\n';
}

}  // namespace

// ---- Снимок ----

std::array<std::uint8_t, 4> Снимок::пиксель(int x, int y) const {
    const auto i = static_cast<std::size_t>((y * ширина + x) * 4);
    return {пиксели.at(i), пиксели.at(i + 1), пиксели.at(i + 2), пиксели.at(i + 3)};
}

int Снимок::различия(const Снимок& другой, int x0, int y0, int x1, int y1) const {
    int различных = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const auto а = пиксель(x, y);
            const auto б = другой.пиксель(x, y);
            if (а[0] != б[0] || а[1] != б[1] || а[2] != б[2]) ++различных;
        }
    }
    return различных;
}

namespace {

// An image file as RGBA rows from the top.
Снимок прочитать_картинку(const fs::path& файл) {
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> исходная(IMG_Load(файл.c_str()), SDL_FreeSurface);
    if (!исходная) throw std::runtime_error("не читается " + файл.string() + ": " + IMG_GetError());
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> rgba(
        SDL_ConvertSurfaceFormat(исходная.get(), SDL_PIXELFORMAT_RGBA32, 0), SDL_FreeSurface);
    if (!rgba) throw std::runtime_error("не переводится в RGBA " + файл.string());
    Снимок картинка;
    картинка.ширина = rgba->w;
    картинка.высота = rgba->h;
    картинка.пиксели.resize(static_cast<std::size_t>(rgba->w * rgba->h * 4));
    for (int y = 0; y < rgba->h; ++y) {
        const auto* ряд = static_cast<const std::uint8_t*>(rgba->pixels) + static_cast<std::ptrdiff_t>(y) * rgba->pitch;
        std::copy_n(ряд, rgba->w * 4, картинка.пиксели.begin() + static_cast<std::ptrdiff_t>(y) * rgba->w * 4);
    }
    return картинка;
}

}  // namespace

// ---- ПанельНаЭкране ----

struct ПанельНаЭкране::Элемент {
    std::string имя;
    // Window pixels, from the top left.
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    std::array<double, 4> текстурные{0, 0, 1, 1};  // u_left, v_top, u_right, v_bottom
    Снимок картинка;
    bool корень = false;
};

ПанельНаЭкране::ПанельНаЭкране(const fs::path& ресурсы, const std::string& имя, int ширина, int высота) {
    const auto описание = nlohmann::json::parse(test_support::прочитать_файл(ресурсы / (имя + ".ip")));
    // Unit-square rectangles nest: each is placed in its parent's rectangle, y measured up.
    const std::function<void(const nlohmann::json&, double, double, double, double, int)> обойти =
        [&](const nlohmann::json& элементы, double px, double py, double pw, double ph, int глубина) {
            for (const auto& о : элементы) {
                const auto к = о.at("координаты");
                const double x = px + к.at(0).get<double>() * pw;
                const double y = py + к.at(1).get<double>() * ph;
                const double w = к.at(2).get<double>() * pw;
                const double h = к.at(3).get<double>() * ph;
                if (о.contains("текстура")) {
                    Элемент э;
                    э.имя = о.at("имя").get<std::string>();
                    э.x0 = x * ширина;
                    э.x1 = (x + w) * ширина;
                    э.y0 = (1.0 - y - h) * высота;
                    э.y1 = (1.0 - y) * высота;
                    if (о.contains("координаты_текстуры")) {
                        for (std::size_t i = 0; i < 4; ++i) э.текстурные[i] = о["координаты_текстуры"].at(i).get<double>();
                    }
                    э.картинка = прочитать_картинку(ресурсы / (о.at("текстура").get<std::string>() + ".png"));
                    э.корень = глубина == 0;
                    элементы_.push_back(std::move(э));
                }
                if (о.contains("элементы")) обойти(о["элементы"], x, y, w, h, глубина + 1);
            }
        };
    const auto к = описание.at("координаты");
    обойти(описание.at("элементы"), к.at(0).get<double>(), к.at(1).get<double>(), к.at(2).get<double>(),
           к.at(3).get<double>(), 0);
}

ПанельНаЭкране::~ПанельНаЭкране() = default;
ПанельНаЭкране::ПанельНаЭкране(ПанельНаЭкране&&) noexcept = default;

double ПанельНаЭкране::совпадение(const Снимок& снимок) const {
    return доля_совпадений(снимок, [](const Элемент& э) { return !э.корень; });
}

double ПанельНаЭкране::совпадение(const Снимок& снимок, const std::string& элемент, const ПикселиСнимка& кроме) const {
    if (std::none_of(элементы_.begin(), элементы_.end(), [&](const Элемент& э) { return э.имя == элемент; }))
        throw std::runtime_error("в панели нет элемента " + элемент);
    return доля_совпадений(снимок, [&](const Элемент& э) { return э.имя == элемент; }, кроме);
}

double ПанельНаЭкране::доля_совпадений(const Снимок& снимок, const std::function<bool(const Элемент&)>& брать,
                                       const ПикселиСнимка& кроме) const {
    constexpr int СЕТКА = 32;
    int проверено = 0;
    int совпало = 0;
    for (const auto& э : элементы_) {
        if (!брать(э)) continue;
        const auto& к = э.картинка;
        const auto [u0, v0, u1, v1] = э.текстурные;
        // Texels a window pixel spans, plus one for filtering.
        const int окрестность = 1 + static_cast<int>(std::ceil(std::max(std::abs(u1 - u0) * к.ширина / (э.x1 - э.x0),
                                                                        std::abs(v1 - v0) * к.высота / (э.y1 - э.y0))));
        for (int i = 0; i < СЕТКА; ++i) {
            for (int j = 0; j < СЕТКА; ++j) {
                const double fx = (i + 0.5) / СЕТКА;
                const double fy = (j + 0.5) / СЕТКА;
                const int x = static_cast<int>(э.x0 + fx * (э.x1 - э.x0));
                const int y = static_cast<int>(э.y0 + fy * (э.y1 - э.y0));
                const int tx = std::clamp(static_cast<int>((u0 + (u1 - u0) * fx) * к.ширина), 0, к.ширина - 1);
                const int ty = std::clamp(static_cast<int>((v0 + (v1 - v0) * fy) * к.высота), 0, к.высота - 1);
                std::array<int, 3> мин{255, 255, 255};
                std::array<int, 3> макс{0, 0, 0};
                int прозрачность = 255;
                for (int dy = -окрестность; dy <= окрестность; ++dy) {
                    for (int dx = -окрестность; dx <= окрестность; ++dx) {
                        const auto т = к.пиксель(std::clamp(tx + dx, 0, к.ширина - 1), std::clamp(ty + dy, 0, к.высота - 1));
                        for (std::size_t c = 0; c < 3; ++c) {
                            мин[c] = std::min<int>(мин[c], т[c]);
                            макс[c] = std::max<int>(макс[c], т[c]);
                        }
                        прозрачность = std::min<int>(прозрачность, т[3]);
                    }
                }
                // Where a texel that filtering reaches is transparent or half so, the
                // window shows what lies under the element mixed in.
                if (прозрачность < 250) continue;
                // Only where the picture is nearly flat is the expected colour certain.
                if (макс[0] - мин[0] > ПЛОСКО || макс[1] - мин[1] > ПЛОСКО || макс[2] - мин[2] > ПЛОСКО) continue;
                const auto п = снимок.пиксель(std::clamp(x, 0, снимок.ширина - 1), std::clamp(y, 0, снимок.высота - 1));
                if (кроме && кроме(п)) continue;
                bool подходит = true;
                for (std::size_t c = 0; c < 3; ++c) {
                    подходит = подходит && п[c] + ДОПУСК_ЦВЕТА >= мин[c] && п[c] <= макс[c] + ДОПУСК_ЦВЕТА;
                }
                ++проверено;
                if (подходит) ++совпало;
            }
        }
    }
    return проверено == 0 ? 0.0 : static_cast<double>(совпало) / проверено;
}

std::array<int, 2> ПанельНаЭкране::центр(const std::string& имя) const {
    for (const auto& э : элементы_) {
        if (э.имя == имя) return {static_cast<int>((э.x0 + э.x1) / 2), static_cast<int>((э.y0 + э.y1) / 2)};
    }
    throw std::runtime_error("в панели нет элемента " + имя);
}

// ---- ИграE2E ----

void ИграE2E::SetUp() {
    const auto* тест = testing::UnitTest::GetInstance()->current_test_info();
    папка_ = ПРОГОНЫ / (std::string(тест->test_suite_name()) + "." + тест->name());
    fs::remove_all(папка_);
    fs::create_directories(папка_.parent_path());
    ASSERT_TRUE(fs::exists(ИГРА)) << ИГРА;
    fs::copy(ПАПКА_ИГРЫ, папка_, fs::copy_options::recursive);
    fs::create_directories(папка_ / "снимки");
    настроить_игру("общий_уровень = \"Информация\"");
    настроить_движок("размеры_окна = [800, 600]\nполный_экран = 0");
}

void ИграE2E::TearDown() {
    остановить_всё();
    if (HasFailure() || std::getenv("IGRA_E2E_OSTAVIT")) {
        std::cout << "Папка прогона (журнал, вывод, снимки): " << папка_ << std::endl;
    } else {
        fs::remove_all(папка_);
    }
}

void ИграE2E::настроить_игру(std::string_view строки) { дописать(папка_ / "настройки.cfg", строки); }
void ИграE2E::настроить_движок(std::string_view строки) { дописать(папка_ / "настройки_zyr.cfg", строки); }

std::string Уровень::текст() const {
    // The height every path of the shipped levels has: a ball's centre on the ground.
    constexpr float ВЫСОТА = 4.667f;
    std::ostringstream т;
    т << "количество_путей=" << пути.size() << "\n\n";
    for (std::size_t i = 0; i < пути.size(); ++i) {
        т << "вершины " << i << "\n";
        for (const auto& в : пути[i]) т << в.x << ',' << -в.z << ',' << ВЫСОТА << '\n';
        т << '\n';
    }
    for (std::size_t i = 0; i < пути.size(); ++i) т << "разрывы " << i << "\n\n";
    т << "унитазы\n";
    for (const auto& у : унитазы) т << у.x << ',' << -у.z << '\n';
    т << '\n';
    return т.str();
}

void ИграE2E::записать_уровень(int номер, const Уровень& уровень) {
    char имя[32];
    std::snprintf(имя, sizeof имя, "поле%02d.txt", номер);
    std::ofstream(папка_ / "ресурсы" / "данные" / имя, std::ios::binary | std::ios::trunc) << уровень.текст();
}

void ИграE2E::запустить() {
    // The shell writes the display, its authority file and its own pid, which
    // igra takes over through exec, for the stand's xdotool, import and kill.
    const std::string сценарий =
        "printf '%s\\n%s\\n%s\\n' \"$DISPLAY\" \"$XAUTHORITY\" $$ > дисплей.tmp && mv дисплей.tmp дисплей && "
        "exec \"$0\" > вывод.txt 2> ошибки.txt";
    // xvfb-run -a tries the display numbers up from its start, ten at most, and
    // then runs the program with no server at all: scenarios started together
    // would all begin at the same number, so each begins at its own (-n before
    // -a: xvfb-run takes its options in order).
    const std::string первый_дисплей = std::to_string(1000 + getpid() % 9000);
    // An X server resets when its last client leaves and drops the connections
    // being opened meanwhile: the stand's own xdotool calls come and go while igra
    // connects, so the server must not reset. SDL is held to X11: otherwise a failed
    // connection would leave the game running off screen, with no window to find.
    ведущий_ = запустить_процесс(
        {"xvfb-run", "-n", первый_дисплей, "-a", "-s", "-screen 0 1024x768x24 -noreset", "sh", "-c", сценарий,
         ИГРА.string()},
        {"LIBGL_ALWAYS_SOFTWARE=1", "SDL_VIDEODRIVER=x11"}, папка_, папка_ / "xvfb.txt", папка_ / "xvfb.txt");

    const auto предел = Часы::now() + 30s;
    while (!fs::exists(папка_ / "дисплей")) {
        if (ждать_процесс(ведущий_, 0s) >= 0 || Часы::now() > предел) {
            FAIL() << "xvfb-run не запустил игру: " << прочитать_если_есть(папка_ / "xvfb.txt");
        }
        std::this_thread::sleep_for(50ms);
    }
    std::istringstream поток(test_support::прочитать_файл(папка_ / "дисплей"));
    std::string pid;
    std::getline(поток, дисплей_);
    std::getline(поток, xauthority_);
    std::getline(поток, pid);
    игра_ = static_cast<pid_t>(std::stoi(pid));

    // The window is the one igra's process owns (SDL sets its _NET_WM_PID).
    while (окно_.empty()) {
        if (!работает() || Часы::now() > предел) FAIL() << "нет окна игры; ошибки: " << ошибки();
        std::istringstream найдено(выполнить_в_X({"xdotool", "search", "--onlyvisible", "--pid", pid}));
        std::string id;
        while (найдено >> id) окно_ = id;
        if (окно_.empty()) std::this_thread::sleep_for(100ms);
    }
    std::istringstream геометрия(выполнить_в_X({"xdotool", "getwindowgeometry", "--shell", окно_}));
    for (std::string строка; std::getline(геометрия, строка);) {
        if (строка.rfind("X=", 0) == 0) окно_x_ = std::stoi(строка.substr(2));
        if (строка.rfind("Y=", 0) == 0) окно_y_ = std::stoi(строка.substr(2));
    }
    // Keys go to the window with the input focus; there is no window manager to give it.
    xdotool({"windowfocus", окно_});
    // Xvfb starts the pointer at the screen's centre, over a button of the start screen.
    указатель(20, 20);
}

void ИграE2E::запустить_без_X(const std::string& дисплей) {
    std::vector<std::string> среда;
    if (!дисплей.empty()) среда.push_back("DISPLAY=" + дисплей);
    игра_ = ведущий_ = запустить_процесс({ИГРА.string()}, среда, папка_, папка_ / "вывод.txt", папка_ / "ошибки.txt",
                                         nullptr, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
}

bool ИграE2E::работает() {
    if (завершение_.завершилась || ведущий_ < 0) return false;
    const int код = ждать_процесс(ведущий_, 0s);
    if (код < 0) return true;
    завершение_ = {true, код};
    return false;
}

Завершение ИграE2E::дождаться_конца(Секунды предел) {
    if (!завершение_.завершилась && ведущий_ >= 0) {
        const int код = ждать_процесс(ведущий_, предел);
        if (код >= 0) завершение_ = {true, код};
    }
    return завершение_;
}

void ИграE2E::закрыть_окно() {
    ASSERT_TRUE(работает()) << ошибки();
    послать_сигнал(SIGTERM);
    const auto конец = дождаться_конца();
    ASSERT_TRUE(конец.завершилась);
    EXPECT_EQ(конец.код, 0) << ошибки();
}

void ИграE2E::к_выбору_уровней() {
    ASSERT_NO_FATAL_FAILURE(запустить());
    ASSERT_NO_FATAL_FAILURE(ждать_панель(заставка));
    клавиша("Return");
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор));
}

void ИграE2E::начать_уровень(int номер) {
    ASSERT_NO_FATAL_FAILURE(к_выбору_уровней());
    char кнопка[64];
    std::snprintf(кнопка, sizeof кнопка, "выбор_уровня.кнопка_поле%03d", номер);
    указатель(выбор.центр(кнопка));
    щелчок();
    ASSERT_NO_FATAL_FAILURE(ждать_панель(выбор, false));
}

void ИграE2E::послать_сигнал(int сигнал) {
    ASSERT_GT(игра_, 0);
    kill(игра_, сигнал);
}

void ИграE2E::остановить_всё() {
    if (!работает()) return;
    // igra first: xvfb-run, when igra runs under it, then stops its X server and
    // tidies up as usual.
    if (игра_ > 0) kill(игра_, SIGKILL);
    if (ждать_процесс(ведущий_, 10s) < 0) {
        kill(-ведущий_, SIGKILL);
        ждать_процесс(ведущий_, 5s);
    }
}

std::string ИграE2E::выполнить_в_X(const std::vector<std::string>& аргументы) {
    int труба = -1;
    const pid_t pid = запустить_процесс(аргументы, {"DISPLAY=" + дисплей_, "XAUTHORITY=" + xauthority_}, {}, {},
                                        папка_ / "xdotool.txt", &труба);
    std::string вывод;
    char буфер[4096];
    for (ssize_t n; (n = read(труба, буфер, sizeof буфер)) > 0;) вывод.append(буфер, static_cast<std::size_t>(n));
    close(труба);
    ждать_процесс(pid, 20s);
    return вывод;
}

void ИграE2E::xdotool(const std::vector<std::string>& аргументы) {
    std::vector<std::string> команда{"xdotool"};
    команда.insert(команда.end(), аргументы.begin(), аргументы.end());
    выполнить_в_X(команда);
}

Снимок ИграE2E::снимок(const std::string& имя) {
    const auto файл = папка_ / "снимки" / (std::to_string(++снимков_) + "_" + имя + ".png");
    const std::string область = std::to_string(ШИРИНА) + "x" + std::to_string(ВЫСОТА) + "+" + std::to_string(окно_x_) +
                                "+" + std::to_string(окно_y_);
    // The fastest zlib level: a shot is taken every few tenths of a second while the game draws.
    выполнить_в_X({"import", "-window", "root", "-crop", область, "+repage", "-quality", "10", файл.string()});
    Снимок с = прочитать_картинку(файл);
    EXPECT_EQ(с.ширина, ШИРИНА);
    EXPECT_EQ(с.высота, ВЫСОТА);
    return с;
}

Снимок ИграE2E::ждать_снимка(const std::string& что, const std::function<bool(const Снимок&)>& условие,
                             Секунды предел) {
    const auto конец = Часы::now() + std::chrono::duration_cast<Часы::duration>(предел);
    for (;;) {
        Снимок с = снимок(что);
        if (условие(с)) return с;
        if (Часы::now() > конец || !работает()) {
            ADD_FAILURE() << "не дождались: " << что;
            return с;
        }
        std::this_thread::sleep_for(100ms);
    }
}

void ИграE2E::ждать_панель(const ПанельНаЭкране& панель, bool показана, Секунды предел) {
    double последнее = 0;
    const auto конец = Часы::now() + std::chrono::duration_cast<Часы::duration>(предел);
    for (;;) {
        последнее = панель.совпадение(снимок(показана ? "панель" : "без_панели"));
        if (показана ? последнее >= ПанельНаЭкране::ПАНЕЛЬ_ПОКАЗАНА : последнее <= ПанельНаЭкране::ПАНЕЛЬ_УБРАНА) return;
        if (Часы::now() > конец || !работает()) break;
        std::this_thread::sleep_for(100ms);
    }
    FAIL() << (показана ? "панель не показана" : "панель не ушла") << ", совпадение " << последнее;
}

bool ИграE2E::ждать_в_журнале(const std::string& строка, Секунды предел) {
    const auto конец = Часы::now() + std::chrono::duration_cast<Часы::duration>(предел);
    while (журнал().find(строка) == std::string::npos) {
        if (Часы::now() > конец || !работает()) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

ПанельНаЭкране ИграE2E::панель(const std::string& имя) {
    return ПанельНаЭкране(ПАПКА_ИГРЫ / "ресурсы", имя, ШИРИНА, ВЫСОТА);
}

void ИграE2E::указатель(int x, int y) {
    xdotool({"mousemove", std::to_string(окно_x_ + x), std::to_string(окно_y_ + y)});
}
void ИграE2E::сдвинуть_указатель(int dx, int dy) {
    // "--" lets a negative step through as a number, not an option.
    xdotool({"mousemove_relative", "--", std::to_string(dx), std::to_string(dy)});
}
void ИграE2E::нажать_кнопку_мыши(int кнопка) { xdotool({"mousedown", std::to_string(кнопка)}); }
void ИграE2E::отпустить_кнопку_мыши(int кнопка) { xdotool({"mouseup", std::to_string(кнопка)}); }
void ИграE2E::щелчок(int кнопка) { xdotool({"click", std::to_string(кнопка)}); }
void ИграE2E::клавиша(const std::string& имя) { xdotool({"key", имя}); }

std::string ИграE2E::журнал() const { return прочитать_если_есть(папка_ / "журнал.log"); }
std::string ИграE2E::вывод() const { return прочитать_если_есть(папка_ / "вывод.txt"); }
std::string ИграE2E::ошибки() const { return прочитать_если_есть(папка_ / "ошибки.txt"); }

std::string первый_не_по_порядку(std::string_view текст, const std::vector<std::string>& строки) {
    std::size_t место = 0;
    for (const auto& строка : строки) {
        const auto найдено = текст.find(строка, место);
        if (найдено == std::string_view::npos) return строка;
        место = найдено + строка.size();
    }
    return {};
}

double время_записи(std::string_view журнал, std::string_view строка, std::size_t& место) {
    const auto найдено = журнал.find(строка, место);
    if (найдено == std::string_view::npos) return -1;
    место = найдено + строка.size();
    // A record's line starts with its time stamp in seconds, right-aligned.
    const auto начало_строки = журнал.rfind('\n', найдено);
    const std::string начало(журнал.substr(начало_строки == std::string_view::npos ? 0 : начало_строки + 1, 32));
    try {
        return std::stod(начало);
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace test_e2e
