#include "tavrin/capture/CapturePlan.h"

#include "support/ExceptionMessage.h"

#include <gtest/gtest.h>

using Tavrin::CaptureOptions;
using Tavrin::Capture::planCapture;

TEST(CapturePlan, ListedTimesTakeTheNearestFrameAndItsTime)
{
    CaptureOptions options;
    options.fps = 60;
    options.times = {0.0f, 1.5f, 2.009f};
    auto frames = planCapture(options, 220.0f);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1].index, 90);
    EXPECT_EQ(frames[2].index, 121);
    EXPECT_EQ(frames[2].time, float(121 / 60.0)) << "frame 121 shows its own time, as in a range";
    EXPECT_EQ(Tavrin::Capture::captureFrameFileName("out", 121), "out/frame_000121.png");
}

TEST(CapturePlan, RangeIncludesBothEndsAndDefaultsToTheEndTime)
{
    CaptureOptions options;
    options.fps = 10;
    options.from = 1.0f;
    options.to = 2.0f;
    auto frames = planCapture(options, 220.0f);
    ASSERT_EQ(frames.size(), 11u);
    EXPECT_EQ(frames.front().index, 10);
    EXPECT_FLOAT_EQ(frames.back().time, 2.0f);

    options.from = -3.0f;
    options.to.reset();
    frames = planCapture(options, 2.0f);
    EXPECT_EQ(frames.front().index, 0);
    EXPECT_EQ(frames.size(), 21u);
}

TEST(CapturePlan, ARangeWithoutAFrameIsAnErrorNotAnEmptyCapture)
{
    CaptureOptions options;
    options.fps = 10;
    options.from = 300.0f;
    EXPECT_EQ(TestSupport::messageOf([&] { planCapture(options, 220.0f); }),
              "Nothing to capture: no frame lies between 300 s and 220 s");
    options.from = 2.0f;
    options.to = 1.0f;
    EXPECT_EQ(TestSupport::messageOf([&] { planCapture(options, 220.0f); }),
              "Nothing to capture: no frame lies between 2 s and 1 s");
    // Between two frames of the rate.
    options.from = 1.01f;
    options.to = 1.05f;
    EXPECT_THROW(planCapture(options, 220.0f), Orvane::Exceptions::Exception);
}
