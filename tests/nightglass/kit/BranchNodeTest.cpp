#include "nightglass/kit/BranchNode.h"

#include <gtest/gtest.h>

#include <cmath>

using Nightglass::BranchNode;
using Nightglass::BranchRandom;

TEST(BranchRandom, StartsFromItsFixedSeed)
{
    BranchRandom random;
    float first = random.next();
    EXPECT_EQ(random.seed(), 16733820u);
    EXPECT_EQ(random.seed() & 0xFFFFu, 22140u);
    EXPECT_NEAR(first, -0.32433f, 1e-5f);
    for (int i = 0; i < 1000; ++i) {
        float r = random.next();
        ASSERT_GE(r, -1.0f);
        ASSERT_LE(r, 1.0f);
    }
}

TEST(BranchNode, GrowsDepthFirstAndNarrowsTheSpreadForLaterSiblings)
{
    BranchRandom random, replay;
    BranchNode tree(8, {0, 0, 0}, {0, 0, 20}, {50.3f, 50.3f, 50.3f}, {0.79f, 0.79f, 0.79f}, 3, random);
    EXPECT_EQ(tree.nodeCount(), 9841);
    ASSERT_EQ(tree.children.size(), 3u);

    // The first child draws the generator's first four values and its whole subtree follows
    // before its next sibling draws.
    float r1 = replay.next(), r2 = replay.next(), r3 = replay.next(), r4 = replay.next();
    const BranchNode& first = *tree.children[0];
    EXPECT_EQ(first.position.x, 0.0f);
    EXPECT_NEAR(first.position.z, std::fabs(r1) * 20.0f, 1e-4f);
    EXPECT_NEAR(first.direction.x, 0.79f * 50.3f * r4, 1e-4f);
    EXPECT_NEAR(first.direction.y, 0.79f * 50.3f * r3, 1e-4f);
    EXPECT_NEAR(first.direction.z, 0.79f * (20.0f + 50.3f * r2), 1e-4f);
    EXPECT_EQ(first.nodeCount(), 3280);
    for (int draw = 0; draw < 4 * (first.nodeCount() - 1); ++draw)
        replay.next();
    float s[4];
    for (float& value : s)
        value = replay.next();
    const BranchNode& second = *tree.children[1];
    EXPECT_NEAR(second.position.z, std::fabs(s[0]) * 20.0f, 1e-4f);
    EXPECT_NEAR(second.direction.x, 0.79f * 50.3f * 0.79f * s[3], 1e-4f);
    EXPECT_NEAR(second.direction.z, 0.79f * (20.0f + 50.3f * 0.79f * s[1]), 1e-4f);
}
