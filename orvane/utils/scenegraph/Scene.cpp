#include "orvane/utils/scenegraph/Scene.h"

#include "orvane/utils/geometry/Geometry.h"

namespace Orvane::Utils::SceneGraph {

Scene::Scene() = default;

// Here, where Geometry is complete, so the mesh table can destroy its meshes.
Scene::~Scene() = default;

void Scene::update(float time) { Node::update(time, Matrix4()); }

}
