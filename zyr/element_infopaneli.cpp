#include "zyr/element_infopaneli.hpp"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include <nlohmann/json.hpp>

#include "my_utils/format.hpp"
#include "my_utils/journal.hpp"
#include "zyr/mesh.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/graphika_gl.hpp"

namespace zyr::element_infopaneli {

namespace {

using my_utils::journal::УровниЖурнала;
using nlohmann::json;

constexpr const char* МОДУЛЬ = "э-т_инфопанели";

void ошибка(std::string текст) { my_utils::journal::в_журнал(МОДУЛЬ, УровниЖурнала::Ошибка, std::move(текст)); }

// Truncation towards zero, refusing what an int32 cannot hold.
std::int32_t в_целое(double значение) {
    const double целое = std::trunc(значение);
    if (!std::isfinite(целое) || целое < std::numeric_limits<std::int32_t>::min() ||
        целое > std::numeric_limits<std::int32_t>::max()) {
        throw ЭлементИнфопанелиИсключение(
            my_utils::format::sprintf("Размер элемента инфопанели %s не приводится к целому числу", значение));
    }
    return static_cast<std::int32_t>(целое);
}

// The first four entries of an array as reals written with a decimal point
// (or an exponent) that a float can hold; nothing when any of them is not.
std::optional<std::array<float, 4>> четыре_вещественных(const json& массив) {
    if (!массив.is_array() || массив.size() < 4) return std::nullopt;
    std::array<float, 4> числа{};
    for (std::size_t i = 0; i < 4; ++i) {
        const json& число = массив[i];
        if (!число.is_number_float()) return std::nullopt;
        const double значение = число.get<double>();
        if (!(std::abs(значение) <= std::numeric_limits<float>::max())) return std::nullopt;
        числа[i] = static_cast<float>(значение);
    }
    return числа;
}

// Positions of the two counter-clockwise triangles of the unit quad.
constexpr std::array<float, 18> ПОЗИЦИИ_КВАДРАТА{0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0};
constexpr std::array<std::uint16_t, 6> ИНДЕКСЫ_КВАДРАТА{0, 1, 2, 3, 4, 5};

}  // namespace

ЭлементИнфопанели::ЭлементИнфопанели(std::string имя, bool контейнер, float x, float y, float ш, float в)
    : имя_(std::move(имя)), это_контейнер_(контейнер) {
    ЭлементИнфопанели::задать_координаты(x, y, ш, в);
}

ЭлементИнфопанели::ЭлементИнфопанели(std::string имя, bool контейнер)
    : ЭлементИнфопанели(std::move(имя), контейнер, 0.0f, 0.0f, 1.0f, 1.0f) {}

ЭлементИнфопанели::~ЭлементИнфопанели() = default;

ЭлементИнфопанели::Указатель ЭлементИнфопанели::родитель() const { return родитель_.lock(); }

void ЭлементИнфопанели::родитель(const Указатель& р) {
    родитель_ = р;
    if (р) рассчитать_абсолютные_координаты(р->абсолютные_размеры());
}

void ЭлементИнфопанели::задать_координаты(float x, float y, float ш, float в) {
    if (x < 0) x += 1.0f;
    if (y < 0) y += 1.0f;
    отн_x_ = x;
    отн_y_ = y;
    отн_ш_ = ш;
    отн_в_ = в;
    x2_ = x + ш;
    y2_ = y + в;
}

void ЭлементИнфопанели::рассчитать_абсолютные_координаты(int ширина, int высота) {
    const auto x = в_целое(отн_x_ * static_cast<float>(ширина));
    const auto y = в_целое(отн_y_ * static_cast<float>(высота));
    const auto ш = в_целое(отн_ш_ * static_cast<float>(ширина));
    const auto в = в_целое(отн_в_ * static_cast<float>(высота));
    x_ = x;
    y_ = y;
    ширина_ = ш;
    высота_ = в;
}

void ЭлементИнфопанели::рассчитать_абсолютные_координаты(types::Координаты2D<int> размер) {
    рассчитать_абсолютные_координаты(размер.ширина(), размер.высота());
}

types::Координаты2D<int> ЭлементИнфопанели::абсолютные_размеры() const { return {ширина_, высота_}; }

void ЭлементИнфопанели::задать_абсолютные_размеры(int ширина, int высота) {
    const Указатель р = родитель();
    if (!р) return;
    const auto [pw, ph] = р->абсолютные_размеры();
    if (pw <= 0 || ph <= 0) return;

    // One axis: the unit-square start, far edge, size, pixel size and the far
    // texture coordinate that shows how much of the texture stays visible.
    const auto вписать = [](float начало, float& конец, float& размер, std::int32_t& пикселей, float& край_текстуры,
                            int нужно, int родителя) {
        const auto р_размер = static_cast<float>(родителя);
        if (начало * р_размер + static_cast<float>(нужно) > р_размер) {
            const float видимая_доля = 1.0f - начало;
            пикселей = в_целое(видимая_доля * р_размер);
            размер = видимая_доля;
            конец = 1.0f;
            if (нужно > 0) край_текстуры = видимая_доля / (static_cast<float>(нужно) / р_размер);
        } else {
            размер = static_cast<float>(нужно) / р_размер;
            конец = начало + размер;
            пикселей = нужно;
        }
    };
    вписать(отн_x_, x2_, отн_ш_, ширина_, координаты_текстуры_[2], ширина, pw);
    вписать(отн_y_, y2_, отн_в_, высота_, координаты_текстуры_[3], высота, ph);
    обновить_меш();
}

void ЭлементИнфопанели::задать_координаты_текстуры(float u_left, float v_top, float u_right, float v_bottom) {
    координаты_текстуры_ = {u_left, v_top, u_right, v_bottom};
    обновить_меш();
}

void ЭлементИнфопанели::задать_координаты_текстуры(const std::array<float, 4>& к) {
    задать_координаты_текстуры(к[0], к[1], к[2], к[3]);
}

void ЭлементИнфопанели::инициализация_координат_текстуры() {
    координаты_текстуры_ = {0.0f, 0.0f, 1.0f, 1.0f};
    обновить_меш();
}

void ЭлементИнфопанели::обновить_меш() {
    if (меш_) меш_->изменить_координаты_текстур(_преобразовать_координаты_текстур());
}

std::array<float, 12> ЭлементИнфопанели::_преобразовать_координаты_текстур() const {
    const auto [u_left, v_top, u_right, v_bottom] = координаты_текстуры_;
    return {u_left, v_bottom, u_right, v_top, u_left, v_top, u_left, v_bottom, u_right, v_bottom, u_right, v_top};
}

void ЭлементИнфопанели::создать_меш() {
    const auto текстурные = _преобразовать_координаты_текстур();
    меш_ = std::make_shared<mesh::Меш>(ПОЗИЦИИ_КВАДРАТА, текстурные, std::span<const float>{}, ИНДЕКСЫ_КВАДРАТА,
                                       false);
}

void ЭлементИнфопанели::задать_видимость(bool видимость) { видимость_ = видимость; }
bool ЭлементИнфопанели::получить_видимость() const { return видимость_; }
void ЭлементИнфопанели::поменять_видимость() { видимость_ = !видимость_; }
std::string ЭлементИнфопанели::получить_имя() const { return имя_; }
void ЭлементИнфопанели::задать_текстуру(std::shared_ptr<texture::Текстура> текстура) { текстура_ = std::move(текстура); }
bool ЭлементИнфопанели::является_контейнером() const { return это_контейнер_; }

void ЭлементИнфопанели::рисовать() {
    if (!видимость_) return;
    if (текстура_ && !меш_) создать_меш();
    namespace gl = zavisimost::graphika_gl;
    gl::gl_подготовить_рисование_элемента_инфопанели(отн_x_, отн_y_, отн_ш_, отн_в_);
    if (текстура_ && текстура_->есть_изображение()) {
        текстура_->рисовать();
        меш_->рисовать();
    }
    if (это_контейнер_) {
        for (const auto& [имя, элемент] : элементы_) элемент->рисовать();
    }
    gl::gl_восстановить_матрицу();
}

void ЭлементИнфопанели::присоединить_элемент(const Указатель& элемент) {
    if (!это_контейнер_ || !элемент || элемент->родитель()) return;
    // Throws std::bad_weak_ptr, before anything changes, for a container not held by a shared_ptr.
    const Указатель себя = shared_from_this();
    // The pixel rectangle first: an element whose size has no pixel count is
    // refused before it takes a name (and perhaps a namesake's place) in the map.
    try {
        элемент->родитель(себя);
    } catch (...) {
        элемент->родитель(nullptr);
        throw;
    }
    элементы_.insert_or_assign(элемент->получить_имя(), элемент);
}

ЭлементИнфопанели::Указатель ЭлементИнфопанели::отсоединить_элемент(const Указатель& элемент) {
    if (!элемент) return nullptr;
    return отсоединить_элемент(элемент->получить_имя());
}

ЭлементИнфопанели::Указатель ЭлементИнфопанели::отсоединить_элемент(const std::string& имя) {
    if (!это_контейнер_) return nullptr;
    const auto найденный = элементы_.find(имя);
    if (найденный == элементы_.end()) return nullptr;
    Указатель элемент = найденный->second;
    элементы_.erase(найденный);
    элемент->родитель(nullptr);
    return элемент;
}

ЭлементИнфопанели::Указатель ЭлементИнфопанели::получить_элемент(const std::string& имя) const {
    if (!это_контейнер_) return nullptr;
    const auto найденный = элементы_.find(имя);
    return найденный == элементы_.end() ? nullptr : найденный->second;
}

bool ЭлементИнфопанели::проверить_точку(int x, int y) const {
    const std::int64_t правый = std::int64_t{x_} + ширина_;
    const std::int64_t верхний = std::int64_t{y_} + высота_;
    return x >= x_ && y >= y_ && x <= правый && y <= верхний;
}

bool ЭлементИнфопанели::проверить_точку(float x, float y) const {
    if (std::isnan(x) || std::isnan(y)) return false;
    return x >= отн_x_ && y >= отн_y_ && x <= x2_ && y <= y2_;
}

bool ЭлементИнфопанели::проверить_непрозрачную_точку(float x, float y, const texture::ТекстураВПамяти& картинка) const {
    if (!проверить_точку(x, y)) return false;
    if (картинка.получить_формат() != texture::ФОРМАТ_RGBA) return true;
    const std::uint8_t* пиксели = картинка.получить_пиксели();
    if (пиксели == nullptr) return false;

    const int ширина = картинка.получить_ширину();
    const int высота = картинка.получить_высоту();
    const int строка = картинка.получить_размер_строки();
    const int пиксель = картинка.получить_размер_пикселя();
    // The alpha byte of every pixel must lie inside the rows handed over.
    if (ширина <= 0 || высота <= 0 || пиксель < 4 || строка < ширина * пиксель) return false;

    if (отн_ш_ == 0.0f || отн_в_ == 0.0f) return false;
    const auto [u_left, v_top, u_right, v_bottom] = координаты_текстуры_;
    const double fx = (double{x} - отн_x_) / отн_ш_;
    const double fy = (double{y} - отн_y_) / отн_в_;
    const double u = u_left + (double{u_right} - u_left) * fx;
    const double v = v_bottom + (double{v_top} - v_bottom) * fy;
    if (!std::isfinite(u) || !std::isfinite(v)) return false;

    // Nearest pixel, held inside the image: u or v = 1 names the last column or row.
    const auto ближайший = [](double доля, int размер) {
        const double место = std::round(доля * размер);
        if (!(место > 0.0)) return 0;
        return место >= размер - 1 ? размер - 1 : static_cast<int>(место);
    };
    const std::size_t столбец = static_cast<std::size_t>(ближайший(u, ширина));
    const std::size_t ряд = static_cast<std::size_t>(ближайший(v, высота));
    return пиксели[ряд * static_cast<std::size_t>(строка) + столбец * static_cast<std::size_t>(пиксель) + 3] != 0;
}

bool ЭлементИнфопанели::присоединить_из_описания(ЭлементИнфопанели& контейнер, const Указатель& элемент) {
    try {
        контейнер.присоединить_элемент(элемент);
        return true;
    } catch (const std::exception&) {
        ошибка("Ошибка создания ЭлементИнфопанели с именем " + элемент->получить_имя());
        return false;
    }
}

ЭлементИнфопанели::Указатель ЭлементИнфопанели::из_JSON(const json& описание,
                                                           istochnik_resursov::ИсточникРесурсов& менеджер) {
    return из_JSON(описание, менеджер, 1);
}

ЭлементИнфопанели::Указатель ЭлементИнфопанели::из_JSON(const json& описание,
                                                           istochnik_resursov::ИсточникРесурсов& менеджер, int глубина) {
    const auto поле = [&](const char* ключ) -> const json* {
        if (!описание.is_object()) return nullptr;
        const auto найденное = описание.find(ключ);
        return найденное == описание.end() ? nullptr : &*найденное;
    };
    const json* имя_json = поле("имя");
    const json* координаты = поле("координаты");
    if (!имя_json || !имя_json->is_string() || !координаты || !координаты->is_array()) {
        ошибка("Ошибка получения данных для создания ЭлементИнфопанели");
        return nullptr;
    }
    const std::string имя = имя_json->get<std::string>();
    // Checked before the children are read, so no nesting reaches the end of the stack.
    if (глубина > НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ) {
        ошибка(my_utils::format::sprintf("ЭлементИнфопанели с именем %s вложен глубже %s уровней", имя,
                                         НАИБОЛЬШАЯ_ВЛОЖЕННОСТЬ));
        return nullptr;
    }

    try {
        bool контейнер = false;
        if (const json* флаг = поле("контейнер")) {
            if (флаг->is_boolean()) контейнер = флаг->get<bool>();
            else ошибка("Ошибка определения наличия контейнера для ЭлементИнфопанели с именем " + имя);
        }

        const auto прямоугольник = четыре_вещественных(*координаты);
        if (!прямоугольник) {
            ошибка("Ошибка создания ЭлементИнфопанели с именем " + имя);
            return nullptr;
        }
        const auto& [x, y, ш, в] = *прямоугольник;
        auto элемент = std::make_shared<ЭлементИнфопанели>(имя, контейнер, x, y, ш, в);

        if (const json* текстура = поле("текстура")) {
            bool получена = текстура->is_string();
            if (получена) {
                try {
                    if (auto найденная = менеджер.получить_текстуру(текстура->get<std::string>())) {
                        элемент->задать_текстуру(std::move(найденная));
                    }
                } catch (const std::exception&) {
                    получена = false;
                }
            }
            if (!получена) ошибка("Ошибка получения текстуры для ЭлементИнфопанели с именем " + имя);
        }

        if (const json* текстурные = поле("координаты_текстуры")) {
            if (const auto к = четыре_вещественных(*текстурные)) элемент->задать_координаты_текстуры(*к);
            else ошибка("Ошибка получения координат текстуры для ЭлементИнфопанели с именем " + имя);
        }

        if (const json* дети = поле("элементы"); дети && контейнер && дети->is_array()) {
            for (const json& описание_ребёнка : *дети) {
                if (auto ребёнок = из_JSON(описание_ребёнка, менеджер, глубина + 1))
                    присоединить_из_описания(*элемент, ребёнок);
            }
        }
        return элемент;
    } catch (const std::exception&) {
        ошибка("Ошибка создания ЭлементИнфопанели с именем " + имя);
        return nullptr;
    }
}

std::string ЭлементИнфопанели::toString() const {
    std::string дети = "[";
    for (const auto& [имя, элемент] : элементы_) {
        if (дети.size() > 1) дети += ", ";
        дети += элемент->toString();
    }
    дети += "]";
    return my_utils::format::sprintf(
        "%s включено=%s, x=%s, y=%s, ширина=%s, высота=%s отн_x=%s, отн_y=%s, отн_ш=%s, отн_в=%s, это_контейнер=%s, "
        "элементы=%s",
        имя_, видимость_, x_, y_, ширина_, высота_, отн_x_, отн_y_, отн_ш_, отн_в_, это_контейнер_, дети);
}

}  // namespace zyr::element_infopaneli
