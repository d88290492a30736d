// The contact sheet: every object and mesh of the built game folder drawn by the
// engine itself (manager, registries, scene nodes, lamp, camera and renderer) in a
// grid, lit, from one fixed direction; and every info panel drawn by it over a
// plain background, with the texts the game's code adds. A person looks at the data without playing; a cell that stays empty
// fails the run.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fmt/format.h>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "src/nastroiki.hpp"
#include "tools/generator/holst.hpp"
#include "tools/generator/vektor.hpp"
#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/text_infopaneli.hpp"
#include "zyr/lamp.hpp"
#include "zyr/material.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/vis.hpp"
#include "zyr/zavisimost/okno_SDL2.hpp"
#include "zyr/zyr_manager.hpp"
#include "zyr/zyr_object.hpp"

namespace fs = std::filesystem;
using namespace generator;

namespace {

constexpr int КЛЕТКА = 224, ПОДПИСЬ = 26, СТОЛБЦОВ = 6;
const Цвет ФОН{0.24f, 0.26f, 0.3f, 1};

// A part of a drawn item: an object placed by a translation and a turn (degrees
// about an axis) under the item's node, as the game's nodes place it.
struct Часть {
    std::function<std::shared_ptr<zyr::zyr_object::Объект>()> объект;
    В3 место{};
    float угол = 0;
    В3 ось{1, 0, 0};
};

struct Предмет {
    std::string подпись;
    std::vector<Часть> части;
    float масштаб = 1;  // the scale of the item's node: the game's own for the plane, bombs, digits
    float охват = 0;    // the least radius framed, for an explosion flying apart
};

using zyr::quaternion::Кватернион;
using zyr::vector::Вектор3;

Вектор3 в3(В3 v) { return {v.x, v.y, v.z}; }

// Draws items with the engine itself: the objects hang on nodes under the scene
// root, a lamp lights them, the default camera looks at them from one direction,
// and the renderer draws the frame into the hidden window.
class Лист {
public:
    explicit Лист(const std::vector<std::string>& каталоги) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
        if (TTF_Init() != 0) throw std::runtime_error(std::string("SDL2_ttf: ") + TTF_GetError());
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        // Big enough for a panel; items are drawn into its lower left corner (the
        // renderer's viewport follows the window parameters set for each kind).
        окно_ = SDL_CreateWindow("контактный лист", 0, 0, 1024, 768, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!окно_) throw std::runtime_error(std::string("окно: ") + SDL_GetError());
        контекст_ = SDL_GL_CreateContext(окно_);
        if (!контекст_) throw std::runtime_error(std::string("контекст: ") + SDL_GetError());
        zyr::zavisimost::okno_SDL2::параметры_окна.ширина = КЛЕТКА;
        zyr::zavisimost::okno_SDL2::параметры_окна.высота = КЛЕТКА;
        менеджер_ = zyr::zyr_manager::ZYRМенеджер::создать(каталоги);
        const std::array<float, 4> фон{ФОН.r, ФОН.g, ФОН.b, 1};
        менеджер_->визуализатор().задать_цвет_фона(фон);
    }
    ~Лист() {
        менеджер_.reset();
        if (контекст_) SDL_GL_DeleteContext(контекст_);
        if (окно_) SDL_DestroyWindow(окно_);
        TTF_Quit();
        SDL_Quit();
    }

    zyr::zyr_manager::ZYRМенеджер& менеджер() { return *менеджер_; }

