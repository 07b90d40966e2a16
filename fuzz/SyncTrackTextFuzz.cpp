#include "orvane/exceptions/Exception.h"
#include "tavrin/sync/SyncTrackText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Tavrin::Sync::SyncTrackKeys keys = Tavrin::Sync::compileSyncTrackText(text, "fuzz.txt");
        // What compiles must decompile and compile back.
        Tavrin::Sync::compileSyncTrackText(Tavrin::Sync::decompileSyncTrackKeys(keys), "again.txt");
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
