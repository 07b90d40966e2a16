#pragma once

#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

// The distance from the sync camera's eye to its target: what the camera looks at is what a
// depth-of-field effect keeps sharp.
inline float focusDistance(const Tavrin::Demo& demo)
{
    const auto& eye = demo.syncValues[0];
    const auto& target = demo.syncValues[1];
    return std::max(std::hypot(target.x - eye.x, target.y - eye.y, target.z - eye.z), 1.0f);
}

}
