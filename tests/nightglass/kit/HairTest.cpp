#include "nightglass/kit/Hair.h"

#include <gtest/gtest.h>

#include <cmath>

using Nightglass::HairStrands;
using Orvane::Vector3;

namespace {

constexpr float Radius = 30.0f;
constexpr int Segments = 20;
constexpr float Lag = 0.01f;

// The head's past transforms while it moves along +x at speed (units per second).
std::vector<Orvane::Matrix4> movingHead(float speed)
{
    std::vector<Orvane::Matrix4> past(Segments + 1);
    for (int k = 0; k <= Segments; ++k)
        past[size_t(k)].setTranslation(-speed * Lag * float(k), 0, 0);
    return past;
}

float meanTipX(const HairStrands& hair)
{
    float sum = 0;
    for (int i = 0; i < hair.strandCount(); ++i)
        sum += hair.point(i, Segments).x;
    return sum / float(hair.strandCount());
}

}

TEST(HairStrands, KeepTheAskedLengthsStayOutOfTheHeadAndTrailItsMotion)
{
    std::vector<Nightglass::HairRoot> roots = Nightglass::scalpRoots(80, Radius, 40.0f, 90.0f);
    ASSERT_EQ(roots.size(), 80u);
    HairStrands still(roots, Segments), moving(roots, Segments);
    still.update(movingHead(0), Radius, 1.0f, 0.5f);
    moving.update(movingHead(3000), Radius, 1.0f, 0.5f);

    for (const HairStrands* hair : {&still, &moving})
        for (int i = 0; i < hair->strandCount(); ++i) {
            SCOPED_TRACE(i);
            const Nightglass::HairRoot& root = roots[size_t(i)];
            EXPECT_GE(root.length, 40.0f);
            EXPECT_LE(root.length, 90.0f);
            // The face, looking down -y, is left bare.
            EXPECT_GT(root.position.y, -0.35f * Radius);
            float length = 0;
            for (int k = 1; k <= Segments; ++k) {
                length += Orvane::length(hair->point(i, k) - hair->point(i, k - 1));
                // The head is at the origin now.
                EXPECT_GT(Orvane::length(hair->point(i, k)), Radius * 0.97f) << "point " << k;
            }
            EXPECT_NEAR(length, root.length, root.length * 1e-3f);
        }
    // Moving along +x, the head leaves its hair behind it.
    EXPECT_LT(meanTipX(moving), meanTipX(still) - 20.0f);
}
