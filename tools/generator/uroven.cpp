#include "tools/generator/uroven.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <fstream>
#include <sstream>

namespace generator {

std::string текст_уровня(const Уровень& у) {
    std::string т = fmt::format("количество_путей={}\n\n", у.пути.size());
    auto число = [](float v) {
        std::string s = fmt::format("{:.3f}", v);
        return s == "-0.000" ? std::string("0.000") : s;
    };
    for (std::size_t i = 0; i < у.пути.size(); ++i) {
        т += fmt::format("вершины {}\n", i);
        for (В3 p : у.пути[i]) т += число(p.x) + "," + число(-p.z) + "," + число(p.y) + "\n";
        т += "\n";
    }
    for (std::size_t i = 0; i < у.пути.size(); ++i) {
        т += fmt::format("разрывы {}\n", i);
        if (i < у.разрывы.size())
            for (auto [a, b] : у.разрывы[i]) т += fmt::format("{},{}\n", a, b);
        т += "\n";
    }
    т += "унитазы\n";
    for (В2 p : у.площадки) т += число(p.x) + "," + число(-p.y) + "\n";
    т += "\n";
    return т;
}

namespace {

bool пустая(const std::string& с) { return с.find_first_not_of(' ') == std::string::npos; }

class Строки {
public:
    explicit Строки(const std::string& текст) {
        std::size_t начало = 0;
        while (true) {
            std::size_t конец = текст.find('\n', начало);
            строки_.push_back(текст.substr(начало, конец == std::string::npos ? std::string::npos : конец - начало));
            if (конец == std::string::npos) break;
            начало = конец + 1;
        }
    }
    std::string заголовок(const std::string& начало) {
        if (номер_ >= строки_.size() || строки_[номер_].rfind(начало, 0) != 0) {
            throw УровеньИсключение("В файле отсутствует" + начало);
        }
        return строки_[номер_++].substr(начало.size());
    }
    void пропустить() {
        if (номер_ < строки_.size()) ++номер_;
    }
    std::vector<std::string> блок() {
        std::vector<std::string> итог;
        while (номер_ < строки_.size() && !пустая(строки_[номер_])) итог.push_back(строки_[номер_++]);
        пропустить();
        return итог;
    }

private:
    std::vector<std::string> строки_;
    std::size_t номер_ = 0;
};

int целое(const std::string& с, const std::string& имя) {
    int v = 0;
    const char* конец = с.data() + с.size();
    const char* начало = с.data() + (с.size() > 0 && с[0] == '+' ? 1 : 0);
    auto [p, ош] = std::from_chars(начало, конец, v);
    if (с.empty() || ош != std::errc() || p != конец) throw УровеньИсключение("Ошибка с определением " + имя);
    return v;
}

std::vector<float> числа(const std::string& строка, std::size_t сколько) {
    std::vector<float> итог;
    std::stringstream поток(строка);
    std::string поле;
    while (std::getline(поток, поле, ',')) {
        if (поле.size() >= 2 && поле.front() == '"' && поле.back() == '"') поле = поле.substr(1, поле.size() - 2);
        char* конец = nullptr;
        errno = 0;
        float v = std::strtof(поле.c_str(), &конец);
        if (поле.empty() || *конец != '\0' || errno != 0 || !std::isfinite(v)) {
            throw УровеньИсключение("строка уровня с не-числом: " + строка);
        }
        итог.push_back(v);
    }
    if (итог.size() < сколько) throw УровеньИсключение("в строке уровня мало значений: " + строка);
    return итог;
}

}  // namespace

Уровень разобрать_уровень(const std::string& текст) {
    Строки с(текст);
    Уровень у;
    int путей = целое(с.заголовок("количество_путей="), "количество_путей");
    с.пропустить();
    for (int i = 0; i < путей; ++i) {
        int n = целое(с.заголовок("вершины "), "вершины");
        if (n != i) throw УровеньИсключение(fmt::format("Ошибка массива с вершинами № {}", n));
        std::vector<В3> вершины;
        for (const std::string& строка : с.блок()) {
            auto v = числа(строка, 3);
            вершины.push_back({v[0], v[2], -v[1]});
        }
        у.пути.push_back(std::move(вершины));
    }
    for (int i = 0; i < путей; ++i) {
        int n = целое(с.заголовок("разрывы "), "разрывы");
        if (n != i) throw УровеньИсключение(fmt::format("Ошибка массива с разрывами № {}", n));
        std::vector<std::pair<std::uint32_t, std::uint32_t>> разрывы;
        for (const std::string& строка : с.блок()) {
            auto v = числа(строка, 2);
            if (v[0] < 0 || v[1] < 0 || v[0] != std::floor(v[0]) || v[1] != std::floor(v[1])) {
                throw УровеньИсключение("разрыв не из целых неотрицательных чисел: " + строка);
            }
            разрывы.push_back({static_cast<std::uint32_t>(v[0]), static_cast<std::uint32_t>(v[1])});
        }
        у.разрывы.push_back(std::move(разрывы));
    }
    с.заголовок("унитазы");
    for (const std::string& строка : с.блок()) {
        auto v = числа(строка, 2);
        у.площадки.push_back({v[0], -v[1]});
    }
    return у;
}

Уровень прочитать_уровень(const std::string& путь_к_файлу) {
    std::ifstream ф(путь_к_файлу, std::ios::binary);
    if (!ф) throw УровеньИсключение("Не найден файл " + путь_к_файлу);
    std::stringstream с;
    с << ф.rdbuf();
    return разобрать_уровень(с.str());
}

std::vector<bool> сегменты_в_разрывах(const Уровень& у, std::size_t путь) {
    std::size_t сегментов = у.пути.at(путь).empty() ? 0 : у.пути[путь].size() - 1;
    std::vector<bool> итог(сегментов, false);
    if (путь < у.разрывы.size()) {
        for (auto [a, b] : у.разрывы[путь]) {
            for (std::uint32_t k = std::min(a, b); k < std::max(a, b) && k < сегментов; ++k) итог[k] = true;
        }
    }
    return итог;
}

}  // namespace generator
