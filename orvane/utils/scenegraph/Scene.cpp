#include "orvane/utils/scenegraph/Scene.h"

namespace Orvane::Utils::SceneGraph {

Scene::Scene() = default;

Scene::~Scene() = default;

void Scene::update(float time) { Node::update(time, Matrix4()); }

namespace {

template <typename T>
T* lookUp(const Scene::Table<T>& table, const std::string& key)
{
    auto found = table.find(key);
    return found == table.end() ? nullptr : found->second.get();
}

}

void Scene::addMeshInstance(Node& node, const std::string& meshKey, const std::string& materialKey) const
{
    node.meshInstances().push_back({meshKey, materialKey, lookUp(meshes_, meshKey), lookUp(materials_, materialKey)});
}

}
