// The contact sheet: every object and mesh of the built game folder, loaded through
// the engine's mesh, skeleton and texture registries and drawn with OpenGL in a
// grid, lit, from one fixed direction; and every info panel laid out over a plain
// background. A person looks at the data without playing; a cell that stays empty
// fails the run.
#include <GL/gl.h>
#include <SDL.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fmt/format.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "src/nastroiki.hpp"
#include "tools/generator/holst.hpp"
#include "tools/generator/vektor.hpp"
#include "zyr/mesh.hpp"
#include "zyr/resources.hpp"
#include "zyr/skelet.hpp"
#include "zyr/texture.hpp"

namespace fs = std::filesystem;
using namespace generator;

namespace {

constexpr int КЛЕТКА = 224, ПОДПИСЬ = 26, СТОЛБЦОВ = 6;
const Цвет ФОН{0.24f, 0.26f, 0.3f, 1};

nlohmann::json прочитать_json(const fs::path& файл) {
    std::FILE* ф = std::fopen(файл.c_str(), "rb");
    if (!ф) throw std::runtime_error("не открывается " + файл.string());
    std::string т;
    char буфер[4096];
    for (std::size_t n; (n = std::fread(буфер, 1, sizeof буфер, ф)) > 0;) т.append(буфер, n);
    std::fclose(ф);
    return nlohmann::json::parse(т);
}

// A part of a drawn item: a mesh with its material, placed by a translation and a
// turn (degrees about an axis) as a scene node would place it.
struct Часть {
    std::string меш;
    nlohmann::json материал = nlohmann::json::object();
    В3 место{};
    float угол = 0;
    В3 ось{1, 0, 0};
};

struct Предмет {
    std::string подпись;
    std::vector<Часть> части;
    float кадр = 0;  // above 0: the skinned mesh in that frame of "Action"
};

Предмет один(std::string подпись, std::string меш, nlohmann::json материал, float кадр = 0) {
    return {std::move(подпись), {Часть{std::move(меш), std::move(материал)}}, кадр};
}

// The material's colours by the engine's defaults and rules.
struct Краски {
    float диффуз[4]{0.7f, 0.7f, 0.7f, 1}, окружение[4]{0.1f, 0.1f, 0.1f, 1}, блик[4]{0, 0, 0, 1};
    float степень = 5;
    std::string текстура;
};

Краски краски(const nlohmann::json& м) {
    Краски к;
    auto цвет = [&](const char* ключ, float* куда) {
        if (!м.contains(ключ)) return false;
        for (int i = 0; i < 4; ++i) куда[i] = м[ключ].at(i).get<float>();
        return true;
    };
    if (цвет("диффузный_цвет", к.диффуз)) {
        for (int i = 0; i < 3; ++i) к.окружение[i] = к.диффуз[i] / 5;
    }
    цвет("окружающий_цвет", к.окружение);
    цвет("бликовый_цвет", к.блик);
    if (м.contains("степень_блика")) к.степень = м["степень_блика"].get<float>();
    if (м.contains("диффузная_текстура")) к.текстура = м["диффузная_текстура"].get<std::string>();
    return к;
}

class Лист {
public:
    Лист(const std::vector<std::string>& каталоги) {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        окно_ = SDL_CreateWindow("контактный лист", 0, 0, КЛЕТКА, КЛЕТКА, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!окно_) throw std::runtime_error(std::string("окно: ") + SDL_GetError());
        контекст_ = SDL_GL_CreateContext(окно_);
        if (!контекст_) throw std::runtime_error(std::string("контекст: ") + SDL_GetError());
        имена_ = zyr::resources::ИменаРесурсов::создать(каталоги);
        меши_ = std::make_unique<zyr::mesh::ЗагруженныеМеши>(имена_);
        скелеты_ = std::make_unique<zyr::skelet::ЗагруженныеСкелеты>(имена_);
        текстуры_ = std::make_unique<zyr::texture::ЗагруженныеТекстуры>(имена_);
    }
    ~Лист() {
        текстуры_.reset();
        if (контекст_) SDL_GL_DeleteContext(контекст_);
        if (окно_) SDL_DestroyWindow(окно_);
        SDL_Quit();
    }

