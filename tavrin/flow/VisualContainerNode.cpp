#include "tavrin/flow/VisualContainerNode.h"

#include "tavrin/profile/FrameProfiler.h"

#include <typeinfo>

namespace Tavrin::Flow {

float VisualContainerNode::evaluate(float time)
{
    Profile::ProfileScope profile(typeid(*this));
    pushAll();
    draw(time);
    popAll();
    return 0.0f;
}

}
