#pragma once

#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/StreamReaders.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace TestSupport {

using Bytes = std::vector<unsigned char>;
using ByteReader = Orvane::Utils::MemoryStream;

// An in-memory stream with shorthands for building files by hand.
class ByteWriter : public Orvane::Utils::MemoryStream {
public:
    ByteWriter& raw(const std::string& text)
    {
        write(text.data(), 1, int(text.size()));
        return *this;
    }
    ByteWriter& i32(std::int32_t v)
    {
        Orvane::Utils::writeInt32(*this, v);
        return *this;
    }
    ByteWriter& f32(float v)
    {
        Orvane::Utils::writeFloat(*this, v);
        return *this;
    }
    ByteWriter& floats(std::initializer_list<float> values)
    {
        for (float v : values)
            f32(v);
        return *this;
    }
    ByteWriter& str(const std::string& text)
    {
        Orvane::Utils::writeString(*this, text);
        return *this;
    }
    ByteWriter& append(const Bytes& more)
    {
        write(more.data(), 1, int(more.size()));
        return *this;
    }
};

}
