#pragma once

#include <functional>
#include <string>
#include <vector>

namespace AssetKit {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba operator*(const Rgba& c, float s);
Rgba operator+(const Rgba& a, const Rgba& b);

// A float RGBA picture for generators to paint into; row 0 is the top, as artists think of it.
class Canvas {
public:
    Canvas(int width, int height, Rgba fill = {0, 0, 0, 1});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
    // Wraps around both edges, for tileable patterns.
    const Rgba& wrapped(int x, int y) const;

    // Sets every pixel from its normalised centre (u, v) in [0, 1).
    void paint(const std::function<Rgba(float u, float v)>& shader);
    // Alpha-blends colour over the pixels, weighted by coverage(u, v) in [0, 1].
    void blendOver(const std::function<float(float u, float v)>& coverage, const Rgba& colour);
    // Separable box blur applied three times (close to a Gaussian); wraps when tileable.
    void blur(int radius, bool tileable = false);

    // 8-bit bytes of 1 (grey), 3 (RGB) or 4 (RGBA) channels, bottom row first.
    std::vector<unsigned char> toBytes(int channels) const;

    // PNG or JPEG by the name's extension: ".jpg"/".jpeg" write RGB JPEG (alpha dropped), ".png"
    // writes RGBA when withAlpha, else RGB. Throws on any other extension or a write error.
    void save(const std::string& path, bool withAlpha = true, int jpegQuality = 92) const;

private:
    void boxBlurPass(int radius, bool horizontal, bool tileable);

    int width_, height_;
    std::vector<Rgba> pixels_;
};

}
