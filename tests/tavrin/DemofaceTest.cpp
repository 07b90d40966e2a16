#include "tavrin/Demoface.h"

#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"
#include "tavrin/audio/MusicSeeker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

using Orvane::Keyboard::Key;
using Tavrin::Sync::SyncKey;
using Tavrin::Sync::SyncTrackKeys;

namespace {

class EmptyDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

class RecordingMusic : public Tavrin::Audio::MusicSeeker {
public:
    void seek(float seconds) override { seeks.push_back(seconds); }
    std::vector<float> seeks;
};

// Track 0 ramps linearly from `from` at 0 s to `to` at 10 s; the rest hold zero.
SyncTrackKeys rampKeys(float from, float to)
{
    SyncTrackKeys keys;
    for (auto& track : keys)
        track.push_back(SyncKey{});
    SyncKey start, end;
    start.inValue = start.outValue = {from, 0, 0, 0};
    end.time = 10.0f;
    end.inValue = end.outValue = {to, 0, 0, 0};
    keys[0] = {start, end};
    return keys;
}

class DemofaceTest : public ::testing::Test {
protected:
    DemofaceTest()
    {
        demo.dataFolder = dir.path().string() + "/";
        demo.trackFileName = "tracks/test.track";
        std::filesystem::create_directories(dir.path() / "tracks");
        Tavrin::Sync::writeSyncTrackFile(trackPath(), rampKeys(0, 10));
    }

    std::string trackPath() const { return dir.file("tracks/test.track"); }

    Tavrin::Demoface::Demoface::KeyState keys()
    {
        return [this](Key key) { return down.count(key) != 0; };
    }

    TestSupport::TempDir dir;
    EmptyDemo demo;
    std::set<Key> down;
};

}

TEST_F(DemofaceTest, UpdateWritesEveryTrackAtTheDemoTime)
{
    Tavrin::Demoface::Demoface face(demo, demo.dataFolder, keys());
    demo.time = 2.5f;
    demo.frameDelta = 0.016f;
    demo.syncValues[63] = {9, 9, 9, 9};
    face.update();
    EXPECT_EQ(demo.syncValues[0], Orvane::Vector4t<float>(2.5f, 0, 0, 0));
    EXPECT_EQ(demo.syncValues[63], Orvane::Vector4t<float>(0, 0, 0, 0));
}

TEST_F(DemofaceTest, HeldReloadKeyReloadsThreeTimesInOneSecondAtSixtyFps)
{
    Tavrin::Demoface::Demoface face(demo, demo.dataFolder, keys());
    down.insert(Key::L);
    demo.frameDelta = 1.0f / 60.0f;
    std::vector<int> reloadFrames;
    for (int frame = 0; frame < 60; ++frame) {
        int before = face.reloadAttempts();
        face.update();
        if (face.reloadAttempts() != before)
            reloadFrames.push_back(frame);
    }
    ASSERT_EQ(reloadFrames.size(), 3u);
    EXPECT_EQ(reloadFrames[0], 0);
    EXPECT_NEAR(reloadFrames[1], 24, 1);
    EXPECT_NEAR(reloadFrames[2], 48, 1);
}

TEST_F(DemofaceTest, ReloadTakesTheNewFileOrKeepsTheOldTracksWhenItIsBad)
{
    Tavrin::Demoface::Demoface face(demo, demo.dataFolder, keys());
    demo.time = 5.0f;
    demo.frameDelta = 0.02f;
    Tavrin::Sync::writeSyncTrackFile(trackPath(), rampKeys(100, 200));
    face.update();
    EXPECT_EQ(demo.syncValues[0].x, 5.0f) << "nothing is read before L";

    down.insert(Key::L);
    face.update();
    face.update();
    EXPECT_EQ(demo.syncValues[0].x, 150.0f);

    std::ofstream(trackPath(), std::ios::binary | std::ios::trunc) << "junk";
    EXPECT_FALSE(face.reload());
    face.update();
    EXPECT_EQ(demo.syncValues[0].x, 150.0f);
}

TEST_F(DemofaceTest, ConstructionFailsNamingABadTrackFile)
{
    std::ofstream(trackPath(), std::ios::binary | std::ios::trunc) << "junk";
    try {
        Tavrin::Demoface::Demoface face(demo, demo.dataFolder, keys());
        ADD_FAILURE() << "a damaged file was accepted";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_NE(e.getMessage().find(trackPath()), std::string::npos) << e.getMessage();
    }
    std::filesystem::remove(trackPath());
    EXPECT_THROW(Tavrin::Demoface::Demoface(demo, demo.dataFolder, keys()), Orvane::Exceptions::FileNotFoundException);
}

TEST_F(DemofaceTest, ArrowsSeekByThirtyPointFiveFrameDeltasRightLast)
{
    Tavrin::Demoface::Demoface face(demo, demo.dataFolder, keys());
    RecordingMusic music;
    demo.time = 10.0f;
    demo.frameDelta = 1.0f / 60.0f;
    face.update();
    down.insert(Key::Left);
    face.update();
    EXPECT_TRUE(music.seeks.empty()) << "no music connected yet";

    face.setMusic(&music);
    down.insert(Key::Right);
    face.update();
    float step = 30.5f * (1.0f / 60.0f);
    ASSERT_EQ(music.seeks.size(), 2u);
    EXPECT_EQ(music.seeks[0], 10.0f - step);
    EXPECT_EQ(music.seeks[1], 10.0f + step);
    EXPECT_NEAR(music.seeks[1] - 10.0f, 0.508f, 0.001f);
}
