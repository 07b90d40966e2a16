#include "orvane/utils/scenegraph/Scene.h"

namespace Orvane::Utils::SceneGraph {

Scene::Scene() = default;

Scene::~Scene() = default;

void Scene::update(float time) { Node::update(time, Matrix4()); }

}
