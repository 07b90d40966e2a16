#include "tavrin/sync/SyncTrack.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/sync/Curves.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Sync {

using Orvane::Vector4t;

namespace {

Vector4t<float> mix(const Vector4t<float>& from, const Vector4t<float>& to, float m)
{
    return {from.x + m * (to.x - from.x), from.y + m * (to.y - from.y), from.z + m * (to.z - from.z),
            from.w + m * (to.w - from.w)};
}

bool isFinite(const Vector4t<float>& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.w);
}

}

std::optional<InterpolationMode> interpolationModeFrom(std::int32_t value)
{
    if (value < std::int32_t(InterpolationMode::Step) || value > std::int32_t(InterpolationMode::Smooth))
        return std::nullopt;
    return InterpolationMode(value);
}

SyncTrack::SyncTrack()
    : keys_(1, SyncKey{})
{}

void SyncTrack::setKeys(std::vector<SyncKey> keys)
{
    if (auto problem = keyOrderProblem(keys))
        throw Orvane::Exceptions::Exception("SyncTrack::setKeys(): " + *problem);
    keys_ = std::move(keys);
}

Vector4t<float> SyncTrack::evaluate(float time) const
{
    if (time >= keys_.back().time)
        return keys_.back().outValue;
    if (time <= keys_.front().time || std::isnan(time))
        return keys_.front().inValue;
    // The first key at or after the time ends the segment: time lies strictly inside the keys.
    auto end
        = std::lower_bound(keys_.begin(), keys_.end(), time, [](const SyncKey& key, float t) { return key.time < t; });
    const SyncKey& p = *(end - 1);
    const SyncKey& q = *end;
    if (p.mode == InterpolationMode::Step)
        return p.outValue;
    // setKeys admits only strictly increasing times, so no segment has zero length.
    float u = (time - p.time) / (q.time - p.time);
    float m = p.mode == InterpolationMode::Linear ? u : cosineEase(u);
    return mix(p.outValue, q.inValue, m);
}

std::optional<std::string> keyOrderProblem(const std::vector<SyncKey>& keys)
{
    if (keys.empty())
        return "the track has no keys";
    for (size_t k = 0; k < keys.size(); ++k) {
        if (!std::isfinite(keys[k].time))
            return "key " + std::to_string(k) + " has a time that is not a finite number";
        if (!isFinite(keys[k].inValue) || !isFinite(keys[k].outValue))
            return "key " + std::to_string(k) + " has a value that is not a finite number";
        if (!interpolationModeFrom(std::int32_t(keys[k].mode)))
            return "key " + std::to_string(k) + " has the unknown interpolation mode "
                + std::to_string(std::int32_t(keys[k].mode));
        if (k > 0 && keys[k].time == keys[k - 1].time)
            return "keys " + std::to_string(k - 1) + " and " + std::to_string(k) + " share the time "
                + std::to_string(keys[k].time);
        if (k > 0 && keys[k].time < keys[k - 1].time)
            return "key " + std::to_string(k) + " comes before key " + std::to_string(k - 1) + " in time";
    }
    return std::nullopt;
}

}
