#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/OutputStream.h"

#include <cstddef>
#include <vector>

namespace Orvane::Utils {

// A stream over bytes held in memory, with the same fread/fwrite semantics as File: for data
// built in code and written or parsed without touching the disk.
class MemoryStream : public InputStream, public OutputStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<unsigned char> bytes)
        : bytes_(std::move(bytes))
    {}

    int read(void* buffer, int elementSize, int count) override;
    // Positions before the start clamp to 0; past the end is allowed, and a write there fills the
    // gap with zeros.
    void seek(int offset, int origin) override;
    int size() override;
    int write(const void* buffer, int elementSize, int count) override;

    int position() const { return int(position_); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
};

}
