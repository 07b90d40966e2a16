#include "assetkit/Shapes.h"
#include "assetkit/ExtrudedText.h"
#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

using namespace AssetKit;
using Orvane::Vector3;

namespace {

Vector3 faceNormal(const Mesh& m, size_t triangle)
{
    const Vector3& a = m.positions[m.indices[triangle * 3]];
    const Vector3& b = m.positions[m.indices[triangle * 3 + 1]];
    const Vector3& c = m.positions[m.indices[triangle * 3 + 2]];
    return Orvane::cross(b - a, c - a);
}

Vector3 centroid(const Mesh& m, size_t triangle)
{
    return (m.positions[m.indices[triangle * 3]] + m.positions[m.indices[triangle * 3 + 1]]
            + m.positions[m.indices[triangle * 3 + 2]])
        * (1.0f / 3.0f);
}

// Counts, for every triangle whose area is not vanishing, how its outward side faces the origin.
std::pair<int, int> facing(const Mesh& m)
{
    int out = 0, in = 0;
    for (size_t t = 0; t < m.triangleCount(); ++t) {
        Vector3 n = faceNormal(m, t);
        if (Orvane::length(n) < 1e-9f)
            continue;
        (Orvane::dot(n, centroid(m, t)) > 0 ? out : in)++;
    }
    return {out, in};
}

using Key = std::tuple<long, long, long>;

Key weld(const Vector3& p) { return {std::lround(p.x * 1e4), std::lround(p.y * 1e4), std::lround(p.z * 1e4)}; }

}

TEST(Shapes, SphereFacesOutwardWithOutwardNormals)
{
    Mesh sphere = makeSphere(2.0f, 12, 24);
    auto [out, in] = facing(sphere);
    EXPECT_GT(out, 0);
    EXPECT_EQ(in, 0);
    for (size_t i = 0; i < sphere.positions.size(); ++i) {
        ASSERT_NEAR(Orvane::length(sphere.positions[i]), 2.0f, 1e-4f);
        ASSERT_GT(Orvane::dot(sphere.normals[i], sphere.positions[i]), 1.9f);
    }
}

TEST(Shapes, SkyDomeFacesItsCentreAndMapsTheHorizonPicture)
{
    const float horizonRow = 0.78f;
    // 20 rings over 100 degrees put one ring exactly on the horizon.
    Mesh dome = makeSkyDome(100.0f, 20, 32, horizonRow, 10.0f);
    int onHorizon = 0;
    auto [out, in] = facing(dome);
    EXPECT_EQ(out, 0);
    EXPECT_GT(in, 0);
    for (size_t i = 0; i < dome.positions.size(); ++i) {
        const Vector3& p = dome.positions[i];
        ASSERT_LT(Orvane::dot(dome.normals[i], p), 0.0f) << "normals point at the viewer in the centre";
        float t = dome.texCoords[i].v;
        if (p.z > 99.99f) {
            EXPECT_NEAR(t, 1.0f, 1e-5f) << "zenith is the picture's top row";
        } else if (std::fabs(p.z) < 1e-3f) {
            EXPECT_NEAR(t, 1.0f - horizonRow, 1e-5f) << "horizon lands on the picture's horizon row";
            ++onHorizon;
        } else if (p.z < -1.0f) {
            EXPECT_LT(t, 1.0f - horizonRow);
        }
    }
    EXPECT_EQ(onHorizon, 33);
    // u runs once around: the seam's two columns sit at 0 and 1.
    EXPECT_EQ(dome.texCoords.front().u, 0.0f);
    EXPECT_EQ(dome.texCoords[32].u, 1.0f);
}

TEST(Shapes, BlobAndLatheHaveUnitNormalsFacingOut)
{
    for (const Mesh& mesh : {makeBlob(1.0f, 24, 48, 0.3f, 5),
                             makeLathe({{0.0f, -1}, {0.8f, -0.8f}, {1.0f, 0}, {0.6f, 0.8f}, {0.0f, 1}}, 32)}) {
        auto [out, in] = facing(mesh);
        EXPECT_GT(out, 0);
        EXPECT_EQ(in, 0);
        for (size_t i = 0; i < mesh.normals.size(); ++i) {
            ASSERT_NEAR(Orvane::length(mesh.normals[i]), 1.0f, 1e-3f);
            ASSERT_GT(Orvane::dot(mesh.normals[i], mesh.positions[i]), -0.2f);
        }
    }
}

TEST(ExtrudedText, ClosedConsistentlyWoundSolid)
{
    Mesh text = makeExtrudedText("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "KaVo8", 1.0f, 0.25f);
    ASSERT_GT(text.triangleCount(), 100u);
    // Weld by position: every directed edge must be matched by exactly one edge running the other
    // way, which makes the surface closed and its winding consistent.
    std::map<std::pair<Key, Key>, int> directed;
    for (size_t t = 0; t < text.triangleCount(); ++t)
        for (int e = 0; e < 3; ++e) {
            Key a = weld(text.positions[text.indices[t * 3 + e]]);
            Key b = weld(text.positions[text.indices[t * 3 + (e + 1) % 3]]);
            if (a != b)
                ++directed[{a, b}];
        }
    int unmatched = 0;
    for (const auto& [edge, count] : directed)
        if (count != 1 || directed.count({edge.second, edge.first}) != 1 || directed.at({edge.second, edge.first}) != 1)
            ++unmatched;
    EXPECT_EQ(unmatched, 0);

    // Centred, capital height 1 (plus descenders/ascenders of lower case stay close), depth 0.25.
    float minZ = 1, maxZ = -1, minY = 1, maxY = -1;
    for (const Vector3& p : text.positions) {
        minZ = std::min(minZ, p.z);
        maxZ = std::max(maxZ, p.z);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    EXPECT_NEAR(maxZ - minZ, 0.25f, 1e-5f);
    EXPECT_NEAR(maxY - minY, 1.0f, 1e-4f);
    EXPECT_NEAR(maxY + minY, 0.0f, 1e-4f);

    // Front faces look down +z, back faces down -z, walls sideways; the solid's volume is positive.
    double volume = 0;
    for (size_t t = 0; t < text.triangleCount(); ++t) {
        const Vector3& a = text.positions[text.indices[t * 3]];
        volume += Orvane::dot(a, faceNormal(text, t)) / 6.0;
    }
    EXPECT_GT(volume, 0.0);
}

TEST(ExtrudedText, MissingFontOrEmptyTextIsAnError)
{
    EXPECT_THROW(makeExtrudedText("/nonexistent.ttf", "A", 1, 1), Orvane::Exceptions::Exception);
    EXPECT_THROW(makeExtrudedText("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "   ", 1, 1),
                 Orvane::Exceptions::Exception);
}
