// Lays out the ready game folder: the settings files, a flat "ресурсы" with every
// image, mesh, skeleton, font, object and panel description, and "ресурсы/данные"
// with the level files and the plane path. Everything binary is generated here,
// deterministically, from the text sources under data/.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "tools/generator/cifry.hpp"
#include "tools/generator/modeli.hpp"
#include "tools/generator/paneli.hpp"
#include "tools/generator/tekstury.hpp"
#include "tools/generator/uroven.hpp"
#include "tools/generator/vzryv.hpp"
#include "tools/generator/zemlja.hpp"
#include "tools/pisatel.hpp"

namespace fs = std::filesystem;
using namespace generator;

namespace {

class Сборка {
public:
    Сборка(fs::path данные, fs::path шрифт, fs::path игра)
        : данные_(std::move(данные)), шрифт_(std::move(шрифт)), игра_(std::move(игра)), ресурсы_(игра_ / "ресурсы") {}

    void выполнить() {
        проверить_источники();
        // Only the resource folder is cleared: a journal left by a run stays.
        fs::remove_all(ресурсы_);
        fs::create_directories(ресурсы_ / "данные");
        копировать_тексты();
        картинки();
        меши();
        std::ofstream(игра_ / ".сборка") << "собрано igra_generator\n";
    }

private:
    void проверить_источники() const {
        for (const fs::path& п : {данные_ / "настройки.cfg", данные_ / "настройки_zyr.cfg", данные_ / "объекты",
                                  данные_ / "панели", данные_ / "уровни", данные_ / "путь_самолёта.csv", шрифт_}) {
            if (!fs::exists(п)) throw std::runtime_error("нет источника " + п.string());
        }
    }

    static void копировать(const fs::path& из, const fs::path& в) {
        fs::copy_file(из, в, fs::copy_options::overwrite_existing);
    }

    // Copies the files of a source folder that have the extension.
    static void копировать_папку(const fs::path& из, const fs::path& в, std::string_view расширение) {
        for (const fs::directory_entry& e : fs::directory_iterator(из)) {
            if (e.is_regular_file() && e.path().extension() == расширение) копировать(e.path(), в / e.path().filename());
        }
    }

    void копировать_тексты() {
        копировать(данные_ / "настройки.cfg", игра_ / "настройки.cfg");
        копировать(данные_ / "настройки_zyr.cfg", игра_ / "настройки_zyr.cfg");
        копировать_папку(данные_ / "объекты", ресурсы_, ".ob");
        копировать_папку(данные_ / "панели", ресурсы_, ".ip");
        копировать_папку(данные_ / "уровни", ресурсы_ / "данные", ".txt");
        копировать(данные_ / "путь_самолёта.csv", ресурсы_ / "данные" / "путь_самолёта.csv");
        копировать(шрифт_, ресурсы_ / шрифт_.filename());
    }

    void картинка(const std::string& имя, const Холст& х, bool с_прозрачностью) const {
        х.сохранить_png((ресурсы_ / (имя + ".png")).string(), с_прозрачностью);
    }

