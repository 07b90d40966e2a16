#include "tavrin/sync/SyncTrackFile.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <vector>

using Orvane::Exceptions::Exception;
using Tavrin::Sync::SyncKey;
using Tavrin::Sync::SyncTrackKeys;

namespace {

SyncTrackKeys sampleKeys()
{
    SyncTrackKeys keys;
    for (int t = 0; t < Tavrin::Sync::SyncTrackCount; ++t) {
        int count = 1 + t % 3;
        for (int k = 0; k < count; ++k) {
            SyncKey key;
            key.time = float(k) * 1.25f - 0.5f;
            key.mode = Tavrin::Sync::InterpolationMode((t + k) % 3);
            key.inValue = {float(t), float(k), -0.125f, 1e-7f * float(t)};
            key.outValue = {float(t) + 0.5f, float(k) * 3.0f, 42.0f, -1.0f};
            keys[size_t(t)].push_back(key);
        }
    }
    return keys;
}

void expectSameKeys(const SyncTrackKeys& a, const SyncTrackKeys& b)
{
    for (size_t t = 0; t < a.size(); ++t) {
        ASSERT_EQ(a[t].size(), b[t].size()) << "track " << t;
        for (size_t k = 0; k < a[t].size(); ++k) {
            EXPECT_EQ(a[t][k].time, b[t][k].time);
            EXPECT_EQ(a[t][k].mode, b[t][k].mode);
            EXPECT_EQ(a[t][k].inValue, b[t][k].inValue);
            EXPECT_EQ(a[t][k].outValue, b[t][k].outValue);
        }
    }
}

std::vector<unsigned char> bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void putInt32(std::vector<unsigned char>& bytes, size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = (unsigned char)(std::uint32_t(value) >> (8 * i));
}

void putFloat(std::vector<unsigned char>& bytes, size_t at, float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, 4);
    putInt32(bytes, at, bits);
}

// A file of 64 one-key tracks, as bytes, for damaging by hand.
std::vector<unsigned char> oneKeyFile(const TestSupport::TempDir& dir)
{
    SyncTrackKeys keys;
    for (auto& track : keys)
        track.push_back(SyncKey{});
    Tavrin::Sync::writeSyncTrackFile(dir.file("one.track"), keys);
    return bytesOf(dir.file("one.track"));
}

void expectRejected(const std::string& path, const std::string& problem)
{
    try {
        Tavrin::Sync::readSyncTrackFile(path);
        ADD_FAILURE() << "accepted a file with " << problem;
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        EXPECT_NE(e.getMessage().find(path), std::string::npos) << e.getMessage();
        EXPECT_NE(e.getMessage().find(problem), std::string::npos) << e.getMessage();
    }
}

}

TEST(SyncTrackFile, WriterAndReaderRoundTripWithTheDocumentedLayout)
{
    TestSupport::TempDir dir;
    SyncTrackKeys keys = sampleKeys();
    Tavrin::Sync::writeSyncTrackFile(dir.file("a.track"), keys);
    expectSameKeys(Tavrin::Sync::readSyncTrackFile(dir.file("a.track")), keys);

    std::vector<unsigned char> bytes = bytesOf(dir.file("a.track"));
    size_t total = 0;
    for (const auto& track : keys)
        total += track.size();
    EXPECT_EQ(bytes.size(), 256 + 40 * total);
    // Track 0 has one key: count, time, mode, in (x y z w), out (x y z w).
    std::vector<unsigned char> expected(44);
    putInt32(expected, 0, 1);
    putFloat(expected, 4, -0.5f);
    putInt32(expected, 8, 0);
    putFloat(expected, 12, 0.0f);
    putFloat(expected, 16, 0.0f);
    putFloat(expected, 20, -0.125f);
    putFloat(expected, 24, 0.0f);
    putFloat(expected, 28, 0.5f);
    putFloat(expected, 32, 0.0f);
    putFloat(expected, 36, 42.0f);
    putFloat(expected, 40, -1.0f);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 44), expected);
}

