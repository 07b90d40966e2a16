#include "orvane/utils/scenegraph/SceneReload.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/GeometryReload.h"

namespace Orvane::Utils::SceneGraph {

namespace {

using Exceptions::Exception;

void checkSameHierarchy(const Node& old, const Node& fresh)
{
    if (old.getName() != fresh.getName() || old.children().size() != fresh.children().size())
        throw Exception("the node \"" + old.getName()
                        + "\" was renamed or gained or lost children: effects "
                          "keep its nodes, restart the demo to see the change");
    for (size_t i = 0; i < old.children().size(); ++i)
        checkSameHierarchy(*old.children()[i], *fresh.children()[i]);
}

void checkMeshesReplaceable(const Scene& old, const Scene& fresh)
{
    for (const auto& [key, mesh] : fresh.meshes()) {
        auto kept = old.meshes().find(key);
        if (mesh && kept != old.meshes().end() && kept->second && !untouchedSinceLoading(*kept->second))
            throw Exception("the scene's mesh \"" + key + "\" was changed by an effect: restart the demo to see it");
    }
}

void takeObject(Object& old, Object& fresh)
{
    old.setName(fresh.getName());
    old.parameters() = std::move(fresh.parameters());
}

void take(Geometry& old, Geometry& fresh) { old.swapContents(fresh); }

void take(Material& old, Material& fresh)
{
    takeObject(old, fresh);
    old.slots() = std::move(fresh.slots());
}

void take(Entity& old, Entity& fresh)
{
    takeObject(old, fresh);
    old.firstDetail = std::move(fresh.firstDetail);
    old.secondDetail = std::move(fresh.secondDetail);
}

template <typename T>
void mergeTable(Scene::Table<T>& old, Scene::Table<T>& fresh)
{
    for (auto& [key, entry] : fresh) {
        auto kept = old.find(key);
        if (kept != old.end() && kept->second && entry)
            take(*kept->second, *entry);
        else
            old[key] = std::move(entry);
    }
    fresh.clear();
}

template <typename T>
T* lookUp(const Scene::Table<T>& table, const std::string& key)
{
    auto found = table.find(key);
    return found == table.end() ? nullptr : found->second.get();
}

// The fresh node's contents go into the old node, their pointers into the merged tables.
void takeNode(const Scene& scene, Node& old, Node& fresh)
{
    takeObject(old, fresh);
    old.transforms() = std::move(fresh.transforms());
    old.meshInstances() = std::move(fresh.meshInstances());
    old.entityReferencesA() = std::move(fresh.entityReferencesA());
    old.entityReferencesB() = std::move(fresh.entityReferencesB());
    for (MeshInstance& instance : old.meshInstances()) {
        instance.mesh = lookUp(scene.meshes(), instance.meshKey);
        instance.material = lookUp(scene.materials(), instance.materialKey);
    }
    for (EntityReference& reference : old.entityReferencesA())
        reference.entity = lookUp(scene.entityTableA(), reference.key);
    for (EntityReference& reference : old.entityReferencesB())
        reference.entity = lookUp(scene.entityTableB(), reference.key);
    for (size_t i = 0; i < old.children().size(); ++i)
        takeNode(scene, *old.children()[i], *fresh.children()[i]);
}

}

void reloadScene(Scene& scene, Scene& fresh)
{
    checkSameHierarchy(scene, fresh);
    checkMeshesReplaceable(scene, fresh);
    mergeTable(scene.meshes(), fresh.meshes());
    mergeTable(scene.materials(), fresh.materials());
    mergeTable(scene.entityTableA(), fresh.entityTableA());
    mergeTable(scene.entityTableB(), fresh.entityTableB());
    for (size_t i = 0; i < scene.children().size(); ++i)
        takeNode(scene, *scene.children()[i], *fresh.children()[i]);
}

}
