#pragma once

#include <string>

namespace Orvane {

// Writes 8-bit grey (1 channel) or RGB (3 channels) pixels, stored bottom row first, to a JPEG
// file of the given quality (1-100). Throws Exception naming the file.
void writeJpeg(const std::string& path, int width, int height, int channels, const unsigned char* bottomUpPixels,
               int quality);

}
