#include "tavrin/sync/SyncTrackText.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using Tavrin::Sync::compileSyncTrackText;
using Tavrin::Sync::decompileSyncTrackKeys;
using V = Orvane::Vector4t<float>;

namespace {

const char* Source = R"(# camera
bpm 162
0 r0     smooth 0 2 -14 0
0 r256   linear 0 1.5 -8 0     1 2 3 4   # a jump
0 27.125 step   0.1 0.2 0.3 0.4

3 -1.5   linear 60 0 0 0
bpm 120
3 r8     smooth 1e-3 -0 0 7
)";

std::string errorOf(const std::string& text)
{
    try {
        compileSyncTrackText(text, "cam.txt");
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        return e.getMessage();
    }
    return "accepted";
}

}

TEST(SyncTrackText, CompilesKeysWithRowsModesAndOptionalOutValues)
{
    Tavrin::Sync::SyncTrackKeys keys = compileSyncTrackText(Source, "cam.txt");
    ASSERT_EQ(keys[0].size(), 3u);
    EXPECT_EQ(keys[0][0].mode, Tavrin::Sync::InterpolationMode::Smooth);
    EXPECT_EQ(keys[0][0].outValue, V(0, 2, -14, 0));
    EXPECT_FLOAT_EQ(keys[0][1].time, 256 * 60.0f / 648.0f);
    EXPECT_EQ(keys[0][1].inValue, V(0, 1.5f, -8, 0));
    EXPECT_EQ(keys[0][1].outValue, V(1, 2, 3, 4));
    EXPECT_EQ(keys[0][2].mode, Tavrin::Sync::InterpolationMode::Step);
    ASSERT_EQ(keys[3].size(), 2u);
    EXPECT_FLOAT_EQ(keys[3][1].time, 1.0f) << "rows after a tempo change use the new tempo";
    ASSERT_EQ(keys[1].size(), 1u) << "a track without lines keeps the default key";
    EXPECT_EQ(keys[1][0].outValue, V(0, 0, 0, 0));
}

