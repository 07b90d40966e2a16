#include "tavrin/flow/Blend.h"

namespace Tavrin::Flow {

float Blend::evaluate(float time)
{
    enable(Orvane::Capability::Blend);
    setBlendFunc(src, dst);
    evaluateChildren(time);
    disable(Orvane::Capability::Blend);
    return 0.0f;
}

}