TEST(SyncTrackFile, BadFilesAreRejectedNamingTheFileAndTheProblem)
{
    TestSupport::TempDir dir;
    std::vector<unsigned char> good = oneKeyFile(dir);
    std::string path = dir.file("bad.track");

    EXPECT_THROW(Tavrin::Sync::readSyncTrackFile(dir.file("missing.track")), Orvane::Exceptions::FileNotFoundException);

    writeBytes(path, {});
    expectRejected(path, "truncated before track 0");
    writeBytes(path, std::vector<unsigned char>(good.begin(), good.end() - 3));
    expectRejected(path, "truncated: track 63 has 1 keys");

    std::vector<unsigned char> bytes = good;
    putInt32(bytes, 44 * 5, -2);
    writeBytes(path, bytes);
    expectRejected(path, "track 5 has a negative key count (-2)");

    bytes = good;
    putInt32(bytes, 44 * 7, 0);
    writeBytes(path, bytes);
    expectRejected(path, "track 7 has no keys");

    bytes = good;
    putInt32(bytes, 0, 0x7fffffff);
    writeBytes(path, bytes);
    expectRejected(path, "truncated: track 0 has 2147483647 keys");

    bytes = good;
    bytes.push_back(0);
    writeBytes(path, bytes);
    expectRejected(path, "1 bytes follow the last track");
}

TEST(SyncTrackFile, KeysOutOfOrderOrSharingATimeAreRejected)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("order.track");
    SyncTrackKeys keys;
    for (auto& track : keys)
        track.push_back(SyncKey{});
    SyncKey later;
    later.time = 2.0f;
    keys[9] = {later, SyncKey{}};
    EXPECT_THROW(Tavrin::Sync::writeSyncTrackFile(path, keys), Exception) << "the writer refuses them too";

    EXPECT_THROW(Tavrin::Sync::writeSyncTrackFile(path, SyncTrackKeys{}), Exception) << "nor writes empty tracks";
    SyncTrackKeys valid;
    for (auto& track : valid)
        track.push_back(SyncKey{});
    valid[9] = {SyncKey{}, later};
    Tavrin::Sync::writeSyncTrackFile(path, valid);
    std::vector<unsigned char> bytes = bytesOf(path);
    // Track 9's second key starts after nine one-key tracks, its count and its first key.
    size_t secondKeyTime = 44 * 9 + 4 + 40;
    putFloat(bytes, secondKeyTime, -1.0f);
    writeBytes(path, bytes);
    expectRejected(path, "track 9: key 1 comes before key 0");
    putFloat(bytes, secondKeyTime, 0.0f);
    writeBytes(path, bytes);
    expectRejected(path, "track 9: keys 0 and 1 share the time");
}

TEST(SyncTrackFile, NonFiniteValuesAndUnknownModesAreRejected)
{
    TestSupport::TempDir dir;
    std::string path = dir.file("values.track");
    std::vector<unsigned char> good = oneKeyFile(dir);
    // Track 3's key: time, mode, in-value and out-value at +0, +4, +8 and +24.
    size_t key = 44 * 3 + 4;
    std::vector<unsigned char> bytes = good;
    putFloat(bytes, key + 16, std::numeric_limits<float>::quiet_NaN());
    writeBytes(path, bytes);
    expectRejected(path, "track 3: key 0 has a value that is not a finite number");
    bytes = good;
    putFloat(bytes, key + 40 - 4, -std::numeric_limits<float>::infinity());
    writeBytes(path, bytes);
    expectRejected(path, "track 3: key 0 has a value that is not a finite number");

    for (std::int32_t mode : {3, 262145, -1}) {
        bytes = good;
        putInt32(bytes, key + 4, mode);
        writeBytes(path, bytes);
        expectRejected(path, "track 3: key 0 has the unknown interpolation mode " + std::to_string(mode));
    }
}
