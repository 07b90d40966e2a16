// Generates the four credits pages shown over black as the fire scene fades: the title, then who
// made what. Light text with a soft glow on a transparent 16:9 page.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/TextRenderer.h"

#include <filesystem>
#include <string>

using namespace AssetKit;

namespace {

constexpr int PageWidth = 1280, PageHeight = 720;

struct Page {
    const char* small;  // above the main line
    const char* large;
    const char* below;  // under it, may be empty
};

void credits(TextRenderer& font, const Page& page, const std::string& path)
{
    Canvas canvas(PageWidth, PageHeight, {1, 1, 1, 0});
    TextStyle caption;
    caption.pixelSize = 34;
    caption.colour = {0.75f, 0.85f, 1.0f, 0.9f};
    caption.letterSpacing = 10;
    TextStyle name;
    name.pixelSize = 112;
    name.glowRadius = 14;
    name.glowColour = {1.0f, 0.6f, 0.35f, 0.45f};
    name.letterSpacing = 6;
    drawText(canvas, font, page.small, PageWidth * 0.5f, PageHeight * 0.38f, caption);
    drawText(canvas, font, page.large, PageWidth * 0.5f, PageHeight * 0.53f, name);
    if (*page.below)
        drawText(canvas, font, page.below, PageWidth * 0.5f, PageHeight * 0.67f, caption);
    canvas.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT", [](const std::vector<std::string>& arguments) {
        std::string overlays = arguments[0] + "/overlays/";
        std::filesystem::create_directories(overlays);
        TextRenderer font(arguments[1]);
        const Page pages[4] = {
            {"VELKOR PRESENTS", "NIGHTGLASS", "A REAL-TIME DEMO"},
            {"CODE", "VELKOR", ""},
            {"MUSIC", "VELKOR", ""},
            {"GRAPHICS", "VELKOR", ""},
        };
        for (int k = 0; k < 4; ++k)
            credits(font, pages[k], overlays + "credits" + std::to_string(k + 1) + ".png");
    });
}
