#include "orvane/BitmapImage.h"

#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

namespace Orvane {

int BitmapImage::bytesPerPixel(int pixelType)
{
    switch (pixelType) {
    case Luminance8: return 1;
    case RGBA8: return 4;
    case RGB8: return 3;
    default: return 0;
    }
}

BitmapImage::BitmapImage(char* data, int width, int height, int pixelType)
    : data_(data)
    , width_(width)
    , height_(height)
    , pixelType_(pixelType)
{}

BitmapImage::BitmapImage(int width, int height, int pixelType)
    : width_(width)
    , height_(height)
    , pixelType_(pixelType)
{
    int bytes = bytesPerPixel(pixelType);
    if (bytes == 0)
        throw Exceptions::Exception("Unsupported pixel type for BitmapImage.");
    if (width < 0 || height < 0)
        throw Exceptions::UnsupportedFormatException("Unsupported format: negative image size");
    data_ = std::make_unique<char[]>(size_t(width) * size_t(height) * size_t(bytes));
}

}
