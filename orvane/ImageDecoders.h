#pragma once

#include "orvane/BitmapImage.h"
#include "orvane/utils/InputStream.h"

#include <memory>

namespace Orvane {

// The two decoders behind loadImage; both read the stream from its current position.
std::unique_ptr<BitmapImage> decodePng(Utils::InputStream& stream);
std::unique_ptr<BitmapImage> decodeJpeg(Utils::InputStream& stream);

// A bitmap for a decoder to fill row by row, left uninitialised so that a damaged header claiming
// a huge size does not make us touch gigabytes before the pixel data runs out. Sizes that are not
// positive or whose byte count does not fit an int (the texture upload's limit) are rejected with
// UnsupportedFormatException "Unsupported format".
std::unique_ptr<BitmapImage> allocateDecodedBitmap(long long width, long long height, int pixelType);

// Row y (0 = bottom) of a bitmap.
unsigned char* bitmapRow(BitmapImage& image, int y);

}
