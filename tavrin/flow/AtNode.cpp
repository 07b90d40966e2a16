#include "tavrin/flow/AtNode.h"

namespace Tavrin::Flow {

float AtNode::evaluate(float t)
{
    if (time < t && t < time + length)
        evaluateChildren(t - time);
    return 0.0f;
}

}
