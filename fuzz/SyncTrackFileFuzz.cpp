#include "FuzzInput.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/SyncTrackFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        Tavrin::SyncTracks tracks;
        Tavrin::applySyncTrackKeys(tracks, Tavrin::readSyncTrackFile(Fuzz::writeScratchFile(data, size, ".track")));
        for (Tavrin::SyncTrack& track : tracks)
            for (float time : {-1.0f, 0.0f, 0.5f, 3.0f, 1e9f})
                track.evaluate(time);
    } catch (const Orvane::Exceptions::Exception&) {
    }
    return 0;
}
