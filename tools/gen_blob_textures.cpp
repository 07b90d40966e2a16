// Generates the blob scene's images: the living skin of the blob (colour, normal map), the night
// sky it reflects (a sphere map) and the soft cloud sprites.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

constexpr int SkinSize = 512;
// Lattice cells across the skin; a whole number, so the skin wraps around the blob's seam.
constexpr int SkinCells = 6;

// The skin's relief, 0 to 1: raised veins over a softly lumpy, cellular body. Wraps in u and v.
struct Skin {
    Noise veins{811}, lumps{812}, cells{813};

    // The sphere's poles gather a whole row of texels into a point: fine detail would pinch there.
    static float awayFromPoles(float v) { return smoothstep(0.0f, 0.12f, v) * smoothstep(1.0f, 0.88f, v); }
    float vein(float u, float v) const
    {
        return std::pow(veins.ridged(u * SkinCells, v * SkinCells, 4, SkinCells), 5.0f) * awayFromPoles(v);
    }
    float lump(float u, float v) const
    {
        return lumps.fbm(u * SkinCells * 2, v * SkinCells * 2, 4, 0.5f, SkinCells * 2) * 0.5f + 0.5f;
    }
    float cell(float u, float v) const { return cells.value(u * SkinCells * 4, v * SkinCells * 4, SkinCells * 4); }
    float height(float u, float v) const
    {
        return 0.55f * vein(u, v) + (0.3f * lump(u, v) + 0.15f * cell(u, v)) * awayFromPoles(v);
    }
};

// Deep wine flesh, darker in the hollows, with veins that run hot orange-pink.
void skinColour(const Skin& skin, const std::string& path)
{
    Canvas map(SkinSize, SkinSize);
    map.paint([&](float u, float v) {
        float lump = skin.lump(u, v), vein = skin.vein(u, v), cell = skin.cell(u, v);
        Rgba hollow{0.06f, 0.01f, 0.06f, 1}, flesh{0.45f, 0.07f, 0.20f, 1}, hot{1.0f, 0.55f, 0.35f, 1};
        Rgba body = mix(hollow, flesh, std::clamp(lump * 1.3f - 0.2f + 0.2f * cell, 0.0f, 1.0f));
        return mix(body, hot, std::clamp(vein * 1.6f, 0.0f, 1.0f));
    });
    map.save(path);
}

// Tangent-space normals of the relief: x along u, y along v, z out of the surface.
void skinNormals(const Skin& skin, const std::string& path)
{
    const float step = 1.0f / SkinSize, strength = 9.0f;
    Canvas map(SkinSize, SkinSize);
    map.paint([&](float u, float v) {
        float dx = (skin.height(u + step, v) - skin.height(u - step, v)) * strength;
        // Rows run down the picture, GL's v runs up.
        float dy = (skin.height(u, v - step) - skin.height(u, v + step)) * strength;
        float length = std::sqrt(dx * dx + dy * dy + 1.0f);
        return Rgba{0.5f - 0.5f * dx / length, 0.5f - 0.5f * dy / length, 0.5f + 0.5f / length, 1};
    });
    map.save(path, false, 95);
}

// What the blob reflects, as a sphere map: a deep blue night with stars above, the last glow of
// dusk on the horizon, a dark ground below and one bright moon for a highlight.
void nightReflection(const std::string& path)
{
    Noise stars(77);
    Canvas map(256, 256);
    map.paint([&](float u, float v) {
        float x = u * 2 - 1, y = 1 - v * 2, d = std::min(1.0f, x * x + y * y);
        float nz = std::sqrt(1.0f - d);
        // Reflected direction of the view ray (0, 0, -1) off the sphere's normal (x, y, nz).
        float rx = 2 * nz * x, ry = 2 * nz * y, rz = 2 * nz * nz - 1;
        float up = ry;
        Rgba zenith{0.02f, 0.04f, 0.14f, 1}, sky{0.10f, 0.16f, 0.38f, 1}, dusk{0.95f, 0.45f, 0.35f, 1},
            ground{0.03f, 0.02f, 0.04f, 1};
        Rgba colour = up > 0 ? mix(mix(dusk, sky, smoothstep(0.0f, 0.25f, up)), zenith, smoothstep(0.25f, 0.9f, up))
                             : mix(dusk * 0.6f, ground, smoothstep(0.0f, 0.2f, -up));
        float star = stars.hash(int(rx * 90 + 100), int(rz * 90 + 100));
        if (up > 0.1f && star > 0.985f)
            colour = colour + Rgba{0.6f, 0.6f, 0.7f, 0} * ((star - 0.985f) / 0.015f);
        float moon = std::exp(-((rx + 0.45f) * (rx + 0.45f) + (ry - 0.55f) * (ry - 0.55f) + (rz - 0.3f) * (rz - 0.3f))
                              * 60.0f);
        colour = colour + Rgba{1.0f, 0.95f, 0.85f, 0} * (moon * 1.5f);
        return Rgba{std::min(colour.r, 1.0f), std::min(colour.g, 1.0f), std::min(colour.b, 1.0f), 1};
    });
    map.save(path, false, 95);
}

// A soft, torn wisp of cloud: white, its shape in the alpha.
void cloudSprite(const std::string& path, unsigned seed)
{
    Noise noise(seed);
    Canvas sprite(128, 128, {1, 1, 1, 0});
    sprite.paint([&](float u, float v) {
        float dx = (u - 0.5f) * 2, dy = (v - 0.5f) * 2, r = std::hypot(dx, dy);
        float billow = noise.fbm(u * 4, v * 4, 5, 0.55f) * 0.5f + 0.5f;
        float body = 1.0f - smoothstep(0.2f, 1.0f, r + (0.5f - billow) * 0.6f);
        return Rgba{1, 1, 1, std::clamp(body * billow * 1.4f, 0.0f, 1.0f) * (1.0f - smoothstep(0.9f, 1.0f, r))};
    });
    sprite.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string textures = arguments[0] + "/textures/";
        std::filesystem::create_directories(textures);
        Skin skin;
        skinColour(skin, textures + "lolmap.jpg");
        skinNormals(skin, textures + "lolbump.jpg");
        nightReflection(textures + "lolgloss.jpg");
        for (unsigned k = 0; k < 3; ++k)
            cloudSprite(textures + "cloudparticle" + std::to_string(k) + ".png", 300 + k);
    });
}
