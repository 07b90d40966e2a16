#pragma once

#include "orvane/utils/InputStream.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace TestSupport {

// Bytes in memory as an InputStream with the File's fread/fseek behaviour, so decoders can be fed
// made-up or cut-down data without temporary files.
class MemoryInputStream : public Orvane::Utils::InputStream {
public:
    explicit MemoryInputStream(std::string bytes)
        : bytes_(std::move(bytes))
    {}

    int read(void* buffer, int elementSize, int count) override
    {
        if (elementSize <= 0 || count <= 0)
            return 0;
        size_t available = bytes_.size() - std::min(position_, bytes_.size());
        size_t whole = std::min(size_t(count), available / size_t(elementSize));
        std::memcpy(buffer, bytes_.data() + position_, whole * size_t(elementSize));
        position_ += whole * size_t(elementSize);
        return int(whole);
    }

    void seek(int offset, int origin) override
    {
        long base = origin == Orvane::Utils::SeekStart ? 0
            : origin == Orvane::Utils::SeekCurrent     ? long(position_)
            : origin == Orvane::Utils::SeekEnd         ? long(bytes_.size())
                                                       : -1;
        if (base >= 0 && base + offset >= 0)
            position_ = size_t(base + offset);
    }

    int size() override
    {
        position_ = 0;
        return int(bytes_.size());
    }

private:
    std::string bytes_;
    size_t position_ = 0;
};

}
