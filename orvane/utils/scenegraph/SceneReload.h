#pragma once

#include "orvane/utils/scenegraph/Scene.h"

namespace Orvane::Utils::SceneGraph {

// Moves a scene read again from its file (fresh) into the scene that holders point at, keeping
// every node object and every mesh, material and entity object whose key both versions have, so
// that pointers taken into the old scene stay valid and see the new contents. Entries only the old
// scene has stay (unused); new ones move in. Needs the same node hierarchy (names and children);
// otherwise, or when an effect has changed one of the scene's meshes, it throws Exception saying
// that a restart is needed, before anything changes. fresh is left emptied.
void reloadScene(Scene& scene, Scene& fresh);

}
