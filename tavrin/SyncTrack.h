#pragma once

#include "tavrin/SyncKey.h"

#include <optional>
#include <string>
#include <vector>

namespace Tavrin {

// A keyframed four-component value. Keys are kept in strictly increasing time order; the index of
// the segment last evaluated is cached so that smoothly moving time costs no search.
class SyncTrack {
public:
    // A new track holds one linear key at time 0 with both values zero.
    SyncTrack();

    // Throws Orvane::Exceptions::Exception when the keys are empty or not in strictly increasing
    // time order. The cached segment index is kept, as a reload must not disturb it.
    void setKeys(std::vector<SyncKey> keys);
    const std::vector<SyncKey>& keys() const { return keys_; }
    int cachedIndex() const { return cachedIndex_; }

    Orvane::Vector4t<float> evaluate(float time);

private:
    void moveToSegment(float time);

    int cachedIndex_ = 0;
    std::vector<SyncKey> keys_;
};

// Why these keys cannot form a track (empty, a time or value that is not a finite number, times
// not strictly increasing), or nothing when they can.
std::optional<std::string> keyOrderProblem(const std::vector<SyncKey>& keys);

}
