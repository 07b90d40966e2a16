#include "tavrin/flow/PerspectiveNode.h"

#include "tavrin/Demo.h"

namespace Tavrin::Flow {

PerspectiveNode::PerspectiveNode(Demo* owner)
    : Visual(owner)
    , fov(addChild(std::make_unique<Node>(45.0f)))
    , aspect(addChild(std::make_unique<Node>(owner->aspect)))
    , nearPlane(addChild(std::make_unique<Node>(1.0f)))
    , farPlane(addChild(std::make_unique<Node>(1000.0f)))
{}

float PerspectiveNode::evaluate(float time)
{
    float farValue = farPlane->evaluate(time);
    float nearValue = nearPlane->evaluate(time);
    float aspectValue = aspect->evaluate(time);
    float fovValue = fov->evaluate(time);
    perspective(fovValue, aspectValue, nearValue, farValue);
    evaluateChildren(time);
    return 0.0f;
}

}
