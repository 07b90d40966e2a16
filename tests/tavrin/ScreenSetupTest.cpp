#include "tavrin/ScreenSetup.h"

#include <gtest/gtest.h>

using namespace Tavrin;

TEST(ScreenSetup, ResolutionTableAndFallback)
{
    EXPECT_EQ(resolutionFor(1).width, 800);
    EXPECT_EQ(resolutionFor(1).height, 600);
    EXPECT_EQ(resolutionFor(8).width, 1680);
    EXPECT_EQ(resolutionFor(8).height, 1050);
    EXPECT_EQ(resolutionFor(9).width, 640);
    EXPECT_EQ(resolutionFor(-1).height, 480);
}

TEST(ScreenSetup, SamplesPerAntialiasEntry)
{
    EXPECT_EQ(samplesFor(0), 0);
    EXPECT_EQ(samplesFor(2), 4);
    EXPECT_EQ(samplesFor(3), 6);
    EXPECT_EQ(samplesFor(4), 0);
    EXPECT_EQ(samplesFor(-1), 0);
}

TEST(ScreenSetup, LetterboxViewports)
{
    Letterbox fourThree = letterboxFor(600, 0);
    EXPECT_EQ(fourThree.viewportY, 75);
    EXPECT_EQ(fourThree.viewportHeight, 450);
    Letterbox sixteenTen = letterboxFor(1050, 2);
    EXPECT_EQ(sixteenTen.viewportY, 39);
    EXPECT_EQ(sixteenTen.viewportHeight, 972);
    Letterbox sixteenNine = letterboxFor(720, 1);
    EXPECT_EQ(sixteenNine.viewportY, 0);
    EXPECT_EQ(sixteenNine.viewportHeight, 720);
}

TEST(ScreenSetup, FrameDeltaClamping)
{
    EXPECT_EQ(clampFrameDelta(0.7f), 0.01f);
    EXPECT_EQ(clampFrameDelta(-1.0f), 0.01f);
    EXPECT_EQ(clampFrameDelta(0.5f), 0.5f);
    EXPECT_EQ(clampFrameDelta(0.016f), 0.016f);
}