    // Draws one item and returns the picture; throws when an object is missing or
    // nothing of the item shows.
    Холст нарисовать(const Предмет& п) {
        auto& корень = *менеджер_->начальное_место();
        auto узел = корень.создать_ребёнка("место_предмета", Вектор3::НОЛЬ, Кватернион::НОЛЬ,
                                           {п.масштаб, п.масштаб, п.масштаб});
        // The bounds of the placed parts, from each mesh's rest positions (the start of its data block).
        В3 мин{1e9f, 1e9f, 1e9f}, макс{-1e9f, -1e9f, -1e9f};
        for (const Часть& ч : п.части) {
            auto объект = ч.объект();
            if (!объект) throw std::runtime_error("нет объекта для " + п.подпись);
            auto часть = узел->создать_ребёнка("место_части_" + объект->получить_имя(), в3(ч.место),
                                               Кватернион(ч.угол * ПИ / 180, в3(ч.ось)), {1, 1, 1});
            часть->присоединить_объект(объект);
            const auto& меш = *объект->получить_меш();
            М3 поворот = М3::поворот(ч.ось, ч.угол * ПИ / 180);
            auto блок = меш.блок_данных();
            for (int i = 0; i < меш.количество_вершин(); ++i) {
                В3 p;
                std::memcpy(&p, блок.data() + 12 * static_cast<std::size_t>(i), sizeof p);
                p = (поворот * p + ч.место) * п.масштаб;
                мин = {std::min(мин.x, p.x), std::min(мин.y, p.y), std::min(мин.z, p.z)};
                макс = {std::max(макс.x, p.x), std::max(макс.y, p.y), std::max(макс.z, p.z)};
            }
        }
        В3 центр = (мин + макс) * 0.5f;
        float радиус = std::max({длина(макс - мин) * 0.5f, п.охват, 1.0f});

        // The renderer's frustum spans ±1 at the near plane, so the near distance sets
        // the view's width: the camera stands where the item fills about 85% of it.
        float ближе = 4.0f, расстояние = 1.15f * радиус * ближе;
        if (расстояние - радиус * 1.05f < ближе) {
            ближе = 1.05f * радиус / (1.15f * радиус - 1.0f);
            расстояние = 1.15f * радиус * ближе;
        }
        auto& камера = *менеджер_->камера();
        камера.ближнее_отсечение(ближе);
        камера.дальнее_отсечение(расстояние + радиус * 1.1f);
        В3 вперёд = нормировать(В3{-0.55f, -0.45f, -0.7f});
        В3 глаз = центр - вперёд * расстояние;
        В3 вправо = нормировать(векторное(вперёд, {0, 1, 0})), вверх = векторное(вправо, вперёд);
        auto& место_камеры = *менеджер_->место_камеры();
        место_камеры.задать_позицию(в3(глаз));
        место_камеры.задать_ориентацию(Кватернион(в3(вправо), в3(вверх), в3(вперёд * -1.0f)));

        // The lamp's position is carried through its node twice (the engine's way):
        // its node stands at half the place it lights from.
        auto лампа = std::make_shared<zyr::lamp::Лампа>("свет0", 0);
        const std::array<float, 4> белый{1, 1, 1, 1}, полсвета{0.5f, 0.5f, 0.5f, 1};
        лампа->задать_диффузный_свет(белый);
        лампа->задать_окружающий_свет(полсвета);
        В3 свет = центр + (вверх * 1.5f + вправо * 0.5f - вперёд) * (2 * радиус);
        корень.создать_ребёнка("место_лампы", в3(свет * 0.5f), Кватернион::НОЛЬ, {1, 1, 1})->присоединить_объект(лампа);

        auto& визуализатор = менеджер_->визуализатор();
        for (int кадр = 0; кадр < 2; ++кадр) {  // the first frame clears to the previous colour
            визуализатор.поверхность_изменилась();
            визуализатор.отрисовка_кадра();
        }
        glFinish();
        std::vector<unsigned char> байты(static_cast<std::size_t>(КЛЕТКА) * КЛЕТКА * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, КЛЕТКА, КЛЕТКА, GL_RGBA, GL_UNSIGNED_BYTE, байты.data());
        if (glGetError() != GL_NO_ERROR) throw std::runtime_error("ошибка OpenGL при рисовании " + п.подпись);
        корень.удалить_всех_детей();

        Холст х(КЛЕТКА, КЛЕТКА);
        int заметных = 0;
        for (int y = 0; y < КЛЕТКА; ++y)
            for (int x = 0; x < КЛЕТКА; ++x) {
                const unsigned char* p = &байты[(static_cast<std::size_t>(КЛЕТКА - 1 - y) * КЛЕТКА + x) * 4];
                Цвет c{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1};
                заметных += std::fabs(c.r - ФОН.r) + std::fabs(c.g - ФОН.g) + std::fabs(c.b - ФОН.b) > 0.05f;
                х.задать(x, y, c);
            }
        if (заметных < КЛЕТКА * КЛЕТКА / 200) throw std::runtime_error("пустая клетка: " + п.подпись);
        return х;
    }

