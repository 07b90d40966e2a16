#include "tavrin/sync/SyncTrackFile.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/StreamReaders.h"

namespace Tavrin::Sync {

using Orvane::Exceptions::Exception;
using Orvane::Exceptions::UnsupportedFormatException;
using Orvane::Utils::File;
using namespace Orvane::Utils;

namespace {

Orvane::Vector4t<float> readVector(File& file)
{
    Orvane::Vector4t<float> v;
    v.x = readFloat(file);
    v.y = readFloat(file);
    v.z = readFloat(file);
    v.w = readFloat(file);
    return v;
}

void writeVector(File& file, const Orvane::Vector4t<float>& v)
{
    writeFloat(file, v.x);
    writeFloat(file, v.y);
    writeFloat(file, v.z);
    writeFloat(file, v.w);
}

SyncKey readKey(File& file)
{
    SyncKey key;
    key.time = readFloat(file);
    // Kept as stored; a value that names no mode is refused with the other key checks.
    key.mode = InterpolationMode(readInt32(file));
    key.inValue = readVector(file);
    key.outValue = readVector(file);
    return key;
}

void writeKey(File& file, const SyncKey& key)
{
    writeFloat(file, key.time);
    writeInt32(file, std::int32_t(key.mode));
    writeVector(file, key.inValue);
    writeVector(file, key.outValue);
}

struct ReadFailure {
    std::string problem;
};

[[noreturn]] void fail(const std::string& problem) { throw ReadFailure{problem}; }

// Checks the count against the bytes left before reading, so a damaged count can neither allocate
// wildly nor run past the end of the file.
std::vector<SyncKey> readTrack(File& file, int track, long long& bytesLeft)
{
    std::string name = "track " + std::to_string(track);
    if (bytesLeft < 4)
        fail("the file is truncated before " + name);
    std::int32_t count = readInt32(file);
    bytesLeft -= 4;
    if (count < 0)
        fail(name + " has a negative key count (" + std::to_string(count) + ")");
    if (count == 0)
        fail(name + " has no keys");
    if (static_cast<long long>(count) * SyncKeyRecordSize > bytesLeft)
        fail("the file is truncated: " + name + " has " + std::to_string(count) + " keys, room is left for "
             + std::to_string(bytesLeft / SyncKeyRecordSize));
    std::vector<SyncKey> keys;
    keys.reserve(size_t(count));
    for (int k = 0; k < count; ++k)
        keys.push_back(readKey(file));
    bytesLeft -= static_cast<long long>(count) * SyncKeyRecordSize;
    if (auto problem = keyOrderProblem(keys))
        fail(name + ": " + *problem);
    return keys;
}

}

SyncTrackKeys readSyncTrackFile(const std::string& path)
{
    File file(path, File::Read);
    long long bytesLeft = file.size();
    SyncTrackKeys keys;
    try {
        for (int track = 0; track < SyncTrackCount; ++track)
            keys[size_t(track)] = readTrack(file, track, bytesLeft);
    } catch (const ReadFailure& failure) {
        throw UnsupportedFormatException("Unsupported format: sync track file " + path + ": " + failure.problem);
    } catch (const UnsupportedFormatException&) {
        // The size said there was more to read than the file gave (not a regular file, or it shrank).
        throw UnsupportedFormatException("Unsupported format: sync track file " + path + ": the file is truncated");
    }
    if (bytesLeft != 0)
        throw UnsupportedFormatException("Unsupported format: sync track file " + path + ": "
                                         + std::to_string(bytesLeft) + " bytes follow the last track");
    return keys;
}

void writeSyncTrackFile(const std::string& path, const SyncTrackKeys& keys)
{
    for (size_t track = 0; track < keys.size(); ++track)
        if (auto problem = keyOrderProblem(keys[track]))
            throw Exception("Cannot write sync track file " + path + ": track " + std::to_string(track) + ": "
                            + *problem);
    File file(path, File::Write);
    for (const auto& track : keys) {
        writeInt32(file, std::int32_t(track.size()));
        for (const SyncKey& key : track)
            writeKey(file, key);
    }
    file.close();
}

void applySyncTrackKeys(SyncTracks& tracks, const SyncTrackKeys& keys)
{
    for (size_t i = 0; i < tracks.size(); ++i)
        tracks[i].setKeys(keys[i]);
}

}
