#pragma once

#include "orvane/utils/scenegraph/MatrixControllers.h"
#include "orvane/utils/scenegraph/Node.h"

#include <memory>

// Shorthands for building animated transforms in code, as asset tools do before writing a scene.
namespace Orvane::Utils::SceneGraph {

using Channel = std::unique_ptr<Controller<float>>;

inline Channel constantChannel(float value) { return std::make_unique<ConstantController<float>>(value); }

inline Node::Transform makeTranslation(Channel x, Channel y, Channel z)
{
    return std::make_unique<Translation>(
        std::make_unique<CompositeVector3Controller<float>>(std::move(x), std::move(y), std::move(z)));
}

inline Node::Transform makeTranslation(float x, float y, float z)
{
    return makeTranslation(constantChannel(x), constantChannel(y), constantChannel(z));
}

// Rotation by angle degrees about the axis (x, y, z).
inline Node::Transform makeRotation(Channel x, Channel y, Channel z, Channel angle)
{
    return std::make_unique<Rotation>(std::make_unique<CompositeVector4Controller<float>>(
        std::move(x), std::move(y), std::move(z), std::move(angle)));
}

inline Node::Transform makeRotation(float x, float y, float z, float angle)
{
    return makeRotation(constantChannel(x), constantChannel(y), constantChannel(z), constantChannel(angle));
}

inline Node::Transform makeScale(Channel x, Channel y, Channel z)
{
    return std::make_unique<Scale>(
        std::make_unique<CompositeVector3Controller<float>>(std::move(x), std::move(y), std::move(z)));
}

inline Node::Transform makeScale(float x, float y, float z)
{
    return makeScale(constantChannel(x), constantChannel(y), constantChannel(z));
}

}
