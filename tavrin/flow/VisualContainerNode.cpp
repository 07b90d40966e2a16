#include "tavrin/flow/VisualContainerNode.h"

namespace Tavrin::Flow {

float VisualContainerNode::evaluate(float time)
{
    pushAll();
    draw(time);
    popAll();
    return 0.0f;
}

}
