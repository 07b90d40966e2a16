#include "orvane/ImageLoader.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/MemoryStream.h"

#include <cstddef>
#include <cstdint>

// PNG and JPEG alike: the loader picks the decoder by the PNG marker.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Orvane::Utils::MemoryStream stream(std::vector<unsigned char>(data, data + size));
    try {
        Orvane::loadImage(stream);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
