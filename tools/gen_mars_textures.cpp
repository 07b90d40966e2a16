// Generates the textures of the sphere-and-slab scene: the cratered rust rock of the slabs (also
// the nested rings' and the funnel's colour map), the slab's baked light and the dune sand.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

constexpr int CraterCells = 6;

// Distance-shaped bowl and rim of the crater nearest to (u, v) on a tileable grid of cells, each
// holding one crater of random size: negative inside the bowl, positive on the rim, 0 outside.
float craterRelief(const Noise& cells, float u, float v)
{
    float relief = 0;
    float cx = u * CraterCells, cy = v * CraterCells;
    int ix = int(std::floor(cx)), iy = int(std::floor(cy));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int x = ix + dx, y = iy + dy;
            int wx = (x % CraterCells + CraterCells) % CraterCells, wy = (y % CraterCells + CraterCells) % CraterCells;
            float px = float(x) + 0.2f + 0.6f * cells.hash(wx, wy),
                  py = float(y) + 0.2f + 0.6f * cells.hash(wy + 31, wx + 17);
            float radius = 0.12f + 0.33f * cells.hash(wx + 97, wy + 53);
            float d = std::hypot(cx - px, cy - py) / radius;
            if (d < 1.0f)
                relief += -0.8f * (1.0f - d * d);
            else if (d < 1.45f)
                relief += 0.5f * std::sin((d - 1.0f) / 0.45f * 3.14159f);
        }
    return relief;
}

// Rust and ochre rock: broad colour fields, dark wind streaks along ridges, craters with bright
// rims and shaded bowls. Tiles in both directions.
void planetRock(const std::string& path)
{
    Noise fields(21), detail(22), cells(23);
    const Rgba dust{0.78f, 0.42f, 0.22f, 1}, rust{0.52f, 0.2f, 0.1f, 1}, basalt{0.2f, 0.12f, 0.1f, 1},
        pale{0.93f, 0.74f, 0.52f, 1};
    Canvas rock(512, 512);
    rock.paint([&](float u, float v) {
        float field = fields.fbm(u * 4, v * 4, 5, 0.55f, 4) * 0.5f + 0.5f;
        float grain = detail.fbm(u * 32, v * 32, 3, 0.5f, 32);
        float ridge = detail.ridged(u * 8 + 3.1f, v * 8, 4, 8);
        Rgba colour = mix(rust, dust, smoothstep(0.3f, 0.7f, field));
        colour = mix(colour, basalt, smoothstep(0.55f, 0.9f, ridge) * 0.7f);
        float crater = craterRelief(cells, u, v);
        colour = mix(colour, pale, std::max(0.0f, crater) * 0.9f);
        colour = colour * (1.0f + std::min(0.0f, crater) * 0.45f + grain * 0.12f);
        colour.a = 1;
        return colour;
    });
    rock.save(path, false, 92);
}

// The slab's top lit from one side and dimmed towards its edges, where the spheres' shadows and
// the ground would darken it.
void slabLight(const std::string& path)
{
    Noise blotches(31);
    Canvas light(256, 256);
    light.paint([&](float u, float v) {
        float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
        float ambient = 0.45f + 0.55f * smoothstep(0.0f, 0.22f, edge);
        float key = 0.75f + 0.25f * (1.0f - std::hypot(u - 0.35f, v - 0.3f));
        float level = std::clamp(ambient * key + blotches.fbm(u * 6, v * 6, 3) * 0.05f, 0.0f, 1.0f);
        return Rgba{level, level * 0.97f, level * 0.92f, 1};
    });
    light.save(path, false, 92);
}

// Wind-rippled sand: crests running across, bent by slow noise, over fine grain. Tiles.
void duneSand(const std::string& path)
{
    Noise warp(41), grain(42);
    const Rgba trough{0.6f, 0.42f, 0.26f, 1}, crest{0.95f, 0.8f, 0.58f, 1};
    Canvas sand(512, 512);
    sand.paint([&](float u, float v) {
        float bend = warp.fbm(u * 3, v * 3, 4, 0.5f, 3) * 1.6f;
        float phase = (v * 14 + bend) * 6.2832f;
        // Steep lee side, long gentle windward side.
        float ripple = std::pow(0.5f + 0.5f * std::sin(phase), 3.0f);
        float speck = grain.value(u * 256, v * 256, 256);
        Rgba colour = mix(trough, crest, 0.25f + 0.6f * ripple);
        colour = colour * (0.9f + 0.2f * speck);
        colour.a = 1;
        return colour;
    });
    sand.save(path, false, 92);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "textures");
        planetRock(data + "textures/lolmap2.jpg");
        slabLight(data + "textures/box01lightingmap.jpg");
        duneSand(data + "textures/sands.jpg");
    });
}
