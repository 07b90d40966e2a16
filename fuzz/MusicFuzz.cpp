#include "orvane/exceptions/Exception.h"
#include "tavrin/audio/DecodedAudio.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Tavrin::Audio::decodeAudioMemory(data, size, "fuzz input");
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
