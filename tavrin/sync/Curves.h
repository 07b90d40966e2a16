#pragma once

#include "orvane/Vector.h"

#include <vector>

namespace Tavrin::Sync {

// 0.5 - 0.5 cos(3.141532 x) over x clamped to [0, 1]. The constant is slightly short of pi, and
// fades, sync tracks and effects all rely on exactly this curve.
float cosineEase(float x);

// Rises from 0 at peak - attack to 1 at the peak and falls back to 0 at peak + decay, each side
// shaped by power.
float envelope(float t, float peak, float attack, float decay, float power);

// The sum of a ramp around every hit: 0 attack seconds before it, 1 at it, 0 decay seconds after.
// Hits further than max(attack, decay) away contribute nothing; a hit ahead by more than attack
// (when attack < decay) contributes a negative amount. lastHitIndex receives the last hit before
// t + 5 s.
float beatEnvelope(const std::vector<float>& hitTimes, float t, float attack, float decay, int& lastHitIndex);

// A smooth curve through the points: point d at integer t = d, cubic in between.
Orvane::Vector3 randomPath(const std::vector<Orvane::Vector3>& points, float t);

}
