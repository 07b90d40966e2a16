#pragma once

#include <string>

namespace Orvane {

// Writes 8-bit pixels of 1 to 4 channels (grey, grey+alpha, RGB, RGBA), stored bottom row first
// as GL reads them back and as bitmaps keep them, to a PNG file. Throws Exception naming the file.
// compressionLevel is zlib's, 1 (fastest) to 9 (smallest); the pixels are the same at every level.
constexpr int DefaultPngCompression = 6;
void writePng(const std::string& path, int width, int height, int channels, const unsigned char* bottomUpPixels,
              int compressionLevel = DefaultPngCompression);

}
