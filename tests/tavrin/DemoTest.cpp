#include "tavrin/Demo.h"

#include "orvane/utils/Random.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/CommandLine.h"
#include "tavrin/flow/VisualContainerNode.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <tinyxml2.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

namespace {

class EmptyDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

// Remembers the camera eye (sync track 0) of every frame it draws in.
class EyeRecorder : public Tavrin::Flow::VisualContainerNode {
public:
    using VisualContainerNode::VisualContainerNode;
    void draw(float) override { eyes.push_back(demo->syncValues[0]); }
    std::vector<Orvane::Vector4t<float>> eyes;
};

class EyeRecordingDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override
    {
        return std::strcmp(element.Name(), "eye") == 0 ? &recorder : nullptr;
    }
    EyeRecorder recorder{this};
};

std::tuple<float, float, float, float> components(const Orvane::Vector4t<float>& v) { return {v.x, v.y, v.z, v.w}; }

}

TEST(Demo, DefaultsAndEndTimeFollowTheTempo)
{
    EmptyDemo demo;
    EXPECT_EQ(demo.bpm, 162.0f);
    EXPECT_EQ(demo.dataFolder, "data/");
    EXPECT_EQ(demo.flowFileName, "data/test.flow");
    EXPECT_EQ(demo.trackFileName, "tracks/default.track");
    EXPECT_TRUE(demo.musicFileName.empty());
    EXPECT_FLOAT_EQ(demo.endTime(), 220.0f);
    demo.bpm = 120.0f;
    EXPECT_FLOAT_EQ(demo.endTime(), 297.0f);
    EXPECT_FLOAT_EQ(demo.beatsToSeconds(0, 0, 1, 0), 0.5f);
}

TEST(Demo, RandomPointsDrawZThenYThenXFromSeedOne)
{
    Orvane::Utils::seedRandom(1);
    EmptyDemo demo;
    ASSERT_EQ(demo.randomPoints.size(), 10000u);
    EXPECT_FLOAT_EQ(demo.randomPoints[0].z, 41.0f / 32767.0f * 2.0f - 1.0f);
    EXPECT_FLOAT_EQ(demo.randomPoints[0].y, 18467.0f / 32767.0f * 2.0f - 1.0f);
    EXPECT_FLOAT_EQ(demo.randomPoints[0].x, 6334.0f / 32767.0f * 2.0f - 1.0f);
    for (const auto& p : demo.randomPoints) {
        ASSERT_LE(std::abs(p.x), 1.0f);
        ASSERT_LE(std::abs(p.z), 1.0f);
    }
}

TEST(DemoGlTest, EachCapturedTimeDrawsWithTheSyncValuesOfTheFrameBeforeIt)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::ofstream(dir.file("eye.flow")) << "<flow><demo><data_folder>data/</data_folder></demo><eye/></flow>";
    Tavrin::ParsedCommandLine parsed
        = Tavrin::parseCommandLine({"--flow", dir.file("eye.flow"), "--capture", dir.file("frames"), "--times", "10,20",
                                    "--fps", "10", "--size", "64x36", "--aa", "0"});
    ASSERT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run) << parsed.error;
    EyeRecordingDemo demo;
    ASSERT_EQ(demo.run(parsed.options), 0);

    Tavrin::Sync::SyncTracks tracks;
    Tavrin::Sync::applySyncTrackKeys(tracks, Tavrin::Sync::readSyncTrackFile(demo.dataFolder + demo.trackFileName));
    // As in an unbroken run at 10 frames a second, whatever time was captured before.
    ASSERT_EQ(demo.recorder.eyes.size(), 2u);
    EXPECT_EQ(components(demo.recorder.eyes[0]), components(tracks[0].evaluate(10.0f - 1.0f / 10.0f)));
    EXPECT_EQ(components(demo.recorder.eyes[1]), components(tracks[0].evaluate(20.0f - 1.0f / 10.0f)));
}

TEST(DemoGlTest, TheTracksComeFromTheFlowsOwnDataFolder)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    TestSupport::TempDir dir;
    std::filesystem::create_directories(dir.file("own/tracks"));
    Tavrin::Sync::SyncTrackKeys keys;
    for (auto& track : keys)
        track.push_back(Tavrin::Sync::SyncKey{});
    keys[0][0].inValue = keys[0][0].outValue = {4, 5, 6, 0};
    Tavrin::Sync::writeSyncTrackFile(dir.file("own/tracks/default.track"), keys);
    std::ofstream(dir.file("own.flow")) << "<flow><demo><data_folder>" << dir.file("own/")
                                        << "</data_folder></demo><eye/></flow>";
    Tavrin::ParsedCommandLine parsed
        = Tavrin::parseCommandLine({"--flow", dir.file("own.flow"), "--capture", dir.file("frames"), "--times", "1",
                                    "--size", "64x36", "--aa", "0"});
    ASSERT_EQ(parsed.outcome, Tavrin::ParsedCommandLine::Outcome::Run) << parsed.error;
    EyeRecordingDemo demo;
    ASSERT_EQ(demo.run(parsed.options), 0);
    ASSERT_EQ(demo.recorder.eyes.size(), 1u);
    EXPECT_EQ(components(demo.recorder.eyes[0]), components({4, 5, 6, 0}));
}
