#include "orvane/utils/Random.h"

#include <gtest/gtest.h>

TEST(Random, FirstValuesFromSeedOneAndReseeding)
{
    // The classic C runtime sequence from seed 1.
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected)
        EXPECT_EQ(Orvane::Utils::random(), value);
    Orvane::Utils::seedRandom(1);
    EXPECT_EQ(Orvane::Utils::random(), 41);
    for (int i = 0; i < 100000; ++i) {
        int n = Orvane::Utils::random();
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 32767);
    }
}
