// Paints the application icon for the desktop menu: a glowing "N" over a dusk sky, with a thin
// light ring, readable from 16 to 256 pixels.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"
#include "assetkit/TextRenderer.h"

#include <cmath>

using namespace AssetKit;

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "FONT.ttf OUTPUT.png", [](const std::vector<std::string>& arguments) {
        constexpr int Size = 256;
        Canvas icon(Size, Size, {0, 0, 0, 0});
        icon.paint([](float u, float v) {
            float r = std::hypot(u - 0.5f, v - 0.5f) * 2.0f;
            Rgba sky = mix(Rgba{0.10f, 0.06f, 0.22f, 1}, Rgba{0.95f, 0.45f, 0.25f, 1}, smoothstep(0.35f, 1.0f, v));
            float ring = std::exp(-std::pow((r - 0.9f) / 0.03f, 2.0f));
            Rgba c = mix(sky, Rgba{1.0f, 0.85f, 0.7f, 1}, ring * 0.8f);
            c.a = 1.0f - smoothstep(0.95f, 1.0f, r);
            return c;
        });
        TextRenderer font(arguments[0]);
        TextStyle style;
        style.pixelSize = 150;
        style.colour = {1.0f, 0.96f, 0.9f, 1};
        style.glowRadius = 14;
        style.glowColour = {1.0f, 0.55f, 0.3f, 0.9f};
        drawText(icon, font, "N", Size / 2.0f, Size / 2.0f, style);
        icon.save(arguments[1]);
    });
}
