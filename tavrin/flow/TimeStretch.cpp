#include "tavrin/flow/TimeStretch.h"

namespace Tavrin::Flow {

float TimeStretch::evaluate(float t)
{
    evaluateChildren(factor * t - offset);
    return 0.0f;
}

}
