// Lays the frames of a production capture (frame_NNNNNN.png at a frame rate) out as one sheet with
// the time and row under each frame, and reports every frame that is one flat colour (outside the
// fades listed as intended, a broken or empty stretch of the timeline) and every frame identical to
// the one before it (a frozen picture).
#include "assetkit/ContactSheet.h"
#include "assetkit/GeneratorMain.h"
#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace AssetKit;
namespace fs = std::filesystem;

namespace {

constexpr float Bpm = 162.0f;

// Whether every pixel lies within a few levels of the first one.
bool isFlat(const Orvane::BitmapImage& image)
{
    auto* bytes = reinterpret_cast<const unsigned char*>(image.getData());
    size_t size = size_t(image.getWidth()) * image.getHeight() * size_t(image.bytesPerPixel());
    for (size_t i = 0; i < size; ++i)
        if (std::abs(int(bytes[i]) - int(bytes[i % size_t(image.bytesPerPixel())])) > 6)
            return false;
    return true;
}

bool sameBytes(const Orvane::BitmapImage& a, const Orvane::BitmapImage& b)
{
    size_t size = size_t(a.getWidth()) * a.getHeight() * size_t(a.bytesPerPixel());
    return a.getWidth() == b.getWidth() && a.getHeight() == b.getHeight() && a.bytesPerPixel() == b.bytesPerPixel()
        && std::memcmp(a.getData(), b.getData(), size) == 0;
}

std::vector<float> parseTimes(const std::string& list)
{
    std::vector<float> times;
    if (list == "-")
        return times;
    std::stringstream stream(list);
    std::string item;
    while (std::getline(stream, item, ','))
        times.push_back(std::stof(item));
    return times;
}

std::string caption(float seconds)
{
    char text[64];
    int row = int(std::lround(seconds * Bpm * 4.0f / 60.0f));
    std::snprintf(text, sizeof text, "%d:%04.1f  row %d", int(seconds) / 60, std::fmod(seconds, 60.0f), row);
    return text;
}

}

int main(int argc, char** argv)
{
    int faults = 0;
    int status = runGenerator(
        argc, argv, "FRAMES_FOLDER FPS FONT.ttf OUTPUT.png INTENDED_BLANK_SECONDS|-",
        [&](const std::vector<std::string>& arguments) {
            std::vector<fs::path> frames;
            for (const auto& entry : fs::directory_iterator(arguments[0]))
                if (entry.path().extension() == ".png" && entry.path().filename().string().rfind("frame_", 0) == 0)
                    frames.push_back(entry.path());
            std::sort(frames.begin(), frames.end());
            if (frames.empty())
                throw Orvane::Exceptions::Exception("No frame_*.png under " + arguments[0]);
            float fps = std::stof(arguments[1]);
            std::vector<float> intended = parseTimes(arguments[4]);
            ContactSheet::Layout layout;
            layout.cellWidth = 336;
            layout.cellHeight = 214;
            layout.thumbHeight = 192;
            layout.columns = 10;
            ContactSheet sheet(layout, int(frames.size()), arguments[2]);
            std::unique_ptr<Orvane::BitmapImage> previous;
            for (size_t i = 0; i < frames.size(); ++i) {
                float seconds = float(std::stol(frames[i].stem().string().substr(6))) / fps;
                std::unique_ptr<Orvane::BitmapImage> image = Orvane::loadImage(frames[i].string());
                sheet.add(int(i), *image, caption(seconds), false);
                bool frozen = previous && !isFlat(*image) && sameBytes(*previous, *image);
                previous = std::move(image);
                if (frozen) {
                    std::printf("FROZEN frame at %.2f s (%s): the same picture as the frame before\n", seconds,
                                caption(seconds).c_str());
                    ++faults;
                }
                if (!isFlat(*previous))
                    continue;
                bool meant = std::any_of(intended.begin(), intended.end(),
                                         [&](float t) { return std::fabs(t - seconds) < 0.5f / fps; });
                std::printf("%s frame at %.2f s (%s)\n", meant ? "intended blank" : "BLANK", seconds,
                            caption(seconds).c_str());
                faults += meant ? 0 : 1;
            }
            sheet.save(arguments[3]);
            std::printf("%s: %zu frames, %d unexpected blank or frozen\n", arguments[3].c_str(), frames.size(), faults);
        });
    return status != 0 ? status : faults > 0 ? 1 : 0;
}
