#include "nightglass/kit/Shaping.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

float scatter(int index, int salt, std::uint32_t seed)
{
    std::uint32_t h = std::uint32_t(index) * 747796405u + std::uint32_t(salt) * 2891336453u + seed;
    h ^= h >> 16;
    h *= 2246822519u;
    h ^= h >> 13;
    h *= 3266489917u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / 16777216.0f;
}

float smooth01(float x)
{
    x = std::clamp(x, 0.0f, 1.0f);
    return x * x * (3.0f - 2.0f * x);
}

float fract(float x) { return x - std::floor(x); }

float catmullRom(float p0, float p1, float p2, float p3, float t)
{
    return 0.5f
        * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t
           + (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
}

}