    // Draws one item into the window and returns the picture; throws when the mesh
    // is missing or nothing of it shows.
    Холст нарисовать(const Предмет& п) {
        // The meshes, an animated one as a copy of its own.
        std::vector<std::shared_ptr<zyr::mesh::Меш>> меши;
        for (const Часть& ч : п.части) {
            std::shared_ptr<zyr::mesh::Меш> меш = меши_->получить(ч.меш);
            if (!меш) throw std::runtime_error("нет меша " + ч.меш);
            if (п.кадр > 0) {
                меш = меши_->получить(ч.меш);
                auto скелет = скелеты_->получить(ч.меш);
                if (!скелет) throw std::runtime_error("нет скелета " + ч.меш);
                меш->присвоить_скелет(скелет);
                меш->установить_состояние_анимации("Action", п.кадр);
            }
            меши.push_back(меш);
        }
        // The bounding box of the placed parts; the data block starts with the rest positions.
        В3 мин{1e9f, 1e9f, 1e9f}, макс{-1e9f, -1e9f, -1e9f};
        for (std::size_t k = 0; k < меши.size(); ++k) {
            const Часть& ч = п.части[k];
            М3 поворот = М3::поворот(ч.ось, ч.угол * ПИ / 180);
            auto блок = меши[k]->блок_данных();
            for (int i = 0; i < меши[k]->количество_вершин(); ++i) {
                В3 p;
                std::memcpy(&p, блок.data() + 12 * static_cast<std::size_t>(i), sizeof p);
                p = поворот * p + ч.место;
                мин = {std::min(мин.x, p.x), std::min(мин.y, p.y), std::min(мин.z, p.z)};
                макс = {std::max(макс.x, p.x), std::max(макс.y, p.y), std::max(макс.z, p.z)};
            }
        }
        В3 центр = (мин + макс) * 0.5f;
        float радиус = std::max(длина(макс - мин) * 0.5f, 0.01f) * (п.кадр > 0 ? 2.6f : 1.0f);

        glViewport(0, 0, КЛЕТКА, КЛЕТКА);
        glClearColor(ФОН.r, ФОН.g, ФОН.b, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const float поле = 0.6f;
        float расстояние = радиус / std::sin(поле / 2);
        float ближе = std::max(расстояние - радиус * 1.1f, 0.01f), дальше = расстояние + радиус * 1.1f;
        float пол = ближе * std::tan(поле / 2);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-пол, пол, -пол, пол, ближе, дальше);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float свет[4] = {0.35f, 0.75f, 0.55f, 0}, белый[4] = {1, 1, 1, 1}, полсвета[4] = {0.5f, 0.5f, 0.5f, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, свет);  // fixed to the camera
        glLightfv(GL_LIGHT0, GL_DIFFUSE, белый);
        glLightfv(GL_LIGHT0, GL_SPECULAR, белый);
        glLightfv(GL_LIGHT0, GL_AMBIENT, полсвета);
        // The camera looks from the front right above along one direction for every item.
        В3 вперёд = нормировать(В3{-0.55f, -0.45f, -0.7f});
        В3 глаз = центр - вперёд * расстояние;
        В3 вправо = нормировать(векторное(вперёд, {0, 1, 0})), вверх = векторное(вправо, вперёд);
        const float вид[16] = {вправо.x, вверх.x, -вперёд.x, 0, вправо.y, вверх.y, -вперёд.y, 0,
                               вправо.z, вверх.z, -вперёд.z, 0, -скаляр(вправо, глаз), -скаляр(вверх, глаз),
                               скаляр(вперёд, глаз), 1};
        glMultMatrixf(вид);

        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        for (std::size_t k = 0; k < меши.size(); ++k) {
            const Часть& ч = п.части[k];
            Краски к = краски(ч.материал);
            glMaterialfv(GL_FRONT, GL_AMBIENT, к.окружение);
            glMaterialfv(GL_FRONT, GL_SPECULAR, к.блик);
            glMaterialfv(GL_FRONT, GL_DIFFUSE, к.диффуз);
            glMaterialf(GL_FRONT, GL_SHININESS, к.степень);
            glBindTexture(GL_TEXTURE_2D, 0);
            if (!к.текстура.empty()) {
                auto т = текстуры_->получить(к.текстура);
                if (!т || т->получить_ширину() == 0) throw std::runtime_error("нет текстуры " + к.текстура);
                т->рисовать();
            }
            glPushMatrix();
            glTranslatef(ч.место.x, ч.место.y, ч.место.z);
            glRotatef(ч.угол, ч.ось.x, ч.ось.y, ч.ось.z);
            меши[k]->рисовать();
            glPopMatrix();
        }
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();

        std::vector<unsigned char> байты(static_cast<std::size_t>(КЛЕТКА) * КЛЕТКА * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, КЛЕТКА, КЛЕТКА, GL_RGBA, GL_UNSIGNED_BYTE, байты.data());
        if (glGetError() != GL_NO_ERROR) throw std::runtime_error("ошибка OpenGL при рисовании " + п.подпись);
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

private:
    SDL_Window* окно_ = nullptr;
    SDL_GLContext контекст_ = nullptr;
    std::shared_ptr<zyr::resources::ИменаРесурсов> имена_;
    std::unique_ptr<zyr::mesh::ЗагруженныеМеши> меши_;
    std::unique_ptr<zyr::skelet::ЗагруженныеСкелеты> скелеты_;
    std::unique_ptr<zyr::texture::ЗагруженныеТекстуры> текстуры_;
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

// A panel laid out as its description places it, in a 1024 x 768 window over a
// plain background: elements in their parents' unit squares, textures by their
// rectangles (v = 0 the top row), children drawn after their parent.
void разложить(Холст& окно, const nlohmann::json& элементы, float X, float Y, float W, float H, const fs::path& ресурсы) {
    for (const auto& э : элементы) {
        const auto& к = э.at("координаты");
        float x = к.at(0).get<float>(), y = к.at(1).get<float>(), w = к.at(2).get<float>(), h = к.at(3).get<float>();
        if (x < 0) x += 1;
        if (y < 0) y += 1;
        float ex = X + x * W, ey = Y + y * H, ew = w * W, eh = h * H;
        if (э.contains("текстура")) {
            Холст т = Холст::прочитать((ресурсы / (э["текстура"].get<std::string>() + ".png")).string());
            float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
            if (э.contains("координаты_текстуры")) {
                const auto& т_к = э["координаты_текстуры"];
                u0 = т_к.at(0), v0 = т_к.at(1), u1 = т_к.at(2), v1 = т_к.at(3);
            }
            int В = окно.высота();
            for (int py = static_cast<int>(В - (ey + eh)); py < static_cast<int>(В - ey); ++py)
                for (int px = static_cast<int>(ex); px < static_cast<int>(ex + ew); ++px) {
                    if (px < 0 || py < 0 || px >= окно.ширина() || py >= В) continue;
                    float fx = (px + 0.5f - ex) / ew, fy = 1 - ((В - py - 0.5f) - ey) / eh;
                    float u = u0 + (u1 - u0) * fx, v = v0 + (v1 - v0) * fy;
                    int tx = std::clamp(static_cast<int>(u * т.ширина()), 0, т.ширина() - 1);
                    int ty = std::clamp(static_cast<int>(v * т.высота()), 0, т.высота() - 1);
                    окно.наложить(px, py, т.пиксель(tx, ty));
                }
        }
        if (э.contains("элементы")) разложить(окно, э["элементы"], ex, ey, ew, eh, ресурсы);
    }
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

        // An object description as a part at the origin.
        auto часть = [&](const std::string& объект) {
            nlohmann::json о = прочитать_json(ресурсы / (объект + ".ob"));
            return Часть{о.at("меш").at("имя"), о.value("материал", nlohmann::json::object())};
        };
        std::vector<Предмет> объекты;
        for (const char* имя : {"основание", "лафет", "ось", "колесо", "дуло", "индикатор", "луч", "пауза", "назад",
                                "прицел", "бомба", "микросамолётик", "горшок", "писсуар", "унитаз", "бонус_основа",
                                "самолёт", "винт", "авиабомба"}) {
            объекты.push_back(один(имя, часть(имя).меш, часть(имя).материал));
        }
        for (int n = 1; n <= 12; ++n) {
            std::string имя = fmt::format("Поле{:03d}", n);
            объекты.push_back(один(имя, часть(имя).меш, часть(имя).материал));
        }
        // The cannon as the game assembles it: the turntable's node 10 above the ground,
        // the parts under a node 5 behind it, each at its own place and turn.
        auto на_месте = [&](const char* объект, В3 место, float угол, В3 ось) {
            Часть ч = часть(объект);
            ч.место = место;
            ч.угол = угол;
            ч.ось = ось;
            return ч;
        };
        const В3 X{1, 0, 0}, Z{0, 0, 1};
        объекты.push_back({"пушка в сборе",
                           {на_месте("основание", {0, 10, 0}, 0, X), на_месте("индикатор", {0, 10, 5}, 90, X),
                            на_месте("лафет", {0, 10, 5}, 0, X), на_месте("ось", {7, 10, 5}, -90, Z),
                            на_месте("ось", {-7, 10, 5}, 90, Z), на_месте("колесо", {7, 10, 5}, 90, X),
                            на_месте("колесо", {-7, 10, 5}, -90, X), на_месте("дуло", {0, 10, 5}, 0, X)}});
        объекты.push_back({"самолёт с винтом", {часть("самолёт"), часть("винт")}});
        std::vector<Предмет> меши;
        const nlohmann::json шар = {{"бликовый_цвет", {0.5, 0.5, 0.5, 1.0}}, {"степень_блика", 12.5}};
        for (int c = 1; c <= 6; ++c) {
            nlohmann::json м = шар;
            м["диффузная_текстура"] = fmt::format("текстура_шарик{}", c);
            меши.push_back(один(fmt::format("шарик, цвет {}", c), "шарик", м));
        }
        for (int c = 1; c <= 6; ++c) {
            nlohmann::json м = шар;
            м["диффузная_текстура"] = fmt::format("текстура_прозрачный_шарик{}", c);
            меши.push_back(один(fmt::format("прозрачный шарик {}", c), "шарик", м));
        }
        for (int d = 0; d <= 9; ++d) {
            nlohmann::json м = шар;
            м["окружающий_цвет"] = {0.6, 0.6, 0.6, 1.0};
            м["диффузная_текстура"] = fmt::format("текстура_шарик{}", d % 6 + 1);
            // Stood up by the quarter turn about x that the floating numbers give their digits.
            Часть ч{fmt::format("цифра_{}", d), м, {}, 90, {1, 0, 0}};
            меши.push_back({ч.меш, {ч}});
        }
        for (float кадр : {1.0f, 6.0f, 12.0f, 20.0f}) {
            nlohmann::json м = шар;
            м["диффузная_текстура"] = "текстура_шарик1";
            меши.push_back(один(fmt::format("взрыв, кадр {}", кадр), "взрыв", м, кадр));
        }

        Лист лист(настройки.ресурсы());
        for (auto [набор, файл] : {std::pair{&объекты, "объекты.png"}, std::pair{&меши, "меши.png"}}) {
            std::vector<Холст> картинки;
            std::vector<std::string> подписи;
            for (const Предмет& п : *набор) {
                картинки.push_back(лист.нарисовать(п));
                подписи.push_back(п.подпись);
            }
            сложить(картинки, подписи, шрифт, выход / файл);
        }
        for (const char* панель : {"начальная_заставка", "выбор_уровней", "статистика", "конец_игры", "победа"}) {
            nlohmann::json о = прочитать_json(ресурсы / (std::string(панель) + ".ip"));
            Холст окно(1024, 768, {0.35f, 0.5f, 0.3f, 1});
            разложить(окно, о.at("элементы"), 0, 0, 1024, 768, ресурсы);
            окно.сохранить_png((выход / fmt::format("панель_{}.png", панель)).string(), false);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "igra_kontakt: %s\n", e.what());
        return 1;
    }
    return 0;
}
