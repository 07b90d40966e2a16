#include "tavrin/Demo.h"

#include "orvane/BitmapImage.h"
#include "orvane/Font.h"
#include "orvane/ImageLoader.h"
#include "orvane/PixelType.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "orvane/utils/loaders/WithPath.h"

#include <cstring>

namespace Tavrin {

namespace {

const char* const FontPath = "data/fonts/eurostile.ttf";

const char* const BuiltinShaderNames[] = {
    "tavrin/constant_color.cg", "tavrin/texture_color.cg", "tavrin/vertex_normals.cg", "tavrin/vertex_color.cg",
    "tavrin/spherical_envmap.cg", "tavrin/planar_envmap.cg", "tavrin/box_blur.cg",
};

std::string stripName(const std::string& pattern, int index)
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

}

Orvane::Shader* Demo::loadShader(const std::string& name) { return resourceCache_->getShader(name); }
Orvane::Texture* Demo::loadTexture(const std::string& name) { return resourceCache_->getTexture(name); }
Orvane::Utils::Geometry* Demo::loadGeometry(const std::string& name) { return resourceCache_->getGeometry(name); }

std::unique_ptr<Orvane::Texture> Demo::loadTextureStrip(const std::string& pattern, int count)
{
    std::vector<std::unique_ptr<Orvane::BitmapImage>> images;
    for (int i = 0; i < count; ++i) {
        std::string path = dataFolder + stripName(pattern, i);
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
    int w = images.front()->getWidth(), h = images.front()->getHeight(), stripWidth = w * count;
    std::vector<unsigned char> strip(size_t(stripWidth) * h * 4);
    for (int i = 0; i < count; ++i)
        copyAsRgba(*images[size_t(i)], strip.data(), stripWidth, i * w);
    return std::make_unique<Orvane::Texture>(stripWidth, h, strip.data(), Orvane::RGBA8, Orvane::Mipmapped);
}

void Demo::loadBuiltins()
{
    Orvane::Utils::File fontFile(FontPath, Orvane::Utils::File::Read);
    ownedFont_ = Orvane::Utils::Loaders::withPath(FontPath, [&] { return std::make_unique<Orvane::Font>(fontFile, 20); });
    font = ownedFont_.get();
    for (int slot = 0; slot < 7; ++slot)
        builtinShaders[slot] = loadShader(BuiltinShaderNames[slot]);
}

}
