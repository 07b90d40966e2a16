#include "orvane/ImageLoader.h"

#include "orvane/ImageDecoders.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"

#include <climits>

namespace Orvane {

namespace {

bool carriesPngMarker(Utils::InputStream& stream)
{
    char head[4] = {};
    stream.read(head, 1, 4);
    stream.seek(0, Utils::SeekStart);
    return head[1] == 'P' && head[2] == 'N' && head[3] == 'G';
}

}

std::unique_ptr<BitmapImage> loadImage(Utils::InputStream& stream)
{
    return carriesPngMarker(stream) ? decodePng(stream) : decodeJpeg(stream);
}

std::unique_ptr<BitmapImage> loadImage(const std::string& path)
{
    Utils::File file(path, Utils::File::Read);
    return loadImage(file);
}

std::unique_ptr<BitmapImage> allocateDecodedBitmap(long long width, long long height, int pixelType)
{
    long long bytesPerPixel = BitmapImage::bytesPerPixel(pixelType);
    if (width <= 0 || height <= 0 || bytesPerPixel == 0 || width > INT_MAX / bytesPerPixel / height)
        throw Exceptions::UnsupportedFormatException("Unsupported format");
    std::unique_ptr<char[]> pixels(new char[size_t(width * height * bytesPerPixel)]);
    auto image = std::make_unique<BitmapImage>(pixels.get(), int(width), int(height), pixelType);
    pixels.release();
    return image;
}

unsigned char* bitmapRow(BitmapImage& image, int y)
{
    size_t stride = size_t(image.getWidth()) * size_t(image.bytesPerPixel());
    return reinterpret_cast<unsigned char*>(image.getData()) + stride * size_t(y);
}

}
