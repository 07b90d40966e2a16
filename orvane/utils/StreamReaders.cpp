#include "orvane/utils/StreamReaders.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"

#include <cstring>

namespace Orvane::Utils {

using Exceptions::Exception;
using Exceptions::UnsupportedFormatException;

std::string readTextFile(const std::string& path)
{
    File file(path, File::Read);
    int length = file.size();
    std::string text(size_t(length > 0 ? length : 0), '\0');
    int got = file.read(text.data(), 1, length);
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

void readExactly(InputStream& stream, void* buffer, int elementSize, int count)
{
    if (count == 0)
        return;
    if (stream.read(buffer, elementSize, count) != count)
        throw UnsupportedFormatException("Unsupported format: the file is truncated");
}

void writeExactly(OutputStream& stream, const void* buffer, int elementSize, int count)
{
    if (count == 0)
        return;
    if (stream.write(buffer, elementSize, count) != count)
        throw Exception("Unable to write: the disk may be full");
}

std::int32_t readInt32(InputStream& stream)
{
    unsigned char bytes[4];
    readExactly(stream, bytes, 1, 4);
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
                        | std::uint32_t(bytes[3]) << 24);
}

float readFloat(InputStream& stream)
{
    std::int32_t bits = readInt32(stream);
    float value;
    static_assert(sizeof value == sizeof bits);
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeInt32(OutputStream& stream, std::int32_t value)
{
    auto u = std::uint32_t(value);
    const unsigned char bytes[4]
        = {(unsigned char)(u), (unsigned char)(u >> 8), (unsigned char)(u >> 16), (unsigned char)(u >> 24)};
    writeExactly(stream, bytes, 1, 4);
}

void writeFloat(OutputStream& stream, float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeInt32(stream, bits);
}

std::string readString(InputStream& stream)
{
    std::int32_t length = readInt32(stream);
    if (length < 0)
        throw UnsupportedFormatException("Unsupported format: a string has the negative length "
                                         + std::to_string(length));
    if (length > MaxStringLength)
        throw UnsupportedFormatException("Unsupported format: a string of " + std::to_string(length)
                                         + " bytes is longer than 255");
    std::string text(size_t(length), '\0');
    readExactly(stream, text.data(), 1, length);
    return text;
}

void writeString(OutputStream& stream, const std::string& text)
{
    if (text.size() > size_t(MaxStringLength))
        throw Exception("Cannot write the string \"" + text.substr(0, 32) + "...\": longer than 255 bytes");
    writeInt32(stream, std::int32_t(text.size()));
    writeExactly(stream, text.data(), 1, int(text.size()));
}

}
