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
    int counted = 1;
    auto start = std::chrono::steady_clock::now();
    // The first update lands on the first call past one second and reports the calls counted
    // before it over the time they took, whatever pace a busy machine allows.
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(3000)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        float now = timer.fps();
        if (now != reported) {
            EXPECT_GT(elapsed, 1.0);
            EXPECT_NEAR(now, counted / elapsed, 0.15 * counted / elapsed);
            return;
        }
        ++counted;
    }
    FAIL() << "fps never updated after " << counted << " calls";
}
