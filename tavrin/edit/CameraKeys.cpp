#include "tavrin/edit/CameraKeys.h"

#include <algorithm>

namespace Tavrin::Edit {

namespace {

using Keys = std::vector<Sync::SyncKey>;

bool isBefore(const Sync::SyncKey& key, float time) { return key.time < time; }

// What the track holds from time on: a key's value leaving it there, or the curve's.
Orvane::Vector4 valueFrom(const Keys& keys, float time)
{
    auto at = std::lower_bound(keys.begin(), keys.end(), time, isBefore);
    if (at != keys.end() && at->time == time)
        return at->outValue;
    Sync::SyncTrack track;
    track.setKeys(keys);
    return track.evaluate(time);
}

Keys withKey(Keys keys, float time, Orvane::Vector4 value)
{
    auto at = std::lower_bound(keys.begin(), keys.end(), time, isBefore);
    if (at != keys.end() && at->time == time) {
        if (at->inValue == at->outValue)
            at->inValue = value;
        at->outValue = value;
        return keys;
    }
    Sync::InterpolationMode mode = at == keys.begin() ? Sync::InterpolationMode::Linear : (at - 1)->mode;
    keys.insert(at, {time, value, value, mode});
    return keys;
}

}

Sync::SyncTrackKeys withCameraKey(const Sync::SyncTrackKeys& keys, float time, const CameraPose& pose)
{
    Orvane::Vector4 values[4];
    for (size_t track = 0; track < 4; ++track)
        values[track] = valueFrom(keys[track], time);
    putCameraPose(pose, values);
    Sync::SyncTrackKeys result = keys;
    for (size_t track = 0; track < 4; ++track)
        result[track] = withKey(keys[track], time, values[track]);
    return result;
}

}
