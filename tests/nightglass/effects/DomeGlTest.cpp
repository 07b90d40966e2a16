#include "../EffectGlTest.h"
#include "nightglass/effects/Dome.h"
#include "orvane/State.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using Nightglass::BranchNode;
using Nightglass::Dome;
using Nightglass::Particles;

namespace {

class DomeGlTest : public NightglassTest::EffectGlTest {
protected:
    Dome& dome() { return dynamic_cast<Dome&>(effect("dome")); }
};

struct Visit {
    const BranchNode* node;
    int depth;
};

void depthFirst(const BranchNode& node, int depth, std::vector<Visit>& visits, size_t limit)
{
    if (visits.size() == limit)
        return;
    visits.push_back({&node, depth});
    for (const auto& child : node.children)
        depthFirst(*child, depth + 1, visits, limit);
}

// Largest difference of any colour channel between two pictures.
int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (i % 4 != 3)
            largest = std::max(largest, std::abs(int(a[i]) - int(b[i])));
    return largest;
}

}

TEST_F(DomeGlTest, TheFlowGetsOneDomeHoweverOftenItIsNamed)
{
    Dome* first = &dome();
    EXPECT_EQ(&dome(), first);
    EXPECT_EQ(&dome(), first);
    for (const char* name : {"Dome", "ExplosionScene"}) {
        tinyxml2::XMLDocument document;
        EXPECT_EQ(demo.createVisual(*document.NewElement(name)), nullptr) << name;
    }
}

TEST_F(DomeGlTest, FillsTwentyQuadsForEachOfTheFirst500BranchesDepthFirst)
{
    Dome& effect = dome();
    std::vector<Visit> visits;
    depthFirst(effect.getTree(), 0, visits, 500);
    ASSERT_EQ(visits.size(), 500u);

    const float time = 9.0f;
    effect.fillParticles(time);
    Particles& particles = effect.getParticles();
    const Particles::Vertex* quads = particles.lock();
    for (int n = 0; n < 500; ++n) {
        const BranchNode& node = *visits[size_t(n)].node;
        float level = float(visits[size_t(n)].depth + 2);
        for (int j = 0; j < 20; ++j) {
            SCOPED_TRACE(testing::Message() << "branch " << n << " particle " << j);
            const Particles::Vertex* quad = quads + 4 * (20 * n + j);
            float along = 0.05f * float(j);
            ASSERT_NEAR(quad[2].position[0], node.position.x + along * node.direction.x, 1e-3f);
            ASSERT_NEAR(quad[2].position[2], node.position.z + along * node.direction.z, 1e-3f);
            // Five seconds after a particle starts to grow it starts to fade; from six on it is gone.
            float b = time - level - along;
            ASSERT_EQ(quad[0].color[3] <= 0.0f, b >= 6.0f - 1e-5f) << "b = " << b;
            ASSERT_LE(quad[0].color[3], 1.0f);
        }
    }
    particles.unlock();
}

TEST_F(DomeGlTest, TheRootGrowsFromTwoSecondsOneParticleAfterTheOther)
{
    Dome& effect = dome();
    Particles& particles = effect.getParticles();
    auto halfWidth = [&](int quad) { return particles.locked[4 * quad + 1].corner[0]; };

    effect.fillParticles(1.99f);
    particles.lock();
    for (int quad = 0; quad < Dome::ParticleCount; ++quad)
        ASSERT_EQ(halfWidth(quad), 0.0f) << quad;
    particles.unlock();

    effect.fillParticles(2.5f);
    particles.lock();
    EXPECT_NEAR(halfWidth(0), 3.75f, 1e-3f);  // half grown: half of 15 / level 2
    EXPECT_EQ(halfWidth(10), 0.0f);  // starts to grow only now
    EXPECT_LT(halfWidth(5), halfWidth(0));
    particles.unlock();
}

TEST_F(DomeGlTest, TheGlowingTreeRisesInFrontOfTheSkyAndLeavesItUntouchedOnceFaded)
{
    Dome& effect = dome();
    setCamera(30, 95, 4, 0, 0, 32);
    std::vector<unsigned char> skyAlone = drawAt(effect, 0, 1.0f);
    EXPECT_GT(nonUniformShare(skyAlone), 0.3) << "the sky shows its horizon picture";
    EXPECT_GT(meanBrightness(skyAlone), 15.0);

    std::vector<unsigned char> trunk = drawAt(effect, 0, 3.0f);
    int brighter = 0;
    for (size_t i = 0; i < trunk.size(); i += 4)
        if (trunk[i] + trunk[i + 1] + trunk[i + 2] > skyAlone[i] + skyAlone[i + 1] + skyAlone[i + 2] + 60)
            ++brighter;
    EXPECT_GT(brighter, 150) << "the trunk glows";
    EXPECT_LT(brighter, Width * Height / 4);

    // Long after the last branch has faded every particle has alpha far below 0. A faint overlay
    // drawn before, with blending left on, leaves its tint on the shared textured shader; the sky
    // must not take it over.
    Orvane::State::enable(Orvane::Capability::Blend);
    Orvane::State::setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    demo.drawFullscreenTextureAlpha(*demo.loadTexture("textures/horizon.jpg"), 0.2f);
    std::vector<unsigned char> faded = drawAt(effect, 0, 40.0f);
    EXPECT_LE(largestDifference(faded, skyAlone), 2);
}
