// МешСоСкелетом of module zyr.mesh: the version 2 reader and skinning on the processor.
#include <cstring>
#include <iostream>
#include <set>

#include <fmt/format.h>
#include <fmt/printf.h>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/dvoichnyi_fail.hpp"
#include "zyr/mesh.hpp"
#include "zyr/skelet.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace zyr::mesh {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
using vector::Вектор3;
using Чтец = dvoichnyi_fail::ЧтецБайтов<МешИсключение>;

void инфо(const std::string& текст) { в_журнал("меш", УровниЖурнала::Информация, текст); }

using my_utils::format::список;

}  // namespace

struct МешСоСкелетом::ФайлСоСкелетом {
    БлокиФайла блоки;
    std::vector<std::string> имена_групп;
    Веса веса;
    std::vector<Вектор3> положения;
};

МешСоСкелетом::ФайлСоСкелетом МешСоСкелетом::прочитать_версию_2(const std::string& путь) {
    инфо(fmt::sprintf("Начинаем загрузку меша со скелетом %s", путь));
    const auto файл = dvoichnyi_fail::прочитать_весь_файл(путь);
    if (!файл.прочитан) throw МешИсключение("Не удалось прочитать файл меша " + путь);

    static constexpr unsigned char ЗАГОЛОВОК[] = {'Z', 'Y', 'R', ' ', 2, 0};
    if (файл.байты.size() < 6 || std::memcmp(файл.байты.data(), ЗАГОЛОВОК, 6) != 0) {
        std::cout << dvoichnyi_fail::байты_в_строку(
                         std::span(файл.байты).first(std::min<std::size_t>(6, файл.байты.size())))
                  << "\nСлучилась ошибка заголовка при чтении файла меша" << std::endl;
        throw МешИсключение("Заголовок файла не соответствует требуемому для меша 2 версии!");
    }

    Чтец чтец(файл.байты, "меша");
    чтец.пропустить(6);
    const auto вершин = чтец.u16();
    const auto граней = чтец.u16();
    const std::size_t групп = чтец.u16();
    const std::size_t весов = чтец.u16();
    инфо(fmt::sprintf("вершин=%s,  граней=%s, групп=%s,  весов=%s", std::to_string(вершин), std::to_string(граней),
                      std::to_string(групп), std::to_string(весов)));

    ФайлСоСкелетом результат;
    результат.блоки = взять_блоки(файл.байты, чтец.позиция(), вершин, граней);
    чтец.пропустить(результат.блоки.блок.size());

    результат.положения.resize(вершин);
    if (вершин) std::memcpy(результат.положения.data(), результат.блоки.блок.data(), 12 * std::size_t{вершин});

    результат.имена_групп.resize(групп);
    for (auto& имя : результат.имена_групп) имя = чтец.строка();

    // A later record for the same vertex and group replaces the earlier one.
    чтец.требовать(8 * весов);
    std::vector<std::map<std::uint16_t, float>> по_вершинам(вершин);
    for (std::size_t i = 0; i < весов; ++i) {
        const auto группа = чтец.u16();
        const auto вершина = чтец.u16();
        const float вес = чтец.f32();
        if (группа >= групп) {
            throw МешИсключение(fmt::sprintf("Вес ссылается на группу %d, а групп %d!", группа, групп));
        }
        if (вершина >= вершин) {
            throw МешИсключение(fmt::sprintf("Вес ссылается на вершину %d, а вершин %d!", вершина, вершин));
        }
        по_вершинам[вершина].insert_or_assign(группа, вес);
    }
    auto& веса = результат.веса;
    веса.начало.reserve(std::size_t{вершин} + 1);
    веса.начало.push_back(0);
    for (const auto& группы_вершины : по_вершинам) {
        for (const auto& [группа, вес] : группы_вершины) веса.записи.push_back({группа, вес});
        веса.начало.push_back(static_cast<std::uint32_t>(веса.записи.size()));
    }
    return результат;
}

МешСоСкелетом::МешСоСкелетом(const std::string& путь) : МешСоСкелетом(прочитать_версию_2(путь)) {
    инфо("Меш, типа, загружен");
}

МешСоСкелетом::МешСоСкелетом(ФайлСоСкелетом файл)
    : Меш(std::move(файл.блоки), 2, true, true),
      имена_групп_(std::make_shared<const std::vector<std::string>>(std::move(файл.имена_групп))),
      веса_(std::make_shared<const Веса>(std::move(файл.веса))),
      начальные_положения_(std::make_shared<const std::vector<Вектор3>>(файл.положения)),
      текущие_положения_(std::move(файл.положения)) {}

МешСоСкелетом::МешСоСкелетом(const МешСоСкелетом& другой)
    : Меш(БлокиФайла{другой.блок_данных_, другой.вершин_, другой.граней_}, 2, true, другой.независимые_копии_),
      имена_групп_(другой.имена_групп_),
      веса_(другой.веса_),
      начальные_положения_(другой.начальные_положения_),
      текущие_положения_(другой.текущие_положения_),
      скелет_(другой.скелет_) {
    инфо("Меш, типа, скопирован.");
}

