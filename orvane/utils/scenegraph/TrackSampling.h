#pragma once

#include "orvane/exceptions/Exception.h"

#include <string>
#include <vector>

namespace Orvane::Utils::SceneGraph {

// Piecewise-linear sampling shared by the key tracks: hold before the first key and after the
// last. The scan keeps the first key whose time lies after t, so unordered keys still give a
// deterministic answer.
template <typename Key>
float sampleKeysLinearly(const std::vector<Key>& keys, float time, const char* trackName)
{
    if (keys.empty())
        throw Exceptions::Exception(std::string(trackName) + "::Sample: track is empty");
    if (keys.size() == 1)
        return keys.front().value;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (!(time < keys[i].time))
            continue;
        if (i == 0)
            return keys[0].value;
        const Key& a = keys[i - 1];
        const Key& b = keys[i];
        float fraction = (time - a.time) / (b.time - a.time);
        return a.value + (b.value - a.value) * fraction;
    }
    return keys.back().value;
}

}
