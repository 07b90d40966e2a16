// Generates the soft tube sprite: a fluffy strand seen side on, bright and dense along its axis
// (the vertical centre line) and fraying into fine fibres towards both edges. Mirror-symmetric
// across the axis, so the shader may sample either half.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

void fluffy(const std::string& path)
{
    const Noise fibres(91);
    const int Size = 128;
    Canvas strand(Size, Size, {1, 1, 1, 0});
    strand.paint([&](float u, float v) {
        float offAxis = std::fabs(u - 0.5f) * 2.0f;
        // Fibres run along the strand: fine across, long along.
        float fibre = 0.5f + 0.5f * fibres.fbm(offAxis * 18.0f, v * 3.0f, 4, 0.55f);
        float body = std::exp(-offAxis * offAxis * 3.2f);
        float fray = smoothstep(1.0f, 0.55f - 0.35f * fibre, offAxis);
        float a = std::clamp(body * (0.55f + 0.45f * fibre) * fray, 0.0f, 1.0f);
        float warmth = 0.9f + 0.1f * fibre;
        return Rgba{warmth, warmth, 1.0f, a};
    });
    strand.blur(1);
    strand.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string textures = arguments[0] + "/textures/";
        std::filesystem::create_directories(textures);
        fluffy(textures + "fluffy.png");
    });
}
