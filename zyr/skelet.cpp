#include "zyr/skelet.hpp"

#include <array>
#include <cmath>

#include <fmt/format.h>
#include <fmt/printf.h>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/dvoichnyi_fail.hpp"

namespace zyr::skelet {

namespace {

using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
using Чтец = dvoichnyi_fail::ЧтецБайтов<СкелетИсключение>;

// Writes a curve's value into the component its type names; false for a type
// that names none.
bool записать_компонент(СостояниеАнимацииКости& с, std::uint16_t тип, float значение) {
    switch (тип) {
        case 1: с.перенос.x = значение; с.флаги |= ФЛАГ_ПЕРЕНОСА; return true;
        case 2: с.перенос.y = значение; с.флаги |= ФЛАГ_ПЕРЕНОСА; return true;
        case 4: с.перенос.z = значение; с.флаги |= ФЛАГ_ПЕРЕНОСА; return true;
        case 8: с.поворот.w = значение; с.флаги |= ФЛАГ_ПОВОРОТА; return true;
        case 16: с.поворот.x = значение; с.флаги |= ФЛАГ_ПОВОРОТА; return true;
        case 32: с.поворот.y = значение; с.флаги |= ФЛАГ_ПОВОРОТА; return true;
        case 64: с.поворот.z = значение; с.флаги |= ФЛАГ_ПОВОРОТА; return true;
        case 128: с.масштаб.x = значение; с.флаги |= ФЛАГ_МАСШТАБА; return true;
        case 256: с.масштаб.y = значение; с.флаги |= ФЛАГ_МАСШТАБА; return true;
        case 512: с.масштаб.z = значение; с.флаги |= ФЛАГ_МАСШТАБА; return true;
        default: return false;
    }
}

Вектор3 смешать(const Вектор3& a, const Вектор3& b, float k) { return a * (1.0f - k) + b * k; }

Анимация прочитать_анимацию(Чтец& чтец, std::size_t костей, const std::string& имя) {
    Анимация анимация;
    const std::size_t кривых = чтец.u16();
    const std::size_t строк = чтец.u16();
    анимация.первый_кадр = чтец.i16();
    анимация.последний_кадр = чтец.i16();
    if (анимация.последний_кадр < анимация.первый_кадр) {
        throw СкелетИсключение(fmt::sprintf("Анимация %s кончается кадром %d раньше первого кадра %d", имя,
                                            анимация.последний_кадр, анимация.первый_кадр));
    }
    const std::size_t кадров = static_cast<std::size_t>(анимация.последний_кадр - анимация.первый_кадр) + 1;
    if (строк < кадров) {
        throw СкелетИсключение(
            fmt::sprintf("В анимации %s строк кадров %d, а кадров %d", имя, строк, кадров));
    }

    чтец.требовать(4 * кривых);
    анимация.диспетчер.resize(кривых);
    for (auto& кривая : анимация.диспетчер) {
        кривая.номер_кости = чтец.u16();
        кривая.тип_кривой = чтец.u16();
        if (кривая.номер_кости >= костей) {
            throw СкелетИсключение(fmt::sprintf("Кривая анимации %s ведёт кость %d, а костей %d", имя,
                                                кривая.номер_кости, костей));
        }
    }

    чтец.требовать(4 * строк * кривых);
    анимация.кривые.assign(строк, std::vector<float>(кривых));
    for (auto& строка : анимация.кривые) {
        for (auto& значение : строка) значение = чтец.f32();
    }
    return анимация;
}

}  // namespace

std::string НачальнаяКость::toString() const {
    return "НачальнаяКость(" + голова.toString() + ", " + ориентация.toString() + ")";
}

std::string Анимация::toString() const {
    std::string текст = "Анимация(" + fmt::sprintf("(%s,  %s), ", std::to_string(первый_кадр), std::to_string(последний_кадр)) + "диспетчер=[";
    for (const auto& кривая : диспетчер) текст += fmt::sprintf("(%s, %s),", std::to_string(кривая.номер_кости), std::to_string(кривая.тип_кривой));
    текст += "], кривые=[";
    for (std::size_t r = 0; r < кривые.size(); ++r) {
        if (r) текст += ",";
        текст += "[";
        for (std::size_t c = 0; c < кривые[r].size(); ++c) {
            if (c) текст += ", ";
            текст += fmt::sprintf("%.2g", кривые[r][c]);
        }
        текст += "]";
    }
    return текст + "])";
}

std::string СостояниеАнимацииКости::toString() const {
    return "СостояниеАнимацииКости((" + начальная_кость.голова.toString() + ", " +
           начальная_кость.ориентация.toString() + "), " + fmt::format("{}", флаги) + ", " + перенос.toString() +
           ", " + поворот.toString() + ", " + масштаб.toString() + ")";
}

Скелет::Скелет(const std::string& путь) { прочитать(путь); }

void Скелет::прочитать(const std::string& путь) {
    в_журнал("скелет", УровниЖурнала::Информация, [&] { return fmt::sprintf("Начинаем загрузку скелета %s", путь); });
    const auto файл = dvoichnyi_fail::прочитать_весь_файл(путь);
    if (!файл.прочитан) throw СкелетИсключение("Не удалось прочитать файл скелета " + путь);

    dvoichnyi_fail::проверить_заголовок<СкелетИсключение>(файл.байты, 2, "скелета",
                                                   "Заголовок файла не соответствует требуемому для скелета!");

    Чтец чтец(файл.байты, "скелета");
    чтец.пропустить(6);
    const std::size_t костей = чтец.u16();
    const std::size_t анимаций = чтец.u16();

    имена_костей_.resize(костей);
    for (auto& имя : имена_костей_) имя = чтец.строка();

    чтец.требовать(2 * костей);
    родители_.resize(костей);
    for (auto& родитель : родители_) родитель = чтец.i16();

    чтец.требовать(40 * костей);
    начальные_кости_.resize(костей);
    for (auto& кость : начальные_кости_) {
        std::array<float, 3> голова{};
        for (auto& f : голова) f = чтец.f32();
        чтец.пропустить(12);
        std::array<float, 4> ориентация{};
        for (auto& f : ориентация) f = чтец.f32();
        кость.голова = Вектор3(std::span<const float>(голова));
        кость.ориентация = Кватернион(std::span<const float>(ориентация));
    }

    std::vector<std::string> имена_анимаций(анимаций);
    for (auto& имя : имена_анимаций) имя = чтец.строка();
    for (const auto& имя : имена_анимаций) анимации_.insert_or_assign(имя, прочитать_анимацию(чтец, костей, имя));

    for (std::size_t кость = 0; кость < костей; ++кость) {
        const auto номер = static_cast<std::uint16_t>(кость);
        if (родители_[кость] < 0) {
            корни_.push_back(номер);
        } else {
            дети_[static_cast<std::uint16_t>(родители_[кость])].push_back(номер);
        }
    }
}

std::vector<std::string> Скелет::получить_имена_костей() const { return имена_костей_; }

std::vector<std::string> Скелет::получить_имена_анимаций() const {
    std::vector<std::string> имена;
    имена.reserve(анимации_.size());
    for (const auto& [имя, анимация] : анимации_) имена.push_back(имя);
    return имена;
}

СостояниеАнимацииКости Скелет::состояние_по_умолчанию(std::uint16_t кость) const {
    СостояниеАнимацииКости состояние;
    состояние.начальная_кость = начальные_кости_.at(кость);
    return состояние;
}

Скелет::СостоянияПоНомерам Скелет::состояние_в_кадре(const Анимация& анимация, int кадр) const {
    // The reader guarantees a row for every frame from the first to the last.
    const auto& строка = анимация.кривые.at(static_cast<std::size_t>(кадр - анимация.первый_кадр));
    СостоянияПоНомерам состояния;
    for (std::size_t c = 0; c < анимация.диспетчер.size(); ++c) {
        const auto& кривая = анимация.диспетчер[c];
        auto найденное = состояния.find(кривая.номер_кости);
        if (найденное == состояния.end()) {
            найденное = состояния.emplace(кривая.номер_кости, состояние_по_умолчанию(кривая.номер_кости)).first;
        }
        записать_компонент(найденное->second, кривая.тип_кривой, строка.at(c));
    }
    return состояния;
}

СостояниеАнимации Скелет::получить_состояние_анимации(const std::string& имя, float кадр) const {
    СостоянияПоНомерам по_номерам;
    const auto найденная = анимации_.find(имя);
    if (найденная == анимации_.end()) {
        в_журнал("скелет", УровниЖурнала::Ошибка,
                 [&] { return fmt::sprintf("отсутствует анимация с именем %s", имя); });
    } else {
        const auto& анимация = найденная->second;
        const float первый = анимация.первый_кадр;
        const float последний = анимация.последний_кадр;
        // NaN compares false with everything: it takes the first frame, as a frame before the start does.
        if (std::isnan(кадр) || кадр <= первый) {
            по_номерам = состояние_в_кадре(анимация, анимация.первый_кадр);
        } else if (кадр >= последний) {
            по_номерам = состояние_в_кадре(анимация, анимация.последний_кадр);
        } else {
            const int f0 = static_cast<int>(std::floor(кадр));
            const int f1 = static_cast<int>(std::ceil(кадр));
            по_номерам = состояние_в_кадре(анимация, f0);
            if (f1 != f0) {
                const auto следующий = состояние_в_кадре(анимация, f1);
                const float k = кадр - static_cast<float>(f0);
                for (auto& [кость, a] : по_номерам) {
                    const auto b = следующий.find(кость);
                    if (b == следующий.end()) continue;
                    if (a.флаги & ФЛАГ_ПЕРЕНОСА) a.перенос = смешать(a.перенос, b->second.перенос, k);
                    if (a.флаги & ФЛАГ_ПОВОРОТА) a.поворот = a.поворот.линейная_интерполяция(b->second.поворот, k);
                    if (a.флаги & ФЛАГ_МАСШТАБА) a.масштаб = смешать(a.масштаб, b->second.масштаб, k);
                }
            }
        }
    }

    СостояниеАнимации по_именам;
    for (std::size_t кость = 0; кость < имена_костей_.size(); ++кость) {
        const auto номер = static_cast<std::uint16_t>(кость);
        const auto найденное = по_номерам.find(номер);
        по_именам.insert_or_assign(имена_костей_[кость], найденное != по_номерам.end()
                                                             ? найденное->second
                                                             : состояние_по_умолчанию(номер));
    }
    return по_именам;
}

СостояниеАнимации Скелет::объединить_состояния_анимации(const std::string& имя1, float кадр1,
                                                        const std::string& имя2, float кадр2, float k) const {
    const auto s1 = получить_состояние_анимации(имя1, кадр1);
    const auto s2 = получить_состояние_анимации(имя2, кадр2);
    СостояниеАнимации результат;
    for (const auto& имя : имена_костей_) {
        const auto a = s1.find(имя);
        const auto b = s2.find(имя);
        if (a != s1.end() && b != s2.end()) {
            auto смесь = a->second;
            смесь.флаги = a->second.флаги | b->second.флаги;
            смесь.перенос = смешать(a->second.перенос, b->second.перенос, k);
            смесь.масштаб = смешать(a->second.масштаб, b->second.масштаб, k);
            смесь.поворот = a->second.поворот.сферическая_интерполяция(b->second.поворот, k);
            результат.insert_or_assign(имя, смесь);
        } else if (a != s1.end()) {
            результат.insert_or_assign(имя, a->second);
        } else if (b != s2.end()) {
            результат.insert_or_assign(имя, b->second);
        }
    }
    return результат;
}

std::string Скелет::toString() const {
    using my_utils::format::список;
    const auto число = [](auto n) { return fmt::format("{}", n); };

    const std::string дети = список(дети_, [&](const auto& пара) { return fmt::format("{}:", пара.first) + список(пара.second, число); });
    const std::string анимации =
        список(анимации_, [](const auto& пара) { return "\"" + пара.first + "\":" + пара.second.toString(); });

    return "Скелет(\n" + fmt::sprintf("костей=%s,  анимаций=%s,\n", std::to_string(имена_костей_.size()), std::to_string(анимации_.size())) +
           fmt::sprintf("имена костей=%s\n", список(имена_костей_, [](const std::string& s) { return "\"" + s + "\""; })) +
           fmt::sprintf("кости=%s\n", список(начальные_кости_, [](const НачальнаяКость& к) { return к.toString(); })) +
           fmt::sprintf("иерархия=%s, %s\n", дети, список(корни_, число)) + fmt::sprintf("анимации=%s\n", анимации);
}

std::string состояние_анимации_в_строку(const СостояниеАнимации& состояние) {
    std::string текст;
    for (const auto& [имя, с] : состояние) текст += имя + ": " + с.toString() + "\n";
    return текст;
}

bool ЗагруженныеСкелеты::загрузить_один(const std::string& имя) {
    return загрузить_из_файла(имя, имя, "скелет", "скелет", "Отсутствует файл скелета %s", "Ошибка в файле скелета %s",
                              [](const std::string& путь) { return std::make_shared<Скелет>(путь); });
}

}  // namespace zyr::skelet
