#include "tavrin/flow/Ortho.h"

namespace Tavrin::Flow {

float Ortho::evaluate(float time)
{
    pushProjection();
    ortho(left, right, bottom, top, -1.0f, 1.0f);
    evaluateChildren(time);
    popProjection();
    return 0.0f;
}

}
