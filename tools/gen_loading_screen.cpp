// Generates the picture behind the loading bar: the production's name over a dusk sky.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/SkyPainter.h"
#include "assetkit/TextRenderer.h"

#include <filesystem>
#include <string>

using namespace AssetKit;

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "OUTPUT.jpg FONT.ttf", [](const std::vector<std::string>& arguments) {
        std::filesystem::create_directories(std::filesystem::path(arguments[0]).parent_path());
        Canvas sky = paintHorizon(HorizonMood::Dusk, 1024, 512);
        Canvas picture(1024, 576);
        picture.paint([&](float u, float v) { return sky.at(int(u * 1023), int((0.2f + v * 0.8f) * 511)); });
        TextRenderer font(arguments[1]);
        TextStyle title;
        title.pixelSize = 110;
        title.colour = {1.0f, 0.95f, 0.88f, 1};
        title.glowRadius = 14;
        title.glowColour = {1.0f, 0.55f, 0.35f, 0.9f};
        title.letterSpacing = 10;
        drawText(picture, font, "NIGHTGLASS", 512, 250, title);
        TextStyle byline;
        byline.pixelSize = 28;
        byline.colour = {0.9f, 0.85f, 1.0f, 0.85f};
        byline.letterSpacing = 14;
        drawText(picture, font, "VELKOR", 512, 340, byline);
        picture.save(arguments[0]);
    });
}
