#include "tavrin/resources/TextureStrips.h"

#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "orvane/PixelType.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/loaders/WithPath.h"

namespace Tavrin::Resources {

namespace {

std::string memberName(const std::string& pattern, int index)
{
    for (const char* placeholder : {"%d", "%i"}) {
        size_t at = pattern.find(placeholder);
        if (at != std::string::npos)
            return pattern.substr(0, at) + std::to_string(index) + pattern.substr(at + 2);
    }
    throw Orvane::Exceptions::Exception("Texture strip pattern \"" + pattern + "\" has no %d for the image number");
}

// Any bitmap as RGBA: grey is spread to all three colours, missing alpha is opaque.
void copyAsRgba(const Orvane::BitmapImage& image, unsigned char* strip, int stripWidth, int offsetX)
{
    int channels = image.bytesPerPixel();
    auto* source = reinterpret_cast<const unsigned char*>(image.getData());
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x) {
            const unsigned char* p = source + (size_t(y) * image.getWidth() + x) * channels;
            unsigned char* q = strip + (size_t(y) * stripWidth + offsetX + x) * 4;
            q[0] = p[0];
            q[1] = channels >= 3 ? p[1] : p[0];
            q[2] = channels >= 3 ? p[2] : p[0];
            q[3] = channels == 4 ? p[3] : 255;
        }
}

struct StripPixels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
};

StripPixels decodeStrip(const std::string& folder, const std::string& pattern, int count)
{
    std::vector<std::unique_ptr<Orvane::BitmapImage>> images;
    for (int i = 0; i < count; ++i) {
        std::string path = folder + memberName(pattern, i);
        images.push_back(Orvane::Utils::Loaders::withPath(path, [&] { return Orvane::loadImage(path); }));
        const Orvane::BitmapImage& first = *images.front();
        if (images.back()->getWidth() != first.getWidth() || images.back()->getHeight() != first.getHeight())
            throw Orvane::Exceptions::UnsupportedFormatException(
                path + ": is " + std::to_string(images.back()->getWidth()) + "x"
                + std::to_string(images.back()->getHeight()) + ", but the first image of the strip is "
                + std::to_string(first.getWidth()) + "x" + std::to_string(first.getHeight()));
    }
    if (images.empty())
        throw Orvane::Exceptions::Exception("Texture strip \"" + pattern + "\" asks for no images");
    int w = images.front()->getWidth();
    StripPixels strip{w * count, images.front()->getHeight(), {}};
    strip.rgba.resize(size_t(strip.width) * size_t(strip.height) * 4);
    for (int i = 0; i < count; ++i)
        copyAsRgba(*images[size_t(i)], strip.rgba.data(), strip.width, i * w);
    return strip;
}

bool hasMember(const std::string& pattern, int count, const std::string& name)
{
    for (int i = 0; i < count; ++i)
        if (memberName(pattern, i) == name)
            return true;
    return false;
}

}

TextureStrips::TextureStrips(std::function<std::string()> folder)
    : folder_(std::move(folder))
{}

TextureStrips::~TextureStrips() = default;

Orvane::Texture* TextureStrips::load(const std::string& pattern, int count)
{
    StripPixels pixels = decodeStrip(folder_(), pattern, count);
    auto texture = std::make_unique<Orvane::Texture>(pixels.width, pixels.height, pixels.rgba.data(), Orvane::RGBA8,
                                                     Orvane::Mipmapped);
    strips_.push_back({pattern, count, std::move(texture)});
    return strips_.back().texture.get();
}

bool TextureStrips::reload(const std::string& name)
{
    bool found = false;
    for (Strip& strip : strips_) {
        if (!hasMember(strip.pattern, strip.count, name))
            continue;
        StripPixels pixels = decodeStrip(folder_(), strip.pattern, strip.count);
        strip.texture->upload(pixels.width, pixels.height, pixels.rgba.data(), Orvane::RGBA8, Orvane::Mipmapped);
        found = true;
    }
    return found;
}

void TextureStrips::clear() { strips_.clear(); }

}
