#include "../EffectGlTest.h"
#include "nightglass/effects/Lolscene.h"
#include "orvane/utils/Random.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/geometry/GeometryAttribute.h"

#include <cmath>
#include <map>
#include <tuple>

using Nightglass::Lolscene;

namespace {

class LolsceneGlTest : public NightglassTest::EffectGlTest {
protected:
    Lolscene& lolscene() { return dynamic_cast<Lolscene&>(effect("lolscene")); }

    static std::vector<float> quadCentres(Nightglass::Particles& particles, int quads)
    {
        std::vector<float> centres;
        const Nightglass::Particles::Vertex* vertices = particles.lock();
        for (int i = 0; i < quads; ++i)
            centres.insert(centres.end(), vertices[4 * i].position, vertices[4 * i].position + 3);
        particles.unlock();
        return centres;
    }
};

}

TEST_F(LolsceneGlTest, HitsLandOnTheStabsAndTheCloudsWrapBehindTheViewer)
{
    Lolscene& scene = lolscene();
    const std::vector<float> expected
        = {23.7037f, 24.0741f, 25.3704f, 25.7407f, 26.6667f, 27.0370f, 28.3333f, 28.7037f};
    ASSERT_EQ(demo.hitTimes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(demo.hitTimes[i], expected[i], 1e-3f) << i;

    // The first cluster starts at z = 800 r; find the time it reaches 799, then fly 0.01 s on.
    Orvane::Utils::seedRandom(1);
    float start = 800.0f * Orvane::Utils::randomSigned();
    float before = (799.0f - start) / 370.0f;
    scene.moveClouds(before);
    float zBefore = quadCentres(scene.clouds, 1)[2];
    scene.moveClouds(before + 0.01f);
    float zAfter = quadCentres(scene.clouds, 1)[2];
    EXPECT_NEAR(zAfter, zBefore + 3.7f - 1600.0f, 0.05f);
}

TEST_F(LolsceneGlTest, TheBumpPushesThreeUnitsOnceAPeriodAndTheRecomputedNormalsPointOut)
{
    const float p[3] = {10, -4, 20}, n[3] = {0.6f, 0.0f, 0.8f}, still[3] = {0, 0, 0};
    const float phase = 0.05f * std::sqrt(516.0f) + 1.0f;
    const float pushed[3] = {p[0] + 3 * n[0], p[1] + 3 * n[1], p[2] + 3 * n[2]};
    float a[3], b[3];
    for (float lap : {0.0f, 2.0f * float(M_PI)}) {
        float crest = phase + float(M_PI) / 2 + lap;
        Lolscene::deformVertex(p, n, phase, crest, a);
        Lolscene::deformVertex(pushed, still, phase, crest, b);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(a[c], b[c], 1e-3f) << "crest, component " << c;
        for (float away : {crest - float(M_PI) / 2, crest + float(M_PI) / 2}) {
            Lolscene::deformVertex(p, n, phase, away, a);
            Lolscene::deformVertex(p, still, phase, away, b);
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(a[c], b[c], 1e-4f) << "quarter period away, component " << c;
        }
    }

    // On the real blob every normal points away from the centre, and the vertices doubled at the
    // seam and the poles share one normal.
    Lolscene& scene = lolscene();
    scene.deformBlob(7.3f);
    auto positions = scene.blob->getAttribute(Orvane::AttributeSemantic::Position);
    auto normals = scene.blob->getAttribute(Orvane::AttributeSemantic::Normal);
    const int count = scene.blob->getVertexCount();
    float centre[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        auto v = positions->get(i);
        centre[0] += v.x / count, centre[1] += v.y / count, centre[2] += v.z / count;
    }
    int outward = 0;
    std::map<std::tuple<long, long, long>, Orvane::Vector4t<float>> normalAt;
    for (int i = 0; i < count; ++i) {
        auto v = positions->get(i);
        auto normal = normals->get(i);
        outward += (v.x - centre[0]) * normal.x + (v.y - centre[1]) * normal.y + (v.z - centre[2]) * normal.z > 0;
        auto [it, fresh]
            = normalAt.try_emplace({std::lround(v.x * 100), std::lround(v.y * 100), std::lround(v.z * 100)}, normal);
        if (!fresh) {
            ASSERT_NEAR(it->second.x * normal.x + it->second.y * normal.y + it->second.z * normal.z, 1.0f, 1e-4f) << i;
        }
    }
    EXPECT_GT(outward, count * 95 / 100);
    for (int i : {0, 1234, count - 1}) {
        float expected[3];
        Lolscene::deformVertex(&scene.restPositions[3 * size_t(i)], &scene.restNormals[3 * size_t(i)],
                               scene.phases[size_t(i)], 7.3f, expected);
        auto v = positions->get(i);
        EXPECT_NEAR(v.x, expected[0], 1e-3f) << i;
        EXPECT_NEAR(v.y, expected[1], 1e-3f) << i;
        EXPECT_NEAR(v.z, expected[2], 1e-3f) << i;
    }
}

TEST_F(LolsceneGlTest, StarsDependOnTheLocalTimeAlone)
{
    Lolscene& scene = lolscene();
    scene.stars.update(5.0f);
    std::vector<float> first = quadCentres(scene.stars, scene.stars.count);
    scene.stars.update(9.0f);
    scene.moveClouds(3.0f);
    Orvane::Utils::random();
    std::vector<float> moved = quadCentres(scene.stars, scene.stars.count);
    scene.stars.update(5.0f);
    EXPECT_EQ(quadCentres(scene.stars, scene.stars.count), first);
    EXPECT_NE(moved, first);
}

TEST_F(LolsceneGlTest, DrawsTheBlobUnderTheSkyAndGoesDarkOnAStab)
{
    Lolscene& scene = lolscene();
    setCamera(0, -92, -38, 0, 0, 14);
    const float stab = demo.hitTimes[0];
    std::vector<unsigned char> dark = drawAt(scene, 0.0f, stab);
    std::vector<unsigned char> lit = drawAt(scene, 0.3f, stab + 0.3f);
    EXPECT_GT(meanBrightness(lit), 40.0);
    EXPECT_GT(nonUniformShare(lit), 0.5);
    EXPECT_LT(meanBrightness(dark), meanBrightness(lit) * 0.15);
    // The blob fills the middle of the picture with its warm skin.
    auto centre = pixelAt(Width / 2, Height / 2);
    EXPECT_GT(centre[0], centre[2]);
    EXPECT_GT(centre[0], 60);
}
