#include "../EffectGlTest.h"
#include "nightglass/effects/DofTubes.h"

#include <cmath>
#include <cstdlib>

using Nightglass::BranchNode;
using Nightglass::DofTubes;

namespace {

class DofTubesGlTest : public NightglassTest::EffectGlTest {
protected:
    DofTubes& tubes() { return dynamic_cast<DofTubes&>(effect("doftubes")); }
};

void depthFirst(const BranchNode& node, std::vector<const BranchNode*>& nodes, size_t limit)
{
    if (nodes.size() == limit)
        return;
    nodes.push_back(&node);
    for (const auto& child : node.children)
        depthFirst(*child, nodes, limit);
}

void expectVector(const float* actual, float x, float y, float z)
{
    EXPECT_NEAR(actual[0], x, 1e-3f);
    EXPECT_NEAR(actual[1], y, 1e-3f);
    EXPECT_NEAR(actual[2], z, 1e-3f);
}

// Sum of the brightness steps between horizontal neighbours: large for crisp edges.
double edgeEnergy(const std::vector<unsigned char>& rgba, int width)
{
    double sum = 0;
    for (size_t i = 4; i < rgba.size(); i += 4)
        if ((i / 4) % size_t(width) != 0)
            sum += std::abs(int(rgba[i]) + rgba[i + 1] + rgba[i + 2] - rgba[i - 4] - rgba[i - 3] - rgba[i - 2]);
    return sum;
}

}

TEST_F(DofTubesGlTest, EachBranchIsItsOwnStripOfSixPointsUntilThePointsRunOut)
{
    DofTubes& effect = tubes();
    ASSERT_EQ(effect.getPointCount(), 19998);
    ASSERT_EQ(effect.getIndexCount(), 66660);
    const int branches = 19998 / 6;
    std::vector<const BranchNode*> nodes;
    depthFirst(effect.getTree(), nodes, size_t(branches));

    auto* vertices = static_cast<const DofTubes::Vertex*>(effect.getVertices().lock(true, false));
    auto* indices = static_cast<const std::uint32_t*>(effect.getIndices().lock(true, false));
    ASSERT_NE(vertices, nullptr);
    ASSERT_NE(indices, nullptr);
    for (int q = 0; q < effect.getIndexCount() / 4; ++q) {
        const std::uint32_t* quad = indices + 4 * q;
        // No quad reaches from one branch's points to another's.
        ASSERT_EQ(quad[0] / 12, quad[2] / 12) << "quad " << q;
        ASSERT_EQ(quad[1], quad[0] + 1);
        ASSERT_EQ(quad[2], quad[0] + 3);
        ASSERT_EQ(quad[3], quad[0] + 2);
    }
    for (int b = 0; b < branches; b += 97) {
        SCOPED_TRACE(testing::Message() << "branch " << b);
        const BranchNode& node = *nodes[size_t(b)];
        const DofTubes::Vertex* points = vertices + 12 * b;
        expectVector(points[0].position, node.position.x, node.position.y, node.position.z);
        expectVector(points[10].position, node.position.x + node.direction.x, node.position.y + node.direction.y,
                     node.position.z + node.direction.z);
        EXPECT_FLOAT_EQ(points[0].along, 0.0f);
        EXPECT_FLOAT_EQ(points[11].along, 5.0f / 6.0f);
        // The ends look only along their own branch, the two vertices of a point in opposite ways.
        const float* step = points[0].towardsNext;
        expectVector(points[0].towardsPrevious, step[0], step[1], step[2]);
        expectVector(step, node.direction.x / 5, node.direction.y / 5, node.direction.z / 5);
        expectVector(points[10].towardsNext, -step[0], -step[1], -step[2]);
        expectVector(points[5].towardsPrevious, step[0], step[1], step[2]);
        expectVector(points[4].towardsPrevious, -step[0], -step[1], -step[2]);
    }
    effect.getIndices().unlock();
    effect.getVertices().unlock();
}

TEST_F(DofTubesGlTest, TubesAreSharpAtTheCameraTargetAndSoftAwayFromItBeforeANightSky)
{
    DofTubes& effect = tubes();
    // The same view twice; only the distance of the target along the line of sight changes.
    setCamera(500, -400, 150, 0, 0, 150);
    std::vector<unsigned char> focused = drawAt(effect, 0, 200.0f);
    setCamera(500, -400, 150, 500 - 5 * 0.78f, -400 + 5 * 0.62f, 150);
    std::vector<unsigned char> blurred = drawAt(effect, 0, 200.0f);

    EXPECT_GT(nonUniformShare(focused), 0.05) << "the tree covers part of the picture";
    EXPECT_LT(nonUniformShare(focused), 0.9);
    EXPECT_GT(meanBrightness(focused), 2.0);
    EXPECT_GT(edgeEnergy(focused, Width), 1.3 * edgeEnergy(blurred, Width));

    // Behind the tree lies a dim blue night, never black and never bright enough to fight it.
    double red = 0, blue = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            red += focused[(size_t(y) * Width + size_t(x)) * 4];
            blue += focused[(size_t(y) * Width + size_t(x)) * 4 + 2];
        }
    EXPECT_GT(blue, red * 1.5);
    EXPECT_GT(blue / (24 * 24), 3.0);
    EXPECT_LT(blue / (24 * 24), 45.0);
}
