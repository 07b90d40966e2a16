#include "../EffectGlTest.h"
#include "nightglass/effects/Desp.h"
#include "orvane/State.h"

#include <cmath>

namespace {

class DespGlTest : public NightglassTest::EffectGlTest {
protected:
    Nightglass::Desp& desp() { return dynamic_cast<Nightglass::Desp&>(effect("desp")); }
};

}

TEST_F(DespGlTest, TurningSwellsInAndDiesAway)
{
    Nightglass::Desp& rings = desp();
    for (float x : {-2.0f, 0.0f, 0.3f, 1.0f, 15.0f, 16.0f, 40.0f})
        EXPECT_EQ(rings.strength(x), 0.0f) << "at " << x;
    EXPECT_NEAR(rings.strength(2.0f), 0.5f, 1e-4f);
    EXPECT_NEAR(rings.strength(5.0f), 1.0f, 1e-4f);
    EXPECT_LT(rings.strength(8.75f), 0.5f) << "the dip";
    EXPECT_NEAR(rings.strength(12.5f), 0.5f, 1e-4f);
}

TEST_F(DespGlTest, StillCopiesNestInwardAndTurnOnceTheStrengthRises)
{
    Nightglass::Desp& rings = desp();
    setCamera(0, -60, 200, 0, 0, 0);
    std::vector<unsigned char> early = drawAt(rings, 0.3f, 130.7f);
    EXPECT_GT(nonUniformShare(early), 0.2) << "the rings fill the view";
    EXPECT_EQ(early, drawAt(rings, 0.9f, 131.3f)) << "without strength nothing turns";
    EXPECT_NE(early, drawAt(rings, 5.0f, 135.4f));

    // Drawn outside its container, the world matrix stays that of the last, innermost copy.
    rings.draw(0.3f);
    const Orvane::Matrix4& world = Orvane::State::matrices().world;
    float scale = std::sqrt(world[0] * world[0] + world[1] * world[1] + world[2] * world[2]);
    EXPECT_NEAR(scale, 10.0f * std::pow(0.95f, 100.0f), 1e-5f);
}
