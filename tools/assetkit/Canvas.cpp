#include "Canvas.h"

#include "orvane/JpegWriter.h"
#include "orvane/PngWriter.h"
#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cmath>

namespace AssetKit {

Rgba mix(const Rgba& a, const Rgba& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba operator*(const Rgba& c, float s) { return {c.r * s, c.g * s, c.b * s, c.a * s}; }
Rgba operator+(const Rgba& a, const Rgba& b) { return {a.r + b.r, a.g + b.g, a.b + b.b, a.a + b.a}; }

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width)
    , height_(height)
    , pixels_(size_t(width) * size_t(height), fill)
{}

const Rgba& Canvas::wrapped(int x, int y) const
{
    x %= width_;
    y %= height_;
    return at(x < 0 ? x + width_ : x, y < 0 ? y + height_ : y);
}

void Canvas::paint(const std::function<Rgba(float u, float v)>& shader)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            at(x, y) = shader((x + 0.5f) / width_, (y + 0.5f) / height_);
}

void Canvas::blendOver(const std::function<float(float u, float v)>& coverage, const Rgba& colour)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float w = std::clamp(coverage((x + 0.5f) / width_, (y + 0.5f) / height_), 0.0f, 1.0f) * colour.a;
            Rgba& p = at(x, y);
            p.r += (colour.r - p.r) * w;
            p.g += (colour.g - p.g) * w;
            p.b += (colour.b - p.b) * w;
            p.a = p.a + w * (1.0f - p.a);
        }
}

void Canvas::boxBlurPass(int radius, bool horizontal, bool tileable)
{
    int length = horizontal ? width_ : height_, lines = horizontal ? height_ : width_;
    std::vector<Rgba> line(static_cast<size_t>(length));
    for (int l = 0; l < lines; ++l) {
        auto sample = [&](int i) -> const Rgba& {
            if (tileable)
                return horizontal ? wrapped(i, l) : wrapped(l, i);
            i = std::clamp(i, 0, length - 1);
            return horizontal ? at(i, l) : at(l, i);
        };
        Rgba sum{0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i)
            sum = sum + sample(i);
        float scale = 1.0f / float(2 * radius + 1);
        for (int i = 0; i < length; ++i) {
            line[size_t(i)] = sum * scale;
            sum = sum + sample(i + radius + 1) + sample(i - radius) * -1.0f;
        }
        for (int i = 0; i < length; ++i)
            (horizontal ? at(i, l) : at(l, i)) = line[size_t(i)];
    }
}

void Canvas::blur(int radius, bool tileable)
{
    if (radius <= 0)
        return;
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurPass(radius, true, tileable);
        boxBlurPass(radius, false, tileable);
    }
}

std::vector<unsigned char> Canvas::toBytes(int channels) const
{
    std::vector<unsigned char> bytes(size_t(width_) * height_ * channels);
    auto byte = [](float v) { return (unsigned char)(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    size_t i = 0;
    for (int y = height_ - 1; y >= 0; --y)
        for (int x = 0; x < width_; ++x) {
            const Rgba& p = at(x, y);
            if (channels == 1) {
                bytes[i++] = byte(0.299f * p.r + 0.587f * p.g + 0.114f * p.b);
                continue;
            }
            bytes[i++] = byte(p.r);
            bytes[i++] = byte(p.g);
            bytes[i++] = byte(p.b);
            if (channels == 4)
                bytes[i++] = byte(p.a);
        }
    return bytes;
}

namespace {

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}

void Canvas::save(const std::string& path, bool withAlpha, int jpegQuality) const
{
    if (endsWith(path, ".jpg") || endsWith(path, ".jpeg")) {
        Orvane::writeJpeg(path, width_, height_, 3, toBytes(3).data(), jpegQuality);
    } else if (endsWith(path, ".png")) {
        int channels = withAlpha ? 4 : 3;
        Orvane::writePng(path, width_, height_, channels, toBytes(channels).data());
    } else {
        throw Orvane::Exceptions::Exception("Cannot write " + path + ": the name must end in .png or .jpg");
    }
}

}
