#include "tavrin/flow/Rotate.h"

namespace Tavrin::Flow {

Rotate::Rotate(Demo* owner)
    : VisualNode(owner)
    , angle(addChild(std::make_unique<Node>(0.0f)))
    , axis(addChild(std::make_unique<VectorNode>(0.0f, 0.0f, 1.0f)))
{}

float Rotate::evaluate(float time)
{
    pushWorld();
    identityWorld();
    float degrees = angle->evaluate(time);
    Orvane::Vector3t<float> about = axis->vectorAt(time);
    // A zero axis (an unset axis element) has no direction to normalise: no rotation rather
    // than a matrix of NaNs.
    if (about.x != 0.0f || about.y != 0.0f || about.z != 0.0f)
        rotateWorld(degrees, about.x, about.y, about.z);
    evaluateChildren(time);
    popWorld();
    return 0.0f;
}

}
