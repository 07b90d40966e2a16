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

// Frame 0 is a glowing point: a small hot core in a wide faint halo. Later frames let the core
// go and open the halo into a flat bokeh disc with a slightly brighter rim, wider and less dense,
// so the total light stays about the same as a lens spreads it.
void cell(const std::string& path, int frame)
{
    float blur = frame / 7.0f;
    float radius = 0.3f + 0.45f * blur;
    float edge = 0.04f + 0.12f * blur;
    Canvas disc(64, 64, {1, 1, 1, 0});
    disc.paint([&](float u, float v) {
        float r = std::hypot(u - 0.5f, v - 0.5f) * 2.0f;
        float core = std::exp(-std::pow(r / (0.1f + 0.1f * blur), 2.0f)) * (1.0f - blur);
        float halo = std::exp(-std::pow(r / 0.5f, 2.0f)) * 0.5f * (1.0f - 0.7f * blur);
        float body = 1.0f - smoothstep(radius - edge, radius + edge, r);
        float rim = std::exp(-std::pow((r - radius + edge) / (0.05f + 0.04f * blur), 2.0f)) * 0.5f;
        float bokeh = (body * 0.55f + rim * body) * blur * (1.0f - 0.45f * blur);
        float a = std::clamp((core + halo + bokeh) * (1.0f - smoothstep(0.9f, 1.0f, r)), 0.0f, 1.0f);
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
