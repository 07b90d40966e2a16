// Generates the fire ball's sprites: a spark for the ignition and a billowing puff that the
// shader tints from flame to smoke.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

constexpr int SpriteSize = 128;

// A hot core with a soft halo and a few thin rays, so a cloud of them flickers like embers.
void spark(const std::string& path)
{
    Canvas sprite(SpriteSize, SpriteSize, {1, 1, 1, 0});
    sprite.paint([](float u, float v) {
        float dx = (u - 0.5f) * 2.0f, dy = (v - 0.5f) * 2.0f;
        float r = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        float core = std::exp(-r * r * 40.0f);
        float halo = std::exp(-r * r * 6.0f) * 0.45f;
        float rays = std::pow(std::fabs(std::cos(angle * 3.0f)), 24.0f) * std::exp(-r * 4.0f) * 0.6f;
        float a = std::clamp(core + halo + rays, 0.0f, 1.0f) * (1.0f - smoothstep(0.8f, 1.0f, r));
        return Rgba{1, 1, 1, a};
    });
    sprite.save(path);
}

// A round billow of noise: dense in the middle, torn at the rim, lit from above so that a heap
// of them reads as a volume.
void puff(const std::string& path)
{
    Noise noise(4242);
    Canvas sprite(SpriteSize, SpriteSize, {1, 1, 1, 0});
    sprite.paint([&](float u, float v) {
        float dx = (u - 0.5f) * 2.0f, dy = (v - 0.5f) * 2.0f;
        float r = std::hypot(dx, dy);
        float billow = noise.fbm(u * 5.0f, v * 5.0f, 5, 0.55f) * 0.5f + 0.5f;
        float body = 1.0f - smoothstep(0.35f, 0.95f, r + (billow - 0.5f) * 0.55f);
        float density = std::clamp(body * (0.55f + 0.6f * billow), 0.0f, 1.0f);
        float light = std::clamp(0.78f + 0.3f * (-dy) * (1.0f - r) + 0.25f * (billow - 0.5f), 0.0f, 1.0f);
        return Rgba{light, light, light, density * (1.0f - smoothstep(0.9f, 1.0f, r))};
    });
    sprite.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string textures = arguments[0] + "/textures/";
        std::filesystem::create_directories(textures);
        spark(textures + "explosion0.png");
        puff(textures + "explosion1.png");
    });
}
