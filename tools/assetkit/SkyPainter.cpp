#include "SkyPainter.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace AssetKit {

namespace {

struct Palette {
    Rgba zenith, middle, glow, sun, hills, clouds;
    float sunStrength, stars;
};

Palette paletteFor(HorizonMood mood)
{
    if (mood == HorizonMood::Dusk)
        return {{0.05f, 0.05f, 0.20f},
                {0.33f, 0.14f, 0.42f},
                {1.00f, 0.52f, 0.26f},
                {1.0f, 0.86f, 0.62f},
                {0.05f, 0.03f, 0.08f},
                {0.55f, 0.28f, 0.42f},
                0.9f,
                0.35f};
    return {{0.01f, 0.01f, 0.05f},
            {0.06f, 0.05f, 0.16f},
            {0.30f, 0.12f, 0.22f},
            {0.60f, 0.35f, 0.35f},
            {0.01f, 0.01f, 0.02f},
            {0.12f, 0.08f, 0.16f},
            0.35f,
            1.0f};
}

Rgba skyGradient(const Palette& p, float t)
{
    // t: 0 at the zenith, 1 at the horizon; the warm band hugs the horizon.
    if (t < 0.55f)
        return mix(p.zenith, p.middle, smoothstep(0.0f, 0.55f, t));
    return mix(p.middle, p.glow, std::pow((t - 0.55f) / 0.45f, 1.6f));
}

}

Canvas paintHorizon(HorizonMood mood, int width, int height)
{
    const Palette p = paletteFor(mood);
    const Noise noise(mood == HorizonMood::Dusk ? 11u : 12u);
    const int period = 8;
    Canvas canvas(width, height);
    canvas.paint([&](float u, float v) {
        float t = std::min(v / HorizonRow, 1.0f);
        Rgba sky = skyGradient(p, t);

        // A sun sinking behind the hills a quarter of the way round, its glow spread along them.
        float du = std::fabs(u - 0.25f);
        du = std::min(du, 1.0f - du);
        float dv = (v - (HorizonRow - 0.12f)) * 2.2f;
        float sun = std::exp(-(du * du * 40.0f + dv * dv * 30.0f)) * p.sunStrength;
        float disc = smoothstep(0.018f, 0.012f, std::sqrt(du * du + dv * dv * 0.3f)) * p.sunStrength;
        sky = mix(sky, p.sun, std::min(1.0f, sun + disc));

        // Long streaky clouds, brightest where the sun lights them from below.
        float streaks = noise.fbm(u * period, v * 18.0f, 5, 0.55f, period);
        float band = smoothstep(0.25f, 0.75f, t) * (1.0f - smoothstep(0.92f, 1.0f, t));
        float cloud = smoothstep(0.0f, 0.4f, streaks) * band;
        Rgba lit = mix(p.clouds, p.sun, sun * 0.8f);
        sky = mix(sky, lit, cloud * 0.65f);

        // Stars fade in towards the zenith.
        int sx = int(u * width), sy = int(v * height);
        float star = noise.hash(sx, sy) > 0.9975f ? (1.0f - smoothstep(0.0f, 0.6f, t)) * p.stars : 0.0f;
        sky = mix(sky, Rgba{1, 1, 1, 1}, star * (0.4f + 0.6f * noise.hash(sy, sx)));

        // Hills: a ridged skyline just above the horizon, dark with a faint rim of glow.
        float ridge = HorizonRow - 0.05f - 0.07f * noise.ridged(u * 4.0f, 0.5f, 4, 4);
        if (v > ridge) {
            float rim = std::exp(-(v - ridge) * 160.0f) * (0.25f + sun);
            Rgba ground = mix(p.hills, p.glow, rim * 0.6f);
            float haze = std::exp(-(v - ridge) * 12.0f) * 0.25f;
            return mix(ground, p.glow * 0.5f, haze);
        }
        return sky;
    });
    return canvas;
}

}
