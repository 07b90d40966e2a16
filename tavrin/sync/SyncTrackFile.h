#pragma once

#include "tavrin/sync/SyncKey.h"
#include "tavrin/sync/SyncTrack.h"

#include <array>
#include <string>
#include <vector>

namespace Tavrin::Sync {

constexpr int SyncTrackCount = 64;

using SyncTrackKeys = std::array<std::vector<SyncKey>, SyncTrackCount>;
using SyncTracks = std::array<SyncTrack, SyncTrackCount>;

// The binary track file: 64 records of a little-endian int32 key count followed by that many
// 40-byte keys (time, mode, inValue, outValue); nothing before, between or after.
constexpr int SyncKeyRecordSize = 40;

// Throws FileNotFoundException for a missing file and UnsupportedFormatException naming the file
// and the track for a short or damaged one, a count below one, keys not strictly ordered in time,
// or a key whose interpolation mode names none.
SyncTrackKeys readSyncTrackFile(const std::string& path);
void writeSyncTrackFile(const std::string& path, const SyncTrackKeys& keys);

// Replaces every track's keys, leaving the cached segment indices as they are.
void applySyncTrackKeys(SyncTracks& tracks, const SyncTrackKeys& keys);

}
