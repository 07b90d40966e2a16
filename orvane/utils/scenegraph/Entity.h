#pragma once

#include "orvane/utils/scenegraph/Object.h"

#include <string>

namespace Orvane::Utils::SceneGraph {

// A record of a scene's entity tables: an animated object with two free-form strings whose meaning
// belongs to the tool that exported the scene.
class Entity : public Object {
public:
    using Object::Object;

    std::string firstDetail;
    std::string secondDetail;
};

}
