#pragma once

#include "tavrin/sync/SyncKey.h"

#include <optional>
#include <string>
#include <vector>

namespace Tavrin::Sync {

// A keyframed four-component value: keys in strictly increasing time order, and a lookup that
// depends on nothing but the keys and the time.
class SyncTrack {
public:
    // A new track holds one linear key at time 0 with both values zero.
    SyncTrack();

    // Throws Orvane::Exceptions::Exception when the keys cannot form a track (keyOrderProblem).
    void setKeys(std::vector<SyncKey> keys);
    const std::vector<SyncKey>& keys() const { return keys_; }

    // Before the first key its inValue, from the last key on its outValue; between two keys the
    // segment that holds the time, a time on an inner key belonging to the segment that ends there.
    Orvane::Vector4t<float> evaluate(float time) const;

private:
    std::vector<SyncKey> keys_;
};

// Why these keys cannot form a track (empty, a time or value that is not a finite number, times
// not strictly increasing, an interpolation mode that names none), or nothing when they can.
std::optional<std::string> keyOrderProblem(const std::vector<SyncKey>& keys);

}
