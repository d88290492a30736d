// Drawable objects of the scene: a mesh with a material on a scene node, built in
// code or from the JSON object descriptions (".ob") served by their registry.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "zyr/dvigimyi_object.hpp"
#include "zyr/istochnik_resursov.hpp"
#include "zyr/resources.hpp"

namespace zyr::mesh {
class Меш;
}
namespace zyr::material {
class Материал;
}

namespace zyr::zyr_object {

// The last number given to an object; every construction takes the next one.
// Main thread only.
extern std::int32_t номер_объекта;

class Объект : public dvigimyi_object::ДвижимыйОбъект {
public:
    // Named имя followed by the next number. A null material is replaced by a
    // new default one. The mesh and material are shared, never copied.
    Объект(const std::string& имя, std::shared_ptr<mesh::Меш> меш, std::shared_ptr<material::Материал> материал);
    // Named by the other's base name and the next number; shares its mesh and
    // material instances, so a later change to either shows on both. The copy
    // is not attached to any node.
    Объект(const Объект& другой);
    Объект& operator=(const Объект&) = delete;

    // Takes the next number of the counter and returns база followed by it.
    static std::string новое_имя(const std::string& база);

    // Draws the material and then the mesh, only in pass 2 for a transparent
    // material and only in pass 1 otherwise. Without a mesh nothing is drawn.
    void рисовать(std::uint32_t проход) override;
    std::int32_t количество_граней() const override;
    virtual void новый_меш(std::shared_ptr<mesh::Меш> меш);
    // A null material is replaced by a new default one, as in the constructor.
    virtual void новый_материал(std::shared_ptr<material::Материал> материал);
    virtual std::shared_ptr<material::Материал> получить_материал() const;
    virtual std::shared_ptr<mesh::Меш> получить_меш() const;

    // The name given at the first construction, without the number.
    const std::string& базовое_имя() const { return базовое_имя_; }

    // An object from a description: "имя" (string) and "меш" (the mesh part)
    // required, "материал" optional. Null when the description is not an object
    // or its name or mesh part fails; an error in the material part is thrown.
    static std::shared_ptr<Объект> из_JSON(const nlohmann::json& описание,
                                           istochnik_resursov::ИсточникРесурсов& менеджер);

private:
    std::shared_ptr<mesh::Меш> меш_;
    std::shared_ptr<material::Материал> материал_;
    std::string базовое_имя_;
};

// Objects by the names of their descriptions (kind "объект"). The first request
// of a name gets the registry's own instance; every later one a new copy with
// its own name, sharing the instance's mesh and material.
class ЗагруженныеОбъекты : public resources::ЗагруженныеРесурсы<Объект> {
public:
    // The manager supplies the meshes, skeletons and textures that descriptions
    // name. It is not owned: the manager owns this registry and outlives it.
    ЗагруженныеОбъекты(std::shared_ptr<const resources::ИменаРесурсов> имена,
                       istochnik_resursov::ИсточникРесурсов& менеджер);

    // Any failure (an unregistered name, a file that can't be read or parsed, a
    // bad name, mesh or material part) is written to the journal under "объект"
    // and leaves the name unloaded.
    bool загрузить_один(const std::string& имя) override;
    // Null, after the line "Отсутствует ресурс объекта с именем: %s", when the
    // object cannot be loaded; a later request tries again.
    std::shared_ptr<Объект> получить(const std::string& имя) override;

private:
    istochnik_resursov::ИсточникРесурсов& менеджер_;
};

}  // namespace zyr::zyr_object
