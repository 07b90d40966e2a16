#pragma once

#include "orvane/BitmapImage.h"
#include "orvane/utils/InputStream.h"

#include <memory>
#include <string>

namespace Orvane {

// Decodes a PNG or JPEG image, chosen by content: bytes 1 to 3 reading "PNG" mean PNG (byte 0 is
// not looked at), anything else is tried as JPEG. The result is RGB8 or RGBA8, bottom row first.
// Every decoding failure is UnsupportedFormatException; the stream is read from its start.
std::unique_ptr<BitmapImage> loadImage(Utils::InputStream& stream);
// A missing file is FileNotFoundException.
std::unique_ptr<BitmapImage> loadImage(const std::string& path);

}
