#pragma once

#include "tavrin/SyncKey.h"
#include "tavrin/SyncTrack.h"

#include <array>
#include <string>
#include <vector>

namespace Tavrin {

constexpr int SyncTrackCount = 64;

using SyncTrackKeys = std::array<std::vector<SyncKey>, SyncTrackCount>;
using SyncTracks = std::array<SyncTrack, SyncTrackCount>;

// The binary track file: 64 records of a little-endian int32 key count followed by that many
// 40-byte keys (time, mode, inValue, outValue); nothing before, between or after.
constexpr int SyncKeyRecordSize = 40;

// Throws FileNotFoundException for a missing file and UnsupportedFormatException naming the file
// and the track for a short or damaged one, a count below one, or keys not strictly ordered in time.
SyncTrackKeys readSyncTrackFile(const std::string& path);
void writeSyncTrackFile(const std::string& path, const SyncTrackKeys& keys);

// Replaces every track's keys, leaving the cached segment indices as they are.
void applySyncTrackKeys(SyncTracks& tracks, const SyncTrackKeys& keys);

}