TEST(SyncTrackText, TextToBinaryToTextRoundTrips)
{
    TestSupport::TempDir dir;
    Tavrin::Sync::SyncTrackKeys keys = compileSyncTrackText(Source, "cam.txt");
    Tavrin::Sync::writeSyncTrackFile(dir.file("cam.track"), keys);
    std::string text = decompileSyncTrackKeys(Tavrin::Sync::readSyncTrackFile(dir.file("cam.track")));
    EXPECT_NE(text.find("0 r256 linear 0 1.5 -8 0  1 2 3 4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("0 27.125 step"), std::string::npos) << text;
    Tavrin::Sync::SyncTrackKeys again = compileSyncTrackText(text, "decompiled.txt");
    for (size_t t = 0; t < keys.size(); ++t) {
        ASSERT_EQ(again[t].size(), keys[t].size());
        for (size_t k = 0; k < keys[t].size(); ++k) {
            EXPECT_EQ(again[t][k].time, keys[t][k].time) << "track " << t << " key " << k;
            EXPECT_EQ(again[t][k].mode, keys[t][k].mode);
            EXPECT_EQ(again[t][k].inValue, keys[t][k].inValue);
            EXPECT_EQ(again[t][k].outValue, keys[t][k].outValue);
        }
    }
    EXPECT_EQ(decompileSyncTrackKeys(again), text);
}

TEST(SyncTrackText, BadLinesAreRejectedWithFileAndLine)
{
    EXPECT_EQ(errorOf("# ok\n0 0 linear 0 0 0 0\n0 1 smoth 0 0 0 0\n"),
              "cam.txt:3: unknown mode \"smoth\" (step, linear or smooth)");
    EXPECT_EQ(errorOf("5 2 linear 0 0 0 0\n5 1 linear 0 0 0 0\n"),
              "cam.txt:2: key at 1 s of track 5 comes before the key on line 1");
    EXPECT_EQ(errorOf("5 r4 linear 0 0 0 0\n\n5 r4 linear 0 0 0 0\n"),
              "cam.txt:3: key at 0.37037036 s of track 5 shares its time with the key on line 1");
    EXPECT_EQ(errorOf("1 0 linear 0 0 0.5x 0\n"), "cam.txt:1: value \"0.5x\" is not a number");
    EXPECT_EQ(errorOf("1 2s linear 0 0 0 0\n"), "cam.txt:1: time \"2s\" is neither seconds (2.5) nor rows (r256)");
    EXPECT_EQ(errorOf("64 0 linear 0 0 0 0\n"), "cam.txt:1: track \"64\" is not a number from 0 to 63");
    EXPECT_EQ(errorOf("1 0 linear 0 0 0\n").substr(0, 19), "cam.txt:1: expected");
    EXPECT_EQ(errorOf("bpm -3\n"), "cam.txt:1: expected: bpm <beats per minute above 0>");
    EXPECT_EQ(errorOf("1 0 linear inf 0 0 0\n"), "cam.txt:1: value \"inf\" is not a number");
}

TEST(SyncTrackText, DecompilingAModeWithoutANameFails)
{
    Tavrin::Sync::SyncTrackKeys keys;
    for (auto& track : keys)
        track.push_back(Tavrin::Sync::SyncKey{});
    keys[2][0].mode = Tavrin::Sync::InterpolationMode(3);
    EXPECT_THROW(decompileSyncTrackKeys(keys), Orvane::Exceptions::Exception);
}

TEST(SyncTrackText, TheDefaultTrackSourceCompilesWithACameraSetUp)
{
    std::string path = NIGHTGLASS_SOURCE_DIR "/data/tracks/default.txt";
    Tavrin::Sync::SyncTrackKeys keys = compileSyncTrackText(Orvane::Utils::readTextFile(path), path);
    EXPECT_GE(keys[0].size(), 2u) << "the eye moves";
    EXPECT_EQ(keys[2][0].outValue, V(0, 0, 1, 0)) << "up is up: the world is z-up";
    EXPECT_GT(keys[3][0].outValue.x, 10.0f) << "a usable field of view";
}

TEST(SyncTrackText, AnUpdateRewritesOnlyTheChangedTracksAndKeepsTheRestByteForByte)
{
    Tavrin::Sync::SyncTrackKeys keys = compileSyncTrackText(Source, "cam.txt");
    EXPECT_EQ(Tavrin::Sync::updateSyncTrackText(Source, keys, "cam.txt", "saved"), Source) << "nothing changed";

    keys[3].resize(1);
    keys[3][0].inValue = keys[3][0].outValue = V(9, 8, 7, 6);
    keys[5] = keys[3];
    keys[5][0].time = 2.5f;
    std::string updated = Tavrin::Sync::updateSyncTrackText(Source, keys, "cam.txt", "saved from the editor");
    EXPECT_EQ(updated, R"(# camera
bpm 162
0 r0     smooth 0 2 -14 0
0 r256   linear 0 1.5 -8 0     1 2 3 4   # a jump
0 27.125 step   0.1 0.2 0.3 0.4

3 -1.5 linear 9 8 7 6
bpm 120

# saved from the editor
5 r20 linear 9 8 7 6
)") << "track 3 where it stood, track 5 at 120 bpm after the last tempo line";
    Tavrin::Sync::SyncTrackKeys again = compileSyncTrackText(updated, "cam.txt");
    for (int track : {0, 3, 5}) {
        ASSERT_EQ(again[size_t(track)].size(), keys[size_t(track)].size()) << track;
        for (size_t k = 0; k < keys[size_t(track)].size(); ++k) {
            EXPECT_EQ(again[size_t(track)][k].time, keys[size_t(track)][k].time) << track;
            EXPECT_EQ(again[size_t(track)][k].outValue, keys[size_t(track)][k].outValue) << track;
        }
    }
}

TEST(SyncTrackText, AnUpdateTouchesOnlyTheLinesOfChangedKeysAndPutsNewKeysBesideTheirNeighbours)
{
    using Tavrin::Sync::InterpolationMode;
    Tavrin::Sync::SyncTrackKeys keys = compileSyncTrackText(Source, "cam.txt");
    keys[0][1].outValue = V(5, 6, 7, 8);
    keys[0].insert(keys[0].begin() + 1,
                   {float(100 * 60.0 / (4 * 162.0)), V(1, 1, 1, 1), V(1, 1, 1, 1), InterpolationMode::Linear});
    keys[3].insert(keys[3].begin(), {-2.0f, V(2, 2, 2, 2), V(2, 2, 2, 2), InterpolationMode::Step});
    std::string updated = Tavrin::Sync::updateSyncTrackText(Source, keys, "cam.txt", "saved");
    EXPECT_EQ(updated, R"(# camera
bpm 162
0 r0     smooth 0 2 -14 0
0 r100 linear 1 1 1 1
0 r256 linear 0 1.5 -8 0  5 6 7 8  # a jump
0 27.125 step   0.1 0.2 0.3 0.4

3 -2 step 2 2 2 2
3 -1.5   linear 60 0 0 0
bpm 120
3 r8     smooth 1e-3 -0 0 7
)") << "each section keeps its keys; the rewritten key keeps its comment";
    Tavrin::Sync::SyncTrackKeys again = compileSyncTrackText(updated, "cam.txt");
    for (int track : {0, 3}) {
        ASSERT_EQ(again[size_t(track)].size(), keys[size_t(track)].size()) << track;
        for (size_t k = 0; k < keys[size_t(track)].size(); ++k) {
            EXPECT_EQ(again[size_t(track)][k].time, keys[size_t(track)][k].time) << track;
            EXPECT_EQ(again[size_t(track)][k].inValue, keys[size_t(track)][k].inValue) << track;
            EXPECT_EQ(again[size_t(track)][k].outValue, keys[size_t(track)][k].outValue) << track;
        }
    }
}
