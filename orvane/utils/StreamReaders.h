#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/OutputStream.h"

#include <cstdint>
#include <string>

namespace Orvane::Utils {

// The whole file as text (shader sources). Throws FileNotFoundException when it cannot be opened.
std::string readTextFile(const std::string& path);

// A 32-bit little-endian length followed by that many bytes. Lengths below 0 or above 255 are rejected with
// UnsupportedFormatException, as is a stream that ends early.
std::string readString(InputStream& stream);
void writeString(OutputStream& stream, const std::string& text);

// Exactly count elements, or UnsupportedFormatException saying the stream is truncated.
void readExactly(InputStream& stream, void* buffer, int elementSize, int count);
void writeExactly(OutputStream& stream, const void* buffer, int elementSize, int count);

std::int32_t readInt32(InputStream& stream);
float readFloat(InputStream& stream);
void writeInt32(OutputStream& stream, std::int32_t value);
void writeFloat(OutputStream& stream, float value);

constexpr int MaxStringLength = 255;

}