    // Draws one panel as the game shows it, in a window of the size the shipped
    // engine settings ask for, over the plain background colour; the texts that the
    // game's code adds to it are given as (element, x, y, text, font), each fitted
    // to its text's size or, as the game leaves the victory's score, stretched
    // over its rectangle.
    struct Текст {
        std::string имя;
        float x, y, ш, в;
        std::string строка, шрифт;
        bool по_тексту = true;
    };
    Холст нарисовать_панель(const std::string& имя, const std::vector<Текст>& тексты) {
        const int Ш = 1024, В = 768;
        if (zyr::zavisimost::okno_SDL2::параметры_окна.ширина != Ш) {
            zyr::zavisimost::okno_SDL2::параметры_окна.ширина = Ш;
            zyr::zavisimost::okno_SDL2::параметры_окна.высота = В;
            const std::array<float, 4> фон{0.35f, 0.5f, 0.3f, 1};
            менеджер_->визуализатор().задать_цвет_фона(фон);
        }
        auto панель = менеджер_->получить_инфопанель(имя);
        if (!панель) throw std::runtime_error("нет панели " + имя);
        const std::array<float, 3> цвет{0.8f, 0.0f, 0.4f};  // the game's colour of these texts
        for (const Текст& т : тексты) {
            auto э = std::make_shared<zyr::text_infopaneli::ТекстовыйЭлементИнфопанели>(т.имя, false, т.x, т.y, т.ш, т.в);
            э->задать_текст(*менеджер_, т.строка, т.шрифт, цвет);
            панель->присоединить_элемент(э);
            if (т.по_тексту) э->обновить_размеры();
        }
        менеджер_->удалить_все_инфопанели();
        менеджер_->добавить_инфопанель(панель);
        auto& визуализатор = менеджер_->визуализатор();
        for (int кадр = 0; кадр < 2; ++кадр) {
            визуализатор.поверхность_изменилась();
            визуализатор.отрисовка_кадра();
        }
        glFinish();
        std::vector<unsigned char> байты(static_cast<std::size_t>(Ш) * В * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, Ш, В, GL_RGBA, GL_UNSIGNED_BYTE, байты.data());
        if (glGetError() != GL_NO_ERROR) throw std::runtime_error("ошибка OpenGL при рисовании панели " + имя);
        менеджер_->удалить_все_инфопанели();
        Холст х(Ш, В);
        for (int y = 0; y < В; ++y)
            for (int x = 0; x < Ш; ++x) {
                const unsigned char* p = &байты[(static_cast<std::size_t>(В - 1 - y) * Ш + x) * 4];
                х.задать(x, y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1});
            }
        return х;
    }

private:
    SDL_Window* окно_ = nullptr;
    SDL_GLContext контекст_ = nullptr;
    std::shared_ptr<zyr::zyr_manager::ZYRМенеджер> менеджер_;
};

