#include "tavrin/flow/ParentNode.h"

namespace Tavrin::Flow {

float ParentNode::evaluate(float time)
{
    evaluateChildren(time);
    return value;
}

}
