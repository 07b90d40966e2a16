// Generates the sprites of the depth-of-field particles: one soft disc at eight increasing blurs,
// from an in-focus dot with a bright rim to a wide faint bokeh.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

// Frame 0 is a crisp glowing dot; later frames widen the disc's edge and lower its density, so
// the total light stays about the same as a lens spreads it.
void cell(const std::string& path, int frame)
{
    float blur = frame / 7.0f;
    float radius = 0.28f + 0.16f * blur;
    float edge = 0.02f + 0.22f * blur;
    Canvas disc(64, 64, {1, 1, 1, 0});
    disc.paint([&](float u, float v) {
        float r = std::hypot(u - 0.5f, v - 0.5f) * 2.0f;
        float body = 1.0f - smoothstep(radius - edge, radius + edge, r * 0.5f);
        float rim = std::exp(-std::pow((r * 0.5f - radius + edge) / (0.03f + 0.05f * blur), 2.0f)) * (1.0f - blur) * 0.35f;
        float core = std::exp(-r * r * 14.0f) * (1.0f - blur) * 0.6f;
        float density = 1.0f - 0.55f * blur;
        float a = std::clamp((body * density + rim + core) * (1.0f - smoothstep(0.92f, 1.0f, r)), 0.0f, 1.0f);
        return Rgba{1, 1, 1, a};
    });
    disc.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string textures = arguments[0] + "/textures/";
        std::filesystem::create_directories(textures);
        for (int frame = 0; frame < 8; ++frame)
            cell(textures + "cell" + std::to_string(frame) + ".png", frame);
    });
}
