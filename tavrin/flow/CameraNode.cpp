#include "tavrin/flow/CameraNode.h"

#include "orvane/State.h"

namespace Tavrin::Flow {

CameraNode::CameraNode()
    : position(addChild(std::make_unique<VectorNode>(100.0f, 100.0f, 100.0f)))
    , target(addChild(std::make_unique<VectorNode>(0.0f, 0.0f, 0.0f)))
    , up(addChild(std::make_unique<VectorNode>(0.0f, 0.0f, 1.0f)))
{}

float CameraNode::evaluate(float time)
{
    Orvane::Vector3t<float> upValue = up->vectorAt(time);
    Orvane::Vector3t<float> targetValue = target->vectorAt(time);
    Orvane::Vector3t<float> eye = position->vectorAt(time);
    Orvane::State::lookAt(eye.x, eye.y, eye.z, targetValue.x, targetValue.y, targetValue.z, upValue.x, upValue.y,
                          upValue.z);
    evaluateChildren(time);
    return 0.0f;
}

}
