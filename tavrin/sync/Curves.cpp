#include "tavrin/sync/Curves.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Sync {

float cosineEase(float x) { return 0.5f - 0.5f * std::cos(3.141532f * std::clamp(x, 0.0f, 1.0f)); }

float envelope(float t, float peak, float attack, float decay, float power)
{
    float start = peak - attack, length = attack + decay;
    // Outside the ramps it is 0 even where one has no length: the curve below would stay at 1
    // before an instant rise and divide 0 by 0 after an instant fall.
    if (t < start || t > peak + decay)
        return 0.0f;
    if (length <= 0.0f)
        return 1.0f;
    float x = std::clamp((t - start) / length, 0.0f, 1.0f);
    float p = attack / length;
    if (p > x)
        return std::pow(x / p, power);
    if (p >= 1.0f)
        return 1.0f;
    return std::pow(1.0f - (x - p) / (1.0f - p), power);
}

float beatEnvelope(const std::vector<float>& hitTimes, float t, float attack, float decay, int& lastHitIndex)
{
    float sum = 0.0f, window = std::max(attack, decay);
    for (size_t i = 0; i < hitTimes.size(); ++i) {
        float diff = t - hitTimes[i];
        if (std::fabs(diff) < window)
            sum += diff < 0 ? diff / attack + 1.0f : 1.0f - diff / decay;
        if (hitTimes[i] < t + 5.0f)
            lastHitIndex = int(i);
        if (hitTimes[i] > t + 5.0f)
            break;
    }
    return sum;
}

Orvane::Vector3 randomPath(const std::vector<Orvane::Vector3>& points, float t)
{
    int n = int(points.size());
    if (n == 0)
        return {};
    int d = std::clamp(int(std::trunc(t)), 0, n - 1);
    auto point = [&](int k) { return points[size_t(std::clamp(d + k, 0, n - 1))]; };
    Orvane::Vector3 y0 = point(-1), y1 = point(0), y2 = point(1), y3 = point(2);
    float m = t - float(d);
    Orvane::Vector3 a0 = y3 - y2 - y0 + y1;
    Orvane::Vector3 a1 = y0 - y1 - a0;
    Orvane::Vector3 a2 = y2 - y0;
    return a0 * (m * m * m) + a1 * (m * m) + a2 * m + y1;
}

}
