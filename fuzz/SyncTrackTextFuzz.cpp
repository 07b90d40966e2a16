#include "orvane/exceptions/Exception.h"
#include "tavrin/SyncTrackText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Tavrin::SyncTrackKeys keys = Tavrin::compileSyncTrackText(text, "fuzz.txt");
        // What compiles must decompile and compile back.
        Tavrin::compileSyncTrackText(Tavrin::decompileSyncTrackKeys(keys), "again.txt");
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