void МешСоСкелетом::рисовать() {
    zavisimost::graphika_gl::gl_рисовать_отдельные_буферы(граней_, позиции_, нормали_, текстурные_координаты_,
                                                         индексы_);
}

void МешСоСкелетом::присвоить_скелет(std::shared_ptr<skelet::Скелет> скелет) {
    скелет_ = std::move(скелет);
    группы_костей_.clear();
    if (!скелет_) return;
    const auto имена = скелет_->получить_имена_костей();
    const std::set<std::string> кости(имена.begin(), имена.end());
    for (std::size_t группа = 0; группа < имена_групп_->size(); ++группа) {
        if (кости.count((*имена_групп_)[группа])) группы_костей_.push_back(static_cast<std::uint16_t>(группа));
    }
}

bool МешСоСкелетом::установить_состояние_анимации(const std::string& имя, float кадр) {
    if (!скелет_) return false;
    применить_состояние(скелет_->получить_состояние_анимации(имя, кадр));
    return true;
}

bool МешСоСкелетом::объединить_состояния_анимации(const std::string& имя1, float кадр1, const std::string& имя2,
                                                  float кадр2, float доля) {
    if (!скелет_) return false;
    применить_состояние(скелет_->объединить_состояния_анимации(имя1, кадр1, имя2, кадр2, доля));
    return true;
}

void МешСоСкелетом::применить_состояние(const skelet::СостояниеАнимации& состояние) {
    // A group counts only when it is a bone of the skeleton and its state changes something.
    состояния_групп_.assign(имена_групп_->size(), nullptr);
    for (const auto группа : группы_костей_) {
        const auto найденное = состояние.find((*имена_групп_)[группа]);
        if (найденное != состояние.end() && найденное->second.флаги != 0) {
            состояния_групп_[группа] = &найденное->second;
        }
    }

    const auto& начальные = *начальные_положения_;
    const auto& веса = *веса_;
    for (std::size_t v = 0; v < начальные.size(); ++v) {
        const Вектор3& покой = начальные[v];
        Вектор3 сдвиг{};
        float всего = 0.0f;
        for (std::uint32_t i = веса.начало[v]; i < веса.начало[v + 1]; ++i) {
            const auto& [группа, вес] = веса.записи[i];
            const auto* с = состояния_групп_[группа];
            if (!с) continue;
            всего += вес;
            const Вектор3& голова = с->начальная_кость.голова;
            Вектор3 d = покой - голова;
            if (с->флаги & skelet::ФЛАГ_ПОВОРОТА) с->поворот.повернуть_вектор(d);
            if (с->флаги & skelet::ФЛАГ_МАСШТАБА) d = d * с->масштаб;
            if (с->флаги & skelet::ФЛАГ_ПЕРЕНОСА) d = d + с->перенос;
            d = d + (голова - покой);
            сдвиг += d * вес;
        }
        текущие_положения_[v] = всего > 0.0f ? покой + сдвиг * (1.0f / всего) : покой;
    }
    позиции_ = reinterpret_cast<float*>(текущие_положения_.data());
}

std::span<const МешСоСкелетом::ВесГруппы> МешСоСкелетом::веса_вершины(std::uint16_t вершина) const {
    const auto& веса = *веса_;
    if (std::size_t{вершина} + 1 >= веса.начало.size()) return {};
    return std::span(веса.записи).subspan(веса.начало[вершина], веса.начало[вершина + 1u] - веса.начало[вершина]);
}

std::string МешСоСкелетом::toString() const {
    const auto вектор = [](const Вектор3& v) { return v.toString(); };
    std::string веса = "[";
    for (std::size_t v = 0; v < вершин_; ++v) {
        const auto записи = веса_вершины(static_cast<std::uint16_t>(v));
        if (записи.empty()) continue;
        if (веса.size() > 1) веса += ", ";
        веса += fmt::format("{}:", v) + список(записи, [](const ВесГруппы& з) {
                    return fmt::format("{}:{:g}", з.группа, з.вес);
                });
    }
    веса += "]";
    return "МешСоСкелетом(\n" + fmt::sprintf("вершин=%s,  граней=%s,\n", std::to_string(вершин_), std::to_string(граней_)) +
           fmt::sprintf("имена групп=%s\n", список(*имена_групп_, [](const std::string& s) { return "\"" + s + "\""; })) +
           fmt::sprintf("веса вершин=%s,\n", веса) +
           fmt::sprintf("начальное положение вершин=%s,\n", список(*начальные_положения_, вектор)) +
           fmt::sprintf("текущее положение вершин=%s)", список(текущие_положения_, вектор));
}

}  // namespace zyr::mesh
