#pragma once

#include "orvane/Image.h"

#include <memory>

namespace Orvane {

// An image in memory holding Luminance8, RGBA8 or RGB8 pixels.
class BitmapImage : public Image {
public:
    // Takes ownership of data (width * height * bytesPerPixel bytes, allocated with new[]).
    BitmapImage(char* data, int width, int height, int pixelType);
    // All zero. Throws Exception "Unsupported pixel type for BitmapImage." for other pixel types.
    BitmapImage(int width, int height, int pixelType);

    int getWidth() const override { return width_; }
    int getHeight() const override { return height_; }
    int getPixelType() const override { return pixelType_; }
    const char* getData() const override { return data_.get(); }
    char* getData() { return data_.get(); }

    int bytesPerPixel() const { return bytesPerPixel(pixelType_); }
    // 1, 4 or 3; 0 for a pixel type a bitmap cannot hold.
    static int bytesPerPixel(int pixelType);

private:
    std::unique_ptr<char[]> data_;
    int width_, height_, pixelType_;
};

}
