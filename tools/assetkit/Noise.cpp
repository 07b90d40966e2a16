#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace AssetKit {

namespace {

int wrap(int i, int period)
{
    if (period <= 0)
        return i;
    i %= period;
    return i < 0 ? i + period : i;
}

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
float lerp(float a, float b, float t) { return a + (b - a) * t; }

}

float smoothstep(float edge0, float edge1, float x)
{
    float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

std::uint32_t Noise::mix(int x, int y) const
{
    std::uint32_t h = seed_ ^ 0x9E3779B9u;
    h ^= std::uint32_t(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= std::uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Noise::hash(int x, int y) const { return float(mix(x, y) & 0xFFFFFF) / float(0xFFFFFF); }

float Noise::value(float x, float y, int period) const
{
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = fade(x - x0), fy = fade(y - y0);
    auto h = [&](int dx, int dy) { return hash(wrap(x0 + dx, period), wrap(y0 + dy, period)); };
    return lerp(lerp(h(0, 0), h(1, 0), fx), lerp(h(0, 1), h(1, 1), fx), fy);
}

float Noise::gradient(float x, float y, int period) const
{
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = x - x0, fy = y - y0;
    auto dotGradient = [&](int dx, int dy) {
        float angle = hash(wrap(x0 + dx, period), wrap(y0 + dy, period)) * 6.2831853f;
        return std::cos(angle) * (fx - dx) + std::sin(angle) * (fy - dy);
    };
    float u = fade(fx), v = fade(fy);
    return 1.41f
        * lerp(lerp(dotGradient(0, 0), dotGradient(1, 0), u), lerp(dotGradient(0, 1), dotGradient(1, 1), u), v);
}

float Noise::fbm(float x, float y, int octaves, float gain, int period) const
{
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += gradient(x, y, period) * amplitude;
        total += amplitude;
        amplitude *= gain;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / total;
}

float Noise::ridged(float x, float y, int octaves, int period) const
{
    float sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        float r = 1.0f - std::fabs(gradient(x, y, period));
        sum += r * r * amplitude;
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        period *= 2;
    }
    return sum / total;
}

}
