#include "tavrin/sync/Curves.h"

#include <gtest/gtest.h>

using namespace Tavrin::Sync;
using Orvane::Vector3;

TEST(Curves, CosineEaseUsesItsOwnConstantAndClamps)
{
    EXPECT_EQ(cosineEase(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(cosineEase(0.5f), 0.5f - 0.5f * std::cos(3.141532f * 0.5f));
    EXPECT_NEAR(cosineEase(7.0f), 1.0f, 1e-6f);
}

TEST(Curves, EnvelopeRisesAndFalls)
{
    EXPECT_EQ(envelope(8.0f, 10, 1, 3, 1), 0.0f);
    EXPECT_EQ(envelope(9.0f, 10, 1, 3, 1), 0.0f);
    EXPECT_NEAR(envelope(9.5f, 10, 1, 3, 1), 0.5f, 1e-6f);
    EXPECT_NEAR(envelope(10.0f, 10, 1, 3, 1), 1.0f, 1e-6f);
    EXPECT_NEAR(envelope(11.5f, 10, 1, 3, 1), 0.5f, 1e-6f);
    EXPECT_EQ(envelope(13.0f, 10, 1, 3, 1), 0.0f);
    EXPECT_NEAR(envelope(9.5f, 10, 1, 3, 2), 0.25f, 1e-6f);
}

TEST(Curves, EnvelopeWithAnInstantRiseOrFallIsZeroOutsideIt)
{
    EXPECT_EQ(envelope(9.99f, 10, 0, 3, 1), 0.0f);
    EXPECT_EQ(envelope(10.0f, 10, 0, 3, 1), 1.0f);
    EXPECT_NEAR(envelope(11.5f, 10, 0, 3, 1), 0.5f, 1e-6f);
    EXPECT_NEAR(envelope(9.5f, 10, 1, 0, 1), 0.5f, 1e-6f);
    EXPECT_EQ(envelope(10.0f, 10, 1, 0, 1), 1.0f);
    EXPECT_EQ(envelope(10.01f, 10, 1, 0, 1), 0.0f);
    EXPECT_EQ(envelope(10.0f, 10, 0, 0, 1), 1.0f);
    EXPECT_EQ(envelope(10.5f, 10, 0, 0, 1), 0.0f);
}

TEST(Curves, BeatEnvelopeSumsRampsAndGoesNegativeAhead)
{
    int last = -1;
    EXPECT_NEAR(beatEnvelope({10.3f}, 10.0f, 0.1f, 0.5f, last), -2.0f, 1e-4f);
    EXPECT_EQ(last, 0);
    // Two overlapping hits add up; hits far ahead stop the scan but still count as last before t + 5.
    last = -1;
    float sum = beatEnvelope({1.0f, 1.2f, 100.0f}, 1.1f, 0.5f, 0.5f, last);
    EXPECT_NEAR(sum, (1 - 0.1f / 0.5f) + (-0.1f / 0.5f + 1), 1e-5f);
    EXPECT_EQ(last, 1);
}

TEST(Curves, RandomPathPassesThroughItsPoints)
{
    std::vector<Vector3> points = {{0, 0, 0}, {1, 2, 3}, {4, 0, -1}, {2, 2, 2}, {5, 5, 5}};
    Vector3 at2 = randomPath(points, 2.0f);
    EXPECT_EQ(at2, points[2]);
    // Before the start the indices clamp to 0, 0, 1, 2 and m = t - 0.
    Vector3 y0 = points[0], y1 = points[0], y2 = points[1], y3 = points[2];
    float m = -3.0f;
    Vector3 a0 = y3 - y2 - y0 + y1, a1 = y0 - y1 - a0, a2 = y2 - y0;
    Vector3 expected = a0 * (m * m * m) + a1 * (m * m) + a2 * m + y1;
    Vector3 before = randomPath(points, -3.0f);
    EXPECT_FLOAT_EQ(before.x, expected.x);
    EXPECT_FLOAT_EQ(before.z, expected.z);
    Vector3 mid = randomPath(points, 1.5f);
    EXPECT_GT(mid.x, 1.0f);
    EXPECT_LT(mid.x, 4.0f);
}
