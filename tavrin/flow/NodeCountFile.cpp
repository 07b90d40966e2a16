#include "tavrin/flow/NodeCountFile.h"

#include <cstdint>
#include <cstdio>

namespace Tavrin::Flow {

int NodeCountFile::read() const
{
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (!file)
        return FallbackCount;
    unsigned char bytes[4];
    size_t got = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    if (got != sizeof bytes)
        return FallbackCount;
    std::uint32_t raw = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
        | std::uint32_t(bytes[3]) << 24;
    auto count = std::int32_t(raw);
    return count > 0 ? count : FallbackCount;
}

void NodeCountFile::write(int count) const
{
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file)
        return;
    auto raw = std::uint32_t(count);
    const unsigned char bytes[4] = {static_cast<unsigned char>(raw), static_cast<unsigned char>(raw >> 8),
                                    static_cast<unsigned char>(raw >> 16), static_cast<unsigned char>(raw >> 24)};
    std::fwrite(bytes, 1, sizeof bytes, file);
    std::fclose(file);
}

}
