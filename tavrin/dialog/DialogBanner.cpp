#include "tavrin/dialog/DialogBanner.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Dialog {

namespace {

struct Colour {
    float r, g, b;
};

Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint8_t toByte(float v) { return std::uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

// Deterministic hash noise for the star field.
float hash(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

Colour skyAt(float u, float v, float horizon)
{
    const Colour zenith{0.05f, 0.04f, 0.16f}, middle{0.30f, 0.12f, 0.38f}, glow{0.98f, 0.55f, 0.30f};
    float t = v / horizon;
    Colour sky = t < 0.6f ? mix(zenith, middle, t / 0.6f) : mix(middle, glow, (t - 0.6f) / 0.4f);
    // A sun glow low in the sky, a little right of centre.
    float dx = (u - 0.62f) * 3.0f, dy = (v - horizon) * 4.0f;
    float sun = std::exp(-(dx * dx + dy * dy) * 1.5f);
    return mix(sky, Colour{1.0f, 0.85f, 0.6f}, sun * 0.7f);
}

}

std::vector<std::uint8_t> makeDialogBanner(int width, int height)
{
    std::vector<std::uint8_t> pixels(size_t(width) * height * 4);
    const float horizon = 0.78f;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float u = float(x) / float(width), v = float(y) / float(height);
            // Rolling hills: a sum of two sines sets the skyline.
            float ridge = horizon - 0.06f * std::sin(u * 7.0f + 1.3f) - 0.035f * std::sin(u * 19.0f);
            Colour c = v < ridge ? skyAt(u, v, horizon) : Colour{0.03f, 0.02f, 0.06f};
            if (v < ridge * 0.7f && hash(x, y) > 0.996f)
                c = mix(c, Colour{1, 1, 1}, 0.8f * (1.0f - v / ridge));
            std::uint8_t* p = &pixels[(size_t(y) * width + x) * 4];
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
            p[3] = 255;
        }
    return pixels;
}

}
