// Generates the textures most effects share: the dusk horizons of the sky dome, the soft dot,
// the scan-line overlay and the ordered-dither cells.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"
#include "assetkit/SkyPainter.h"

#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

void softDot(const std::string& path)
{
    Canvas dot(64, 64, {1, 1, 1, 0});
    dot.paint([](float u, float v) {
        float dx = u - 0.5f, dy = v - 0.5f;
        float r = std::sqrt(dx * dx + dy * dy) * 2.0f;
        float core = std::exp(-r * r * 9.0f), halo = std::exp(-r * r * 3.5f) * 0.35f;
        float a = std::min(1.0f, core + halo) * (1.0f - smoothstep(0.85f, 1.0f, r));
        return Rgba{1, 1, 1, a};
    });
    dot.save(path);
}

// Dark lines every other pair of rows, with a faint shimmer so they read as a screen, not stripes.
void scanLines(const std::string& path)
{
    Noise noise(7);
    Canvas lines(256, 256, {0, 0, 0, 0});
    lines.paint([&](float u, float v) {
        int row = int(v * 256);
        float shimmer = 0.85f + 0.15f * noise.value(u * 8, float(row) * 0.5f, 8);
        float a = (row % 4 < 2 ? 0.22f : 0.03f) * shimmer;
        return Rgba{0.02f, 0.02f, 0.05f, a};
    });
    lines.save(path);
}

// 4x4 ordered-dither threshold matrix, each entry drawn as a 4x4 block so the cell stays crisp.
void ditherCell(const std::string& path, float coverage)
{
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Canvas cell(16, 16);
    cell.paint([&](float u, float v) {
        int x = int(u * 4), y = int(v * 4);
        float lit = (bayer[y][x] + 0.5f) / 16.0f < coverage ? 1.0f : 0.0f;
        return Rgba{lit, lit, lit, 1};
    });
    cell.save(path, false, 100);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "textures/dither");
        paintHorizon(HorizonMood::Dusk).save(data + "textures/horizon.jpg");
        paintHorizon(HorizonMood::Dark).save(data + "textures/horizon_mork.jpg");
        softDot(data + "textures/dott.png");
        scanLines(data + "textures/lines.png");
        for (int percent : {25, 50, 75, 100})
            ditherCell(data + "textures/dither/" + std::to_string(percent) + ".jpg", percent / 100.0f);
    });
}
