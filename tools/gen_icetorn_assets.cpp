// Generates the assets of the ice burst and the tornado: the crystal burst mesh, the frozen
// moon at its heart, the plain the tornado crosses and the storm-sky sphere map that the tornado's chrome sphere reflects.
#include "assetkit/Canvas.h"
#include "assetkit/CrystalBurst.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/MeshExport.h"
#include "assetkit/Noise.h"
#include "assetkit/Shapes.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

// A sphere map (the picture a mirror ball shows when looked at straight on) of a storm sky: a
// low bright band along the horizon under heavy turning clouds, dark dusty ground below and one
// warm break in the clouds. Row 0 is the top of the picture, where the reflected sky is.
Canvas paintStormSphereMap(int size)
{
    const Noise noise(41);
    Canvas map(size, size);
    map.paint([&](float u, float v) {
        float x = u * 2.0f - 1.0f, y = 1.0f - v * 2.0f;
        float r2 = x * x + y * y;
        if (r2 > 1.0f)
            return Rgba{0.05f, 0.04f, 0.04f, 1};
        // The normal of the mirror ball at this pixel and the direction it reflects.
        float nz = std::sqrt(1.0f - r2);
        float rx = 2.0f * nz * x, ry = 2.0f * nz * y, rz = 2.0f * nz * nz - 1.0f;
        float heading = std::atan2(rx, rz);
        float elevation = std::asin(std::clamp(ry, -1.0f, 1.0f));
        Rgba ground = mix(Rgba{0.16f, 0.10f, 0.07f}, Rgba{0.03f, 0.02f, 0.02f}, smoothstep(0.0f, -0.9f, elevation));
        Rgba sky = mix(Rgba{0.55f, 0.50f, 0.46f}, Rgba{0.10f, 0.11f, 0.14f}, smoothstep(0.0f, 0.7f, elevation));
        float swirl = noise.fbm(heading * 2.0f + elevation * 3.0f, elevation * 5.0f, 5, 0.55f);
        sky = mix(sky, Rgba{0.05f, 0.05f, 0.07f}, smoothstep(-0.1f, 0.5f, swirl) * smoothstep(0.05f, 0.4f, elevation));
        float breakGlow = std::exp(
            -((heading - 0.9f) * (heading - 0.9f) * 4.0f + (elevation - 0.25f) * (elevation - 0.25f) * 30.0f));
        sky = mix(sky, Rgba{1.0f, 0.78f, 0.5f}, std::min(1.0f, breakGlow * 1.2f));
        Rgba c = elevation > 0.0f ? sky : ground;
        float band = std::exp(-elevation * elevation * 220.0f);
        return mix(c, Rgba{0.95f, 0.85f, 0.7f}, band * 0.7f);
    });
    return map;
}

// The plain the tornado crosses: a wide disc, flat in the middle where the scene stands and rolling
// into low dunes further out. Texture coordinates tile the ground texture every 60 units.
Mesh makeDustPlain(float radius, int rings, int segments)
{
    const Noise noise(43);
    Mesh plain;
    std::uint32_t centre = plain.addVertex({0, 0, 0}, {0, 0, 1}, {0, 0});
    for (int r = 1; r <= rings; ++r) {
        float distance = radius * std::pow(float(r) / float(rings), 1.6f);
        for (int s = 0; s < segments; ++s) {
            float a = 6.2831853f * float(s) / float(segments);
            float x = distance * std::cos(a), y = distance * std::sin(a);
            float dunes = noise.fbm(x / 90.0f, y / 90.0f, 4) * 14.0f * smoothstep(90.0f, 260.0f, distance);
            plain.addVertex({x, y, dunes}, {0, 0, 1}, {x / 60.0f, y / 60.0f});
        }
    }
    for (int s = 0; s < segments; ++s)
        plain.addTriangle(centre, 1 + std::uint32_t(s), 1 + std::uint32_t((s + 1) % segments));
    for (int r = 1; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            std::uint32_t a = 1 + std::uint32_t((r - 1) * segments + s);
            std::uint32_t b = 1 + std::uint32_t((r - 1) * segments + (s + 1) % segments);
            std::uint32_t c = a + std::uint32_t(segments), d = b + std::uint32_t(segments);
            plain.addTriangle(a, c, d);
            plain.addTriangle(a, d, b);
        }
    recomputeNormals(plain);
    return plain;
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "objects");
        std::filesystem::create_directories(data + "textures");
        CrystalBurstParams burst;
        burst.seed = 13;
        burst.mainBranches = 26;
        burst.coreRadius = 14.0f;
        burst.reach = 46.0f;
        burst.rootRadius = 2.6f;
        saveFgm(makeCrystalBurst(burst), data + "objects/hylle.fgm");
        saveFgm(makeSphere(14.0f, 48, 96), data + "objects/frostmoon.fgm");
        saveFgm(makeDustPlain(700.0f, 40, 96), data + "objects/dustplain.fgm");
        paintStormSphereMap(512).save(data + "textures/lolmap4.jpg");
    });
}
