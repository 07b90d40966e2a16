#include "tavrin/audio/HeardPosition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using Tavrin::Audio::HeardPosition;

namespace {

constexpr std::int64_t Ms = 1'000'000;

}

TEST(HeardPosition, AdvancesWithTimeSinceTheCallbackUpToWhatWasHandedOver)
{
    HeardPosition position;
    // A callback at 1000 ms handed over frames up to 2048 with one 1024-frame buffer of latency.
    position.publish({1024, 2048, 1000 * Ms});
    EXPECT_EQ(position.heardFrame(1000 * Ms), 1024);
    EXPECT_EQ(position.heardFrame(1010 * Ms), 1024 + 441);
    EXPECT_EQ(position.heardFrame(1100 * Ms), 2048) << "never ahead of what was handed over";
}

TEST(HeardPosition, NeverGoesBackwardsExceptAfterARestart)
{
    HeardPosition position;
    position.publish({1024, 2048, 1000 * Ms});
    EXPECT_EQ(position.heardFrame(1020 * Ms), 1024 + 882);
    // A late callback whose estimate lands behind the last reading.
    position.publish({1800, 2900, 1021 * Ms});
    EXPECT_EQ(position.heardFrame(1021 * Ms), 1024 + 882);
    EXPECT_EQ(position.heardFrame(1025 * Ms), 1800 + 176);

    position.publish({500, 500, 1030 * Ms});
    position.restartFrom(500);
    EXPECT_EQ(position.heardFrame(1030 * Ms), 500) << "a seek reads its target at once";
    EXPECT_EQ(position.heardFrame(1040 * Ms), 500) << "nothing new handed over yet";
}

TEST(HeardPosition, ReaderNeverSeesAHalfWrittenSnapshot)
{
    HeardPosition position;
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (std::int64_t i = 1; !stop.load(); ++i)
            position.publish({i, i * 2, i * 3});
    });
    for (Tavrin::Audio::PositionSnapshot s; s.anchorFrame < 1'000'000;) {
        s = position.snapshot();
        ASSERT_EQ(s.limitFrame, s.anchorFrame * 2);
        ASSERT_EQ(s.timeNs, s.anchorFrame * 3);
    }
    stop.store(true);
    writer.join();
}
