#pragma once

#include "orvane/Vector.h"

#include <cstdint>
#include <optional>

namespace Tavrin::Sync {

// How the segment that starts at a key is interpolated; the values are those of the track file.
enum class InterpolationMode : std::int32_t { Step = 0, Linear = 1, Smooth = 2 };

// The mode a stored value names, or nothing for a value that names none.
std::optional<InterpolationMode> interpolationModeFrom(std::int32_t value);

// One key of a sync track. inValue is reached when arriving from the left; outValue holds from the
// key onwards, so a key whose two values differ makes a jump at its time.
struct SyncKey {
    float time = 0.0f;
    Orvane::Vector4t<float> inValue{0, 0, 0, 0};
    Orvane::Vector4t<float> outValue{0, 0, 0, 0};
    InterpolationMode mode = InterpolationMode::Linear;
};

}