void сложить(const std::vector<Холст>& картинки, const std::vector<std::string>& подписи, const Шрифт& шрифт,
             const fs::path& файл) {
    int строк = static_cast<int>((картинки.size() + СТОЛБЦОВ - 1) / СТОЛБЦОВ);
    Холст лист(СТОЛБЦОВ * (КЛЕТКА + 4), строк * (КЛЕТКА + ПОДПИСЬ + 4), {0.1f, 0.1f, 0.12f, 1});
    for (std::size_t i = 0; i < картинки.size(); ++i) {
        int x = static_cast<int>(i % СТОЛБЦОВ) * (КЛЕТКА + 4) + 2, y = static_cast<int>(i / СТОЛБЦОВ) * (КЛЕТКА + ПОДПИСЬ + 4) + 2;
        лист.наложить(картинки[i], x, y);
        написать(лист, шрифт, подписи[i], {x + КЛЕТКА / 2.0f, y + КЛЕТКА + ПОДПИСЬ / 2.0f}, {1, 1, 1, 1}, 0, {}, КЛЕТКА);
    }
    лист.сохранить_png(файл.string(), false);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: igra_kontakt GAME_FOLDER FONT_FILE OUT_FOLDER\n");
        return 2;
    }
    try {
        fs::path игра = fs::absolute(argv[1]), шрифт_файл = fs::absolute(argv[2]), выход = fs::absolute(argv[3]);
        fs::create_directories(выход);
        fs::current_path(игра);
        nastroiki::НастройкиИгры настройки;
        настройки.прочитать_настройки_из_файла(nastroiki::ФАЙЛ_НАСТРОЕК);
        fs::path ресурсы = игра / настройки.ресурсы().at(0);
        Шрифт шрифт(шрифт_файл.string(), 18);

        Лист лист(настройки.ресурсы());
        auto& м = лист.менеджер();
        // An object of the resources, as the game asks for it.
        auto объект = [&м](std::string имя) {
            return [&м, имя] { return м.получить_объект(имя); };
        };
        // A ball-textured object built in code, as the game builds balls, digits and explosions.
        auto шаровой = [&м](std::string меш, std::string текстура, bool прозрачный, bool цифра, float кадр = 0) {
            return [&м, меш, текстура, прозрачный, цифра, кадр]() -> std::shared_ptr<zyr::zyr_object::Объект> {
                auto материал = std::make_shared<zyr::material::Материал>();
                материал->задать_бликовый_цвет({0.5f, 0.5f, 0.5f, 1.0f});
                if (цифра) материал->задать_окружающий_цвет({0.6f, 0.6f, 0.6f, 1.0f});
                материал->задать_степень_блика(12.5f);
                материал->задать_диффузную_текстуру(м.получить_текстуру(текстура));
                материал->задать_присутствие_прозрачности(прозрачный);
                std::shared_ptr<zyr::mesh::Меш> сетка = м.получить_меш(меш);
                if (!сетка) return nullptr;
                if (кадр > 0) {
                    // A copy of its own that the skeleton moves, as every explosion has.
                    auto* скин = dynamic_cast<zyr::mesh::МешСоСкелетом*>(сетка.get());
                    if (!скин) return nullptr;
                    сетка = std::make_shared<zyr::mesh::МешСоСкелетом>(*скин);
                    сетка->присвоить_скелет(м.получить_скелет(меш));
                    сетка->установить_состояние_анимации("Action", кадр);
                }
                return std::make_shared<zyr::zyr_object::Объект>("объект_" + меш, сетка, материал);
            };
        };

        std::vector<Предмет> объекты;
        const std::pair<const char*, float> одиночные[] = {
            {"основание", 1}, {"лафет", 1},  {"ось", 1},    {"колесо", 1},          {"дуло", 1},
            {"индикатор", 1}, {"луч", 5},    {"пауза", 1},  {"назад", 1},           {"прицел", 1},
            {"бомба", 1},     {"горшок", 1}, {"писсуар", 1}, {"унитаз", 1},         {"бонус_основа", 1},
            {"самолёт", 4},   {"винт", 4},   {"авиабомба", 4}, {"микросамолётик", 1}};
        for (auto [имя, масштаб] : одиночные) объекты.push_back({имя, {{объект(имя)}}, масштаб});
        for (int n = 1; n <= 12; ++n) {
            std::string имя = fmt::format("Поле{:03d}", n);
            объекты.push_back({имя, {{объект(имя)}}});
        }
        // The cannon as the game assembles it: the turntable's node 10 above the ground,
        // the parts under a node 5 behind it, each at its own place and turn.
        const В3 X{1, 0, 0}, Z{0, 0, 1};
        объекты.push_back({"пушка в сборе",
                           {{объект("основание"), {0, 10, 0}}, {объект("индикатор"), {0, 10, 5}, 90, X},
                            {объект("лафет"), {0, 10, 5}}, {объект("ось"), {7, 10, 5}, -90, Z},
                            {объект("ось"), {-7, 10, 5}, 90, Z}, {объект("колесо"), {7, 10, 5}, 90, X},
                            {объект("колесо"), {-7, 10, 5}, -90, X}, {объект("дуло"), {0, 10, 5}}}});
        объекты.push_back({"самолёт с винтом", {{объект("самолёт")}, {объект("винт")}}, 4});

        std::vector<Предмет> меши;
        for (int c = 1; c <= 6; ++c) {
            меши.push_back({fmt::format("шарик, цвет {}", c),
                            {{шаровой("шарик", fmt::format("текстура_шарик{}", c), false, false)}}});
        }
        const char* действия[] = {"пауза", "назад", "прицел", "бомба", "микросамолётик", "пауза"};
        for (int c = 1; c <= 6; ++c) {
            меши.push_back({fmt::format("шарик «{}»", действия[c - 1]),
                            {{шаровой("шарик", fmt::format("текстура_прозрачный_шарик{}", c), true, false)},
                             {объект(действия[c - 1])}}});
        }
        for (int d = 0; d <= 9; ++d) {
            // Stood up by the quarter turn about x of the floating numbers' digits, at their scale 6.
            меши.push_back({fmt::format("цифра_{}", d),
                            {{шаровой(fmt::format("цифра_{}", d), fmt::format("текстура_шарик{}", d % 6 + 1), false, true),
                              {}, 90, X}},
                            6});
        }
        for (float кадр : {1.0f, 6.0f, 12.0f, 20.0f}) {
            меши.push_back({fmt::format("взрыв, кадр {}", кадр), {{шаровой("взрыв", "текстура_шарик1", false, false, кадр)}}, 1, 15});
        }

        for (auto [набор, файл] : {std::pair{&объекты, "объекты.png"}, std::pair{&меши, "меши.png"}}) {
            std::vector<Холст> картинки;
            std::vector<std::string> подписи;
            for (const Предмет& п : *набор) {
                картинки.push_back(лист.нарисовать(п));
                подписи.push_back(п.подпись);
            }
            сложить(картинки, подписи, шрифт, выход / файл);
        }
        using Т = Лист::Текст;
        const std::pair<const char*, std::vector<Т>> панели[] = {
            {"начальная_заставка", {}},
            {"выбор_уровней", {}},
            {"статистика",
             {Т{"очки", 0.6f, 0.9f, 0.1f, 0.1f, "Очки: 12345", "LiberationSerif-Italic_32"},
              Т{"жизни", 0.8f, 0.9f, 0.1f, 0.1f, "Жизни: 1", "LiberationSerif-Italic_32"}}},
            {"конец_игры", {}},
            {"победа", {Т{"очки", 0.2f, 0.2f, 0.6f, 0.13f, "набрано 12345 очков", "LiberationSerif-Italic_40", false}}},
        };
        for (const auto& [панель, тексты] : панели) {
            лист.нарисовать_панель(панель, тексты).сохранить_png((выход / fmt::format("панель_{}.png", панель)).string(), false);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "igra_kontakt: %s\n", e.what());
        return 1;
    }
    return 0;
}
