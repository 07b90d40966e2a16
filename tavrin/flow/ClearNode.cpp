#include "tavrin/flow/ClearNode.h"

#include "tavrin/Demo.h"
#include "tavrin/flow/CurrentDevice.h"

namespace Tavrin::Flow {

ClearNode::ClearNode(Demo* owner)
    : VisualNode(owner)
    , color(addChild(std::make_unique<Color>(0.0f, 0.0f, 0.0f, 1.0f)))
    , depth(addChild(std::make_unique<Node>(1.0f)))
{}

float ClearNode::evaluate(float time)
{
    if (demo->prerolling())
        return 0.0f;
    Orvane::Vector4t<float> rgba = color->colorAt(time);
    float depthValue = depth->evaluate(time);
    currentDevice("clear").clear(target, rgba.x, rgba.y, rgba.z, rgba.w, depthValue, 0);
    return 0.0f;
}

}
