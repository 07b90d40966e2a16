#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/OutputStream.h"
#include "orvane/utils/StreamReaders.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace TestSupport {

using Bytes = std::vector<std::uint8_t>;

// Collects written bytes in memory, with shorthands for building files by hand.
class ByteWriter : public Orvane::Utils::OutputStream {
public:
    int write(const void* buffer, int elementSize, int count) override
    {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        bytes_.insert(bytes_.end(), bytes, bytes + size_t(elementSize) * size_t(count));
        return count;
    }

    ByteWriter& raw(const std::string& text) { write(text.data(), 1, int(text.size())); return *this; }
    ByteWriter& i32(std::int32_t v) { Orvane::Utils::writeInt32(*this, v); return *this; }
    ByteWriter& f32(float v) { Orvane::Utils::writeFloat(*this, v); return *this; }
    ByteWriter& floats(std::initializer_list<float> values)
    {
        for (float v : values)
            f32(v);
        return *this;
    }
    ByteWriter& str(const std::string& text) { Orvane::Utils::writeString(*this, text); return *this; }
    ByteWriter& append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); return *this; }

    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// Reads from a byte vector with fread semantics: whole elements only, fewer at the end.
class ByteReader : public Orvane::Utils::InputStream {
public:
    explicit ByteReader(Bytes bytes) : bytes_(std::move(bytes)) {}

    int read(void* buffer, int elementSize, int count) override
    {
        if (elementSize <= 0 || count <= 0)
            return 0;
        size_t available = (bytes_.size() - position_) / size_t(elementSize);
        size_t whole = std::min(available, size_t(count));
        std::memcpy(buffer, bytes_.data() + position_, whole * size_t(elementSize));
        position_ += whole * size_t(elementSize);
        return int(whole);
    }

    void seek(int offset, int origin) override
    {
        long base = origin == Orvane::Utils::SeekStart ? 0
                  : origin == Orvane::Utils::SeekCurrent ? long(position_) : long(bytes_.size());
        position_ = size_t(std::clamp(base + offset, 0L, long(bytes_.size())));
    }

    int size() override
    {
        position_ = 0;
        return int(bytes_.size());
    }

    size_t position() const { return position_; }

private:
    Bytes bytes_;
    size_t position_ = 0;
};

}
