#include "assetkit/CrystalBurst.h"
#include "assetkit/SplineBranch.h"
#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

using namespace AssetKit;
using Orvane::Vector3;

namespace {

using Point = std::tuple<float, float, float>;

// Checks that the triangles close a surface with one consistent winding: with corners welded by
// position, every directed edge is used once and its reverse once. Returns the enclosed volume,
// positive when the triangles run counter-clockwise seen from outside.
double closedVolume(const Mesh& mesh)
{
    std::map<Point, int> ids;
    auto id = [&](std::uint32_t i) {
        const Vector3& p = mesh.positions[i];
        return ids.emplace(Point{p.x, p.y, p.z}, int(ids.size())).first->second;
    };
    std::map<std::pair<int, int>, int> edges;
    double volume = 0;
    for (size_t t = 0; t < mesh.indices.size(); t += 3) {
        int v[3] = {id(mesh.indices[t]), id(mesh.indices[t + 1]), id(mesh.indices[t + 2])};
        for (int k = 0; k < 3; ++k)
            ++edges[{v[k], v[(k + 1) % 3]}];
        const Vector3 &a = mesh.positions[mesh.indices[t]], &b = mesh.positions[mesh.indices[t + 1]],
                      &c = mesh.positions[mesh.indices[t + 2]];
        volume += dot(a, cross(b, c)) / 6.0;
    }
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1) << "edge used twice the same way";
        auto reverse = edges.find({edge.second, edge.first});
        EXPECT_TRUE(reverse != edges.end()) << "open edge";
    }
    return volume;
}

}

TEST(SplineBranch, IsAClosedOutwardFacingTubeThroughItsPath)
{
    BranchShape shape;
    shape.path = {{0, 0, 0}, {4, 1, 3}, {6, -2, 9}, {5, 0, 14}};
    shape.rootRadius = 1.5f;
    shape.tipRadius = 0.5f;
    shape.tipLength = 2.0f;
    shape.growthStart = 0.25f;
    shape.growthEnd = 0.75f;
    Mesh branch = makeSplineBranch(shape);
    EXPECT_GT(closedVolume(branch), 10.0);
    EXPECT_EQ(catmullRom(shape.path, 0), shape.path.front());
    EXPECT_EQ(catmullRom(shape.path, 3), shape.path.back());
    auto [low, high] = std::minmax_element(branch.texCoords.begin(), branch.texCoords.end(),
                                           [](const TexCoord& a, const TexCoord& b) { return a.v < b.v; });
    EXPECT_FLOAT_EQ(low->v, 0.25f);
    EXPECT_FLOAT_EQ(high->v, 0.75f);
    // Normals leave the surface: none points towards the axis point nearest its vertex, and all
    // but the root cap's (which face along the axis) point away from it.
    size_t away = 0;
    for (size_t i = 0; i < branch.positions.size(); ++i) {
        float nearest = 1e9f;
        Vector3 axis;
        for (float s = 0; s <= 3.0f; s += 0.01f) {
            Vector3 p = catmullRom(shape.path, s);
            float d = Orvane::length(p - branch.positions[i]);
            if (d < nearest)
                nearest = d, axis = p;
        }
        float outward = dot(branch.normals[i], branch.positions[i] - axis);
        EXPECT_GE(outward, -1e-4f) << i;
        away += outward > 0.01f;
    }
    EXPECT_GT(away, branch.positions.size() * 9 / 10);

    shape.path.resize(1);
    EXPECT_THROW(makeSplineBranch(shape), Orvane::Exceptions::Exception);
}

TEST(CrystalBurst, EveryBranchIsClosedAndGrowthRunsFromTheCoreOut)
{
    CrystalBurstParams params;
    params.mainBranches = 8;
    params.coreRadius = 5;
    params.reach = 20;
    std::vector<BranchShape> shapes = growCrystalBurst(params);
    // Eight main branches, each with three forks, each of those with three more.
    EXPECT_EQ(shapes.size(), 8u * (1 + 3 + 9));
    for (const BranchShape& shape : shapes) {
        EXPECT_GT(closedVolume(makeSplineBranch(shape)), 0.0);
        EXPECT_LT(shape.growthStart, shape.growthEnd);
    }
    for (int i = 0; i < 8; ++i)
        EXPECT_LT(Orvane::length(shapes[size_t(i)].path.front()), params.coreRadius);

    Mesh burst = makeCrystalBurst(params);
    float highest = 0;
    for (const TexCoord& uv : burst.texCoords) {
        EXPECT_GE(uv.v, 0.0f);
        highest = std::max(highest, uv.v);
    }
    EXPECT_FLOAT_EQ(highest, 1.0f);
    Mesh again = makeCrystalBurst(params);
    EXPECT_TRUE(again.positions == burst.positions) << "same seed, same mesh";
    params.seed = 2;
    EXPECT_FALSE(makeCrystalBurst(params).positions == burst.positions);
}
