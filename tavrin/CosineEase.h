#pragma once

#include <algorithm>
#include <cmath>

namespace Tavrin {

// The ease used by fades, sync tracks and effects. The constant is deliberately a little below pi,
// so the curve stops just short of 1; existing timing was tuned against exactly this curve.
inline float cosineEase(float x)
{
    return 0.5f - 0.5f * std::cos(3.141532f * std::clamp(x, 0.0f, 1.0f));
}

}
