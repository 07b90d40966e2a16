#include "orvane/utils/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace Orvane::Utils {

int MemoryStream::read(void* buffer, int elementSize, int count)
{
    if (elementSize <= 0 || count <= 0 || position_ >= bytes_.size())
        return 0;
    size_t available = (bytes_.size() - position_) / size_t(elementSize);
    size_t elements = std::min(available, size_t(count));
    size_t length = elements * size_t(elementSize);
    std::memcpy(buffer, bytes_.data() + position_, length);
    position_ += length;
    return int(elements);
}

void MemoryStream::seek(int offset, int origin)
{
    long long base;
    switch (origin) {
    case SeekStart: base = 0; break;
    case SeekCurrent: base = (long long)position_; break;
    case SeekEnd: base = (long long)bytes_.size(); break;
    default: return;
    }
    position_ = size_t(std::max(0LL, base + offset));
}

int MemoryStream::size()
{
    position_ = 0;
    return int(bytes_.size());
}

int MemoryStream::write(const void* buffer, int elementSize, int count)
{
    if (elementSize <= 0 || count <= 0)
        return 0;
    size_t length = size_t(elementSize) * size_t(count);
    if (bytes_.size() < position_ + length)
        bytes_.resize(position_ + length);
    std::memcpy(bytes_.data() + position_, buffer, length);
    position_ += length;
    return count;
}

}
