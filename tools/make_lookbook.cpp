// Renders every image under the data folder into one contact sheet, so the generated assets can be
// judged at a glance: thumbnails over a checkerboard (to show alpha), each labelled with its name.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/TextRenderer.h"
#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace AssetKit;
namespace fs = std::filesystem;

namespace {

constexpr int CellWidth = 256, CellHeight = 200, ThumbHeight = 168, Columns = 5;

Rgba texel(const Orvane::BitmapImage& image, int x, int y)
{
    int channels = image.bytesPerPixel();
    // Bitmaps keep their bottom row first; the sheet draws top down.
    auto* p = reinterpret_cast<const unsigned char*>(image.getData())
            + (size_t(image.getHeight() - 1 - y) * image.getWidth() + x) * channels;
    if (channels == 1)
        return {p[0] / 255.0f, p[0] / 255.0f, p[0] / 255.0f, 1};
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, channels == 4 ? p[3] / 255.0f : 1.0f};
}

void drawThumbnail(Canvas& sheet, const Orvane::BitmapImage& image, int left, int top)
{
    float scale = std::min(float(CellWidth - 16) / image.getWidth(), float(ThumbHeight - 8) / image.getHeight());
    // Tiny patterns (dither cells) are shown large with hard pixels, which is how the demo tiles them.
    int w = std::max(1, int(image.getWidth() * scale)), h = std::max(1, int(image.getHeight() * scale));
    int x0 = left + (CellWidth - w) / 2, y0 = top + (ThumbHeight - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool light = ((x / 8) + (y / 8)) % 2 == 0;
            Rgba checker = light ? Rgba{0.42f, 0.42f, 0.45f, 1} : Rgba{0.28f, 0.28f, 0.30f, 1};
            Rgba t = texel(image, std::min(image.getWidth() - 1, int(x / scale)), std::min(image.getHeight() - 1, int(y / scale)));
            Rgba c = mix(checker, t, t.a);
            c.a = 1;
            sheet.at(x0 + x, y0 + y) = c;
        }
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf OUTPUT.png", [](const std::vector<std::string>& arguments) {
        const std::string& data = arguments[0];
        std::vector<fs::path> images;
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".png" || extension == ".jpg"))
                images.push_back(entry.path());
        }
        std::sort(images.begin(), images.end());
        if (images.empty())
            throw Orvane::Exceptions::Exception(std::string("No images under ") + data + ": build the assets first");
        int rows = int(images.size() + Columns - 1) / Columns;
        Canvas sheet(CellWidth * Columns, CellHeight * rows, {0.08f, 0.07f, 0.11f, 1});
        TextRenderer font(arguments[1]);
        TextStyle label;
        label.pixelSize = 13;
        label.colour = {0.85f, 0.85f, 0.9f, 1};
        for (size_t i = 0; i < images.size(); ++i) {
            int left = int(i % Columns) * CellWidth, top = int(i / Columns) * CellHeight;
            drawThumbnail(sheet, *Orvane::loadImage(images[i].string()), left, top);
            std::string name = fs::relative(images[i], data).string();
            Canvas caption(CellWidth, CellHeight - ThumbHeight, {0, 0, 0, 0});
            drawText(caption, font, name, CellWidth / 2.0f, (CellHeight - ThumbHeight) / 2.0f, label);
            for (int y = 0; y < caption.height(); ++y)
                for (int x = 0; x < caption.width(); ++x) {
                    Rgba& into = sheet.at(left + x, top + ThumbHeight + y);
                    into = mix(into, caption.at(x, y), caption.at(x, y).a);
                    into.a = 1;
                }
        }
        sheet.save(arguments[2], false);
        std::printf("%s: %zu images\n", arguments[2].c_str(), images.size());
    });
}
