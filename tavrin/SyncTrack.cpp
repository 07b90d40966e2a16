#include "tavrin/SyncTrack.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/Curves.h"

#include <cmath>

namespace Tavrin {

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

SyncTrack::SyncTrack()
    : keys_(1, SyncKey{})
{}

void SyncTrack::setKeys(std::vector<SyncKey> keys)
{
    if (auto problem = keyOrderProblem(keys))
        throw Orvane::Exceptions::Exception("SyncTrack::setKeys(): " + *problem);
    keys_ = std::move(keys);
}

Vector4t<float> SyncTrack::evaluate(float time)
{
    int n = int(keys_.size());
    if (cachedIndex_ < 0 || cachedIndex_ >= n)
        cachedIndex_ = 0;
    if (time >= keys_[n - 1].time)
        return keys_[n - 1].outValue;
    if (time <= keys_[0].time || std::isnan(time))
        return keys_[0].inValue;
    moveToSegment(time);
    const SyncKey& p = keys_[cachedIndex_];
    const SyncKey& q = keys_[cachedIndex_ + 1];
    if (p.mode == Step)
        return p.outValue;
    if (p.mode != Linear && p.mode != Smooth)
        return {0, 0, 0, 0};
    // setKeys admits only strictly increasing times, so no segment has zero length.
    float u = (time - p.time) / (q.time - p.time);
    float m = p.mode == Linear ? u : cosineEase(u);
    return mix(p.outValue, q.inValue, m);
}

// Walks one key at a time from the cached segment; the first and last keys bound the walk because
// time lies strictly between them. A time on an inner key belongs to the segment that ends there,
// whichever side the cached segment is on, so the value does not depend on the previous frame.
void SyncTrack::moveToSegment(float time)
{
    int last = int(keys_.size()) - 2;
    if (cachedIndex_ > last)
        cachedIndex_ = last;
    for (;;) {
        if (time > keys_[cachedIndex_].time) {
            if (time <= keys_[cachedIndex_ + 1].time)
                return;
            ++cachedIndex_;
        } else {
            --cachedIndex_;
        }
    }
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
        if (k > 0 && keys[k].time == keys[k - 1].time)
            return "keys " + std::to_string(k - 1) + " and " + std::to_string(k) + " share the time "
                + std::to_string(keys[k].time);
        if (k > 0 && keys[k].time < keys[k - 1].time)
            return "key " + std::to_string(k) + " comes before key " + std::to_string(k - 1) + " in time";
    }
    return std::nullopt;
}

}
