// Writes the seed corpora of the fuzzers, one folder each under <folder>: the
// mesh and skeleton files made by the writer, and the shipped text data (settings,
// levels, plane path, object and panel descriptions). The descriptions are
// renamed to the meshes, skeleton and picture of the fuzzers' resource folder, so
// that a seed loads whole and a mutation of it reaches every part of the reader.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "src/nastroiki.hpp"
#include "zatravki.hpp"
#include "zyr/nastroyki_zyr.hpp"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path ДАННЫЕ = IGRA_DATA_DIR;

std::string прочитать(const fs::path& файл) {
    std::ifstream поток(файл, std::ios::binary);
    if (!поток) throw std::runtime_error("не читается " + файл.string());
    return {std::istreambuf_iterator<char>(поток), std::istreambuf_iterator<char>()};
}

// Every key of a record with its default, as a settings file writes it.
template <class Описания>
std::string все_ключи(const Описания& описания) {
    std::string текст;
    for (const auto& о : описания) текст += std::string(о.ключ) + " = " + std::string(о.по_умолчанию) + "\n";
    return текст;
}

void настройки(const fs::path& папка) {
    pisatel::записать(папка / "игра.cfg", прочитать(ДАННЫЕ / "настройки.cfg"));
    pisatel::записать(папка / "движок.cfg", прочитать(ДАННЫЕ / "настройки_zyr.cfg"));
    pisatel::записать(папка / "игра_все.cfg", все_ключи(nastroiki::ОПИСАНИЯ));
    pisatel::записать(папка / "движок_все.cfg", все_ключи(zyr::nastroyki_zyr::ОПИСАНИЯ));
}

void уровни(const fs::path& папка) {
    for (const auto& файл : fs::directory_iterator(ДАННЫЕ / "уровни")) {
        if (файл.path().extension() == ".txt") pisatel::записать(папка / файл.path().filename(), прочитать(файл.path()));
    }
    pisatel::записать(папка / "два_пути.txt",
                      "количество_путей=2\n\nвершины 0\n0,0,0\n50,0,0\n50,50,0\n60,80,0\n\nвершины 1\n\"1.5\",-2e1,3\n"
                      "-40,10,0\n-40,90,0\n\nразрывы 0\n1,2\n\nразрывы 1\n2,0\n\nунитазы\n20,-20\n");
}

void строки(const fs::path& папка) {
    std::istringstream путь(прочитать(ДАННЫЕ / "путь_самолёта.csv"));
    std::vector<std::string> строки{"\"1.5\",-2e1,+3,лишнее", "5,3", "\"0\",4294967295", "\"a\"\"b\",,c\r"};
    for (std::string строка; std::getline(путь, строка);) строки.push_back(строка);
    for (std::size_t i = 0; i < строки.size(); ++i) pisatel::записать(папка / ("строка" + std::to_string(i)), строки[i]);
}

void объекты(const fs::path& папка) {
    std::size_t номер = 0;
    for (const auto& файл : fs::directory_iterator(ДАННЫЕ / "объекты")) {
        json описание = json::parse(прочитать(файл.path()));
        const std::string& меш = zatravki::ИМЕНА_МЕШЕЙ[номер % zatravki::ИМЕНА_МЕШЕЙ.size()];
        описание["меш"]["имя"] = меш;
        if (меш == "со_скелетом") описание["меш"]["скелет"] = zatravki::ИМЯ_СКЕЛЕТА;
        if (номер % 2 == 0) описание["меш"]["тип_отрисовки"] = true;
        if (номер % 3 == 0) описание["меш"]["независимые_копии"] = true;
        if (описание.contains("материал") && описание["материал"].contains("диффузная_текстура"))
            описание["материал"]["диффузная_текстура"] = zatravki::ИМЯ_КАРТИНКИ;
        pisatel::записать(папка / файл.path().filename(), описание.dump(2));
        ++номер;
    }
}

// Every texture of the element tree becomes the picture of the resource folder.
void заменить_текстуры(json& элемент) {
    if (!элемент.is_object()) return;
    if (элемент.contains("текстура")) элемент["текстура"] = zatravki::ИМЯ_КАРТИНКИ;
    if (элемент.contains("элементы") && элемент["элементы"].is_array()) {
        for (auto& ребёнок : элемент["элементы"]) заменить_текстуры(ребёнок);
    }
}

void панели(const fs::path& папка) {
    for (const auto& файл : fs::directory_iterator(ДАННЫЕ / "панели")) {
        json описание = json::parse(прочитать(файл.path()));
        заменить_текстуры(описание);
        pisatel::записать(папка / файл.path().filename(), описание.dump(2));
    }
    json элемент = json::object();
    элемент["имя"] = "картинка";
    элемент["координаты"] = {0.5, -0.25, 0.75, 0.5};
    элемент["текстура"] = zatravki::ИМЯ_КАРТИНКИ;
    элемент["координаты_текстуры"] = {0.25, 0.0, 0.75, 1.0};
    json обрезанная = json::object();
    обрезанная["имя"] = "обрезанная";
    обрезанная["тип_координат"] = "ОтносительноY";
    обрезанная["координаты"] = {-0.5, 0.1, 0.8, 0.25};
    обрезанная["элементы"] = json::array({элемент});
    pisatel::записать(папка / "обрезанная.ip", обрезанная.dump(2));

    // Deeper than a description may nest.
    json вложенный = элемент;
    for (int уровень = 0; уровень < 20; ++уровень) {
        json контейнер = json::object();
        контейнер["имя"] = "уровень" + std::to_string(уровень);
        контейнер["координаты"] = {0.1, 0.1, 0.8, 0.8};
        контейнер["контейнер"] = true;
        контейнер["элементы"] = json::array({вложенный});
        вложенный = контейнер;
    }
    обрезанная["элементы"] = json::array({вложенный});
    pisatel::записать(папка / "глубокая.ip", обрезанная.dump());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "использование: fuzz_zatravki <папка>\n";
        return 2;
    }
    const fs::path папка(argv[1]);
    for (const char* цель : {"mesh", "skelet", "nastroiki", "pole", "csv", "objekt", "infopanel"})
        fs::create_directories(папка / цель);
    const auto меши = zatravki::меши();
    for (std::size_t i = 0; i < меши.size(); ++i) pisatel::записать(папка / "mesh" / ("меш" + std::to_string(i)), меши[i]);
    pisatel::записать(папка / "skelet" / "скелет0", zatravki::скелет());
    pisatel::записать(папка / "skelet" / "скелет1", pisatel::скелет(zatravki::кости(), {}));
    настройки(папка / "nastroiki");
    уровни(папка / "pole");
    строки(папка / "csv");
    объекты(папка / "objekt");
    панели(папка / "infopanel");
    return 0;
}
