#pragma once

#include "orvane/Vector.h"

#include <cstdint>

namespace Tavrin {

enum InterpolationMode : std::int32_t { Step = 0, Linear = 1, Smooth = 2 };

// One key of a sync track. inValue is reached when arriving from the left; outValue holds from the
// key onwards, so a key whose two values differ makes a jump at its time.
struct SyncKey {
    float time = 0.0f;
    Orvane::Vector4t<float> inValue{0, 0, 0, 0};
    Orvane::Vector4t<float> outValue{0, 0, 0, 0};
    std::int32_t mode = Linear;
};

}
