#include "tavrin/Demo.h"

#include "orvane/utils/Random.h"

#include <gtest/gtest.h>

namespace {

class EmptyDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

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
