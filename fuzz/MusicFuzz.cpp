#include "FuzzInput.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/DecodedAudio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Tavrin::decodeAudioFile(Fuzz::writeScratchFile(data, size, ".audio"));
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
