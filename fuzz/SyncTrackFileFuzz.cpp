#include "FuzzInput.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/sync/SyncTrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Tavrin::Sync::SyncTracks tracks;
        Tavrin::Sync::applySyncTrackKeys(tracks,
                                         Tavrin::Sync::readSyncTrackFile(Fuzz::writeScratchFile(data, size, ".track")));
        for (Tavrin::Sync::SyncTrack& track : tracks)
            for (float time : {-1.0f, 0.0f, 0.5f, 3.0f, 1e9f})
                track.evaluate(time);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
