#include "orvane/utils/scenegraph/Object.h"

namespace Orvane::Utils::SceneGraph {

const AnimatedParameter* Object::findParameter(const std::string& name) const
{
    for (const AnimatedParameter& parameter : parameters_)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

}
