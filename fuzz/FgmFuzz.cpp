#include "orvane/exceptions/Exception.h"
#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/geometry/FgmReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Orvane::Utils::MemoryStream stream(std::vector<unsigned char>(data, data + size));
    try {
        Orvane::Utils::readFgmMesh(stream);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
