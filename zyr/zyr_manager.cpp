#include "zyr/zyr_manager.hpp"

#include "my_utils/journal.hpp"
#include "zyr/camera.hpp"
#include "zyr/infopanel.hpp"
#include "zyr/mesh.hpp"
#include "zyr/mesto.hpp"
#include "zyr/okno.hpp"
#include "zyr/resources.hpp"
#include "zyr/skelet.hpp"
#include "zyr/texture.hpp"
#include "zyr/zavisimost/shrift_SDL2.hpp"
#include "zyr/zavisimost/sobytija_SDL2.hpp"
#include "zyr/zavisimost/vis_gl.hpp"
#include "zyr/zyr_object.hpp"

namespace zyr::zyr_manager {

namespace {
using my_utils::journal::УровниЖурнала;
using my_utils::journal::в_журнал;
namespace события = zavisimost::sobytija_SDL2;
constexpr const char* МОДУЛЬ = "zyr_менеджер";
}  // namespace

std::int64_t микросекунды_между(Часы::time_point от, Часы::time_point до) {
    const auto прошло = std::chrono::duration_cast<std::chrono::nanoseconds>(до - от);
    const std::int64_t секунд = прошло.count() / 1'000'000'000;
    const std::int64_t остаток = прошло.count() % 1'000'000'000;
    const std::int64_t сотен_наносекунд = секунд * 10'000'000 + остаток / 100;
    return сотен_наносекунд / 10;
}

std::shared_ptr<ZYRМенеджер> ZYRМенеджер::создать(std::vector<std::string> каталоги_ресурсов) {
    std::shared_ptr<ZYRМенеджер> менеджер(new ZYRМенеджер());
    менеджер->построить(std::move(каталоги_ресурсов));
    istochnik_resursov::установить_источник_ресурсов(менеджер);
    return менеджер;
}

ZYRМенеджер::~ZYRМенеджер() = default;

void ZYRМенеджер::построить(std::vector<std::string> каталоги_ресурсов) {
    имена_ресурсов_ = resources::ИменаРесурсов::создать(std::move(каталоги_ресурсов));

    меши_ = std::make_unique<mesh::ЗагруженныеМеши>(имена_ресурсов_);
    скелеты_ = std::make_unique<skelet::ЗагруженныеСкелеты>(имена_ресурсов_);
    текстуры_ = std::make_unique<texture::ЗагруженныеТекстуры>(имена_ресурсов_);
    текстуры_в_памяти_ = std::make_unique<texture::ЗагруженныеВПамятьТекстуры>(имена_ресурсов_);
    шрифты_ = std::make_unique<zavisimost::shrift_SDL2::ЗагруженныеTTFШрифты>(имена_ресурсов_);
    инфопанели_реестр_ = std::make_unique<infopanel::ЗагруженныеИнфопанели>(имена_ресурсов_, *this);
    объекты_ = std::make_unique<zyr_object::ЗагруженныеОбъекты>(имена_ресурсов_, *this);

    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, "Сейчас будем создавать визуализатор");
    визуализатор_ = zavisimost::vis_gl::Визуализатор_gl::создать(*this);

    начальное_место_ = std::make_shared<mesto::Место>("Начальное место");
    место_фона_ = std::make_shared<mesto::Место>("Место фона");
    камера_ = std::make_shared<camera::Камера>("Камера по-умолчанию");
    место_камеры_ = std::make_shared<mesto::Место>("Место камеры");

    место_камеры_->задать_позицию(0.0f, 0.0f, 5.0f);
    место_камеры_->задать_ориентацию(quaternion::Кватернион::НОЛЬ);
    в_журнал(МОДУЛЬ, УровниЖурнала::Отладка, [this] { return место_камеры_->toString(); });
    место_камеры_->присоединить_объект(камера_);

    время_обновления_ = Часы::now();
}

bool ZYRМенеджер::обработка_событий_отсутствует() const { return обработчик_событий_ == nullptr; }

bool ZYRМенеджер::обработка_событий() {
    if (обработка_событий_отсутствует())
        задать_обработчик_событий(события::создать<события::СтандартныйОбработчикСобытий>());
    // The pass may install another handler; the running one stays alive until it returns.
    const auto обработчик = обработчик_событий_;
    return обработчик->обработка();
}

void ZYRМенеджер::задать_обработчик_событий(std::shared_ptr<события::ОбработчикСобытий> обработчик) {
    обработчик_событий_ = std::move(обработчик);
    if (обработчик_событий_ && обработчик_событий_->управление_мышью()) okno::включить_управление_мышью();
    else okno::выключить_управление_мышью();
}

void ZYRМенеджер::задать_функцию_обновления_сцены(ФункцияОбновленияСцены функция) {
    функция_обновления_сцены_ = std::move(функция);
}

float ZYRМенеджер::подсчёт_времени() {
    const auto сейчас = Часы::now();
    const std::int64_t микросекунд = микросекунды_между(время_обновления_, сейчас);
    время_обновления_ = сейчас;
    return static_cast<float>(микросекунд) / 1'000'000.0f;
}

void ZYRМенеджер::обновить_сцену() {
    const float секунд = подсчёт_времени();
    // A copy: the function may replace itself while it runs.
    if (auto функция = функция_обновления_сцены_) функция(секунд);
}

std::shared_ptr<mesh::Меш> ZYRМенеджер::получить_меш(const std::string& имя) { return меши_->получить(имя); }

std::shared_ptr<skelet::Скелет> ZYRМенеджер::получить_скелет(const std::string& имя) {
    return скелеты_->получить(имя);
}

std::shared_ptr<texture::Текстура> ZYRМенеджер::получить_текстуру(const std::string& имя) {
    return текстуры_->получить(имя);
}

std::shared_ptr<texture::ТекстураВПамяти> ZYRМенеджер::получить_текстуру_в_памяти(const std::string& имя) {
    return текстуры_в_памяти_->получить(имя);
}

std::shared_ptr<zyr_object::Объект> ZYRМенеджер::получить_объект(const std::string& имя) {
    return объекты_->получить(имя);
}

std::shared_ptr<zavisimost::shrift_SDL2::TTFШрифт> ZYRМенеджер::получить_ttf_шрифт(const std::string& имя) {
    return шрифты_->получить(имя);
}

std::shared_ptr<infopanel::Инфопанель> ZYRМенеджер::получить_инфопанель(const std::string& имя) {
    return инфопанели_реестр_->получить(имя);
}

void ZYRМенеджер::добавить_инфопанель(std::shared_ptr<infopanel::Инфопанель> панель) {
    if (!панель) return;
    инфопанели_.insert_or_assign(панель->получить_имя(), std::move(панель));
}

void ZYRМенеджер::удалить_инфопанель(const std::shared_ptr<infopanel::Инфопанель>& панель) {
    if (панель) удалить_инфопанель(панель->получить_имя());
}

void ZYRМенеджер::удалить_инфопанель(const std::string& имя) { инфопанели_.erase(имя); }

void ZYRМенеджер::удалить_все_инфопанели() { инфопанели_.clear(); }

void ZYRМенеджер::отрисовка_инфопанелей() {
    for (const auto& [имя, панель] : инфопанели_) панель->рисовать();
}

}  // namespace zyr::zyr_manager
