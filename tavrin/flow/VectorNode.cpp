#include "tavrin/flow/VectorNode.h"

namespace Tavrin::Flow {

VectorNode::VectorNode(float initialX, float initialY, float initialZ)
    : x(keepUnlisted(std::make_unique<Node>(initialX)))
    , y(keepUnlisted(std::make_unique<Node>(initialY)))
    , z(keepUnlisted(std::make_unique<Node>(initialZ)))
{}

Orvane::Vector3t<float> VectorNode::vectorAt(float time)
{
    float vx = x->evaluate(time);
    float vy = y->evaluate(time);
    float vz = z->evaluate(time);
    return {vx, vy, vz};
}

}