    void картинки() {
        // The grounds take the longest and share nothing: painted side by side.
        std::vector<std::future<void>> земли;
        for (int n = 1; n <= УРОВНЕЙ; ++n) {
            земли.push_back(std::async(std::launch::async, [this, n] {
                картинка(fmt::format("текстура_поле{:03d}", n), текстура_земли(уровень(n)), false);
            }));
        }
        for (int c = 0; c < 6; ++c) {
            картинка(fmt::format("текстура_шарик{}", c + 1), текстура_шарика(c, false), false);
            картинка(fmt::format("текстура_прозрачный_шарик{}", c + 1), текстура_шарика(c, true), true);
        }
        картинка("текстура_палитра", текстура_палитры(), false);
        const std::string ш = шрифт_.string();
        картинка("начальная_заставка_кнопки", атлас_начальной_заставки(ш), true);
        картинка("выбор_уровней_кнопки1", атлас_уровней(1, ш), true);
        картинка("выбор_уровней_кнопки2", атлас_уровней(2, ш), true);
        картинка("начальная_заставка_фон", фон_заставки(), false);
        картинка("начальная_заставка_заголовок", надпись("Шарики", 1024, 256, 170, из_байтов(250, 205, 60), ш, 5), true);
        картинка("выбор_уровней_заголовок", надпись("Выбор уровня", 1024, 128, 84, из_байтов(250, 205, 60), ш, 4), true);
        картинка("статистика_пауза", надпись("Пауза", 512, 128, 96, из_байтов(255, 240, 200), ш, 4), true);
        картинка("статистика_подсказка",
                 надпись("мышь — навести,  левая кнопка — выстрел,  правая — сменить цвет,  "
                         "Пробел — пауза,  M — самолёт,  Esc — выход",
                         2048, 128, 56, {1, 1, 1, 0.85f}, ш, 3),
                 true);
        картинка("подсказка_продолжить", надпись("Пробел, Enter или щелчок мыши — дальше", 1024, 64, 40, {1, 1, 1, 1}, ш, 2),
                 true);
        картинка("конец_игры_надпись", надпись("Игра окончена", 1024, 256, 150, из_байтов(235, 60, 45), ш, 5), true);
        картинка("победа_надпись", надпись_победы(ш), true);
        картинка("победа_рамка", рамка_победы(), true);
        картинка("победа_доска", доска_победы(), true);
        картинка("затемнение", затемнение(), true);
        for (auto& з : земли) з.get();
    }

    Уровень уровень(int n) const {
        return прочитать_уровень((данные_ / "уровни" / fmt::format("поле{:02d}.txt", n)).string());
    }

    static pisatel::ДанныеМеша данные_меша(const Геометрия& г, const std::string& имя) {
        std::string ошибка = проверить(г);
        if (!ошибка.empty()) throw std::runtime_error("меш " + имя + ": " + ошибка);
        return {г.позиции, г.текстурные, г.нормали, г.индексы};
    }

    void меш(const std::string& имя, const Геометрия& г) const {
        pisatel::записать(ресурсы_ / (имя + ".me"), pisatel::меш_версии_1(данные_меша(г, имя)));
    }

    void меши() {
        меш("шарик", модель_шарика());
        for (int d = 0; d <= 9; ++d) меш(fmt::format("цифра_{}", d), модель_цифры(d));
        const std::pair<const char*, std::function<Геометрия()>> модели[] = {
            {"основание", модель_основания},   {"индикатор", модель_индикатора},
            {"лафет", модель_лафета},          {"ось", модель_оси},
            {"колесо", модель_колеса},         {"дуло", модель_дула},
            {"луч", модель_луча},              {"пауза", модель_паузы},
            {"назад", модель_назад},           {"прицел", модель_прицела},
            {"бомба", модель_бомбы},           {"микросамолётик", модель_микросамолётика},
            {"горшок", модель_горшка},         {"писсуар", модель_писсуара},
            {"унитаз", модель_унитаза},        {"бонус_основа", модель_основы_бонуса},
            {"самолёт", модель_самолёта},      {"винт", модель_винта},
            {"авиабомба", модель_авиабомбы},
        };
        for (const auto& [имя, построить] : модели) меш(имя, построить());
        for (int n = 1; n <= УРОВНЕЙ; ++n) меш(fmt::format("Поле{:03d}", n), модель_земли(уровень(n)));

        ГеометрияСоСкелетом взрыв = модель_взрыва();
        pisatel::записать(ресурсы_ / "взрыв.me",
                          pisatel::меш_версии_2(данные_меша(взрыв.геометрия, "взрыв"), взрыв.группы, взрыв.веса));
        ДанныеСкелета скелет = скелет_взрыва();
        pisatel::записать(ресурсы_ / "взрыв.sk", pisatel::скелет(скелет.кости, скелет.анимации));
    }

    fs::path данные_, шрифт_, игра_, ресурсы_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: igra_generator DATA_FOLDER FONT_FILE GAME_FOLDER\n");
        return 2;
    }
    try {
        Сборка(argv[1], argv[2], argv[3]).выполнить();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "igra_generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
