// The engine's resource getters behind a narrow interface, so that modules which
// fetch resources by name (object and mesh descriptions, panels) work and are
// tested without the engine manager or a window. The manager implements it and
// installs itself as the current source.
#pragma once

#include <memory>
#include <string>

namespace zyr::mesh { class Меш; }
namespace zyr::skelet { class Скелет; }
namespace zyr::texture { class Текстура; class ТекстураВПамяти; }
namespace zyr::zyr_object { class Объект; }
namespace zyr::zavisimost::shrift_SDL2 { class TTFШрифт; }
namespace zyr::infopanel { class Инфопанель; }

namespace zyr::istochnik_resursov {

// Each getter returns the resource of that name from its registry, or null
// (after the registry's journal lines) when it cannot be had.
class ИсточникРесурсов {
public:
    virtual ~ИсточникРесурсов() = default;

    virtual std::shared_ptr<mesh::Меш> получить_меш(const std::string& имя) = 0;
    virtual std::shared_ptr<skelet::Скелет> получить_скелет(const std::string& имя) = 0;
    virtual std::shared_ptr<texture::Текстура> получить_текстуру(const std::string& имя) = 0;
    virtual std::shared_ptr<texture::ТекстураВПамяти> получить_текстуру_в_памяти(const std::string& имя) = 0;
    virtual std::shared_ptr<zyr_object::Объект> получить_объект(const std::string& имя) = 0;
    // The name is the font's base name, "_" and the point size.
    virtual std::shared_ptr<zavisimost::shrift_SDL2::TTFШрифт> получить_ttf_шрифт(const std::string& имя) = 0;
    virtual std::shared_ptr<infopanel::Инфопанель> получить_инфопанель(const std::string& имя) = 0;
};

// A source that has nothing: every getter returns null. Test doubles derive
// from it and override only the getters they serve.
class ПустойИсточникРесурсов : public ИсточникРесурсов {
public:
    std::shared_ptr<mesh::Меш> получить_меш(const std::string&) override { return nullptr; }
    std::shared_ptr<skelet::Скелет> получить_скелет(const std::string&) override { return nullptr; }
    std::shared_ptr<texture::Текстура> получить_текстуру(const std::string&) override { return nullptr; }
    std::shared_ptr<texture::ТекстураВПамяти> получить_текстуру_в_памяти(const std::string&) override { return nullptr; }
    std::shared_ptr<zyr_object::Объект> получить_объект(const std::string&) override { return nullptr; }
    std::shared_ptr<zavisimost::shrift_SDL2::TTFШрифт> получить_ttf_шрифт(const std::string&) override { return nullptr; }
    std::shared_ptr<infopanel::Инфопанель> получить_инфопанель(const std::string&) override { return nullptr; }
};

// The current source (main thread only): the engine manager once it exists,
// null before. Modules that fetch resources without being handed a source use it.
void установить_источник_ресурсов(std::shared_ptr<ИсточникРесурсов> источник);
std::shared_ptr<ИсточникРесурсов> источник_ресурсов();

// Installs a source for the object's lifetime and puts the previous one back
// afterwards (tests install their doubles this way).
class ЗаменаИсточникаРесурсов {
public:
    explicit ЗаменаИсточникаРесурсов(std::shared_ptr<ИсточникРесурсов> источник);
    ~ЗаменаИсточникаРесурсов();
    ЗаменаИсточникаРесурсов(const ЗаменаИсточникаРесурсов&) = delete;
    ЗаменаИсточникаРесурсов& operator=(const ЗаменаИсточникаРесурсов&) = delete;

private:
    std::shared_ptr<ИсточникРесурсов> прежний_;
};

}  // namespace zyr::istochnik_resursov
