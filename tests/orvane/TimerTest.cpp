#include "orvane/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(Timer, TimeStartsAtZeroAndDeltasAddUp)
{
    Orvane::Timer timer;
    timer.start();
    EXPECT_LT(timer.time(), 0.005f);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    float first = timer.delta();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    float second = timer.delta();
    float total = timer.time();
    EXPECT_GT(first, 0.0f);
    EXPECT_GT(second, 0.0f);
    EXPECT_NEAR(first + second, total, 0.005f);
}

TEST(Timer, FpsUpdatesOnFirstCallAfterOneSecond)
{
    Orvane::Timer timer;
    timer.start();
    float reported = timer.fps();
    int calls = 1;
    auto start = std::chrono::steady_clock::now();
    // About 40 calls a second; the first update lands on the first call past one second.
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(1300)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        float now = timer.fps();
        ++calls;
        if (now != reported) {
            EXPECT_GT(timer.time(), 1.0f);
            EXPECT_NEAR(now, 40.0f, 8.0f);
            return;
        }
    }
    FAIL() << "fps never updated after " << calls << " calls";
}
