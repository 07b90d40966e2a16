#include "../EffectGlTest.h"
#include "nightglass/effects/Logopart.h"

#include <algorithm>

namespace {

class LogopartGlTest : public NightglassTest::EffectGlTest {
protected:
    Nightglass::Logopart& logopart() { return dynamic_cast<Nightglass::Logopart&>(effect("logopart")); }
};

}

TEST_F(LogopartGlTest, SmokeLeavingTheTopReturnsAtTheBottomInANewColour)
{
    Nightglass::Logopart& logo = logopart();
    logo.smoke[0].position = {12, -34, 99};
    logo.smoke[1].position = {-5, 7, 0};
    Orvane::Vector4t<float> before0 = logo.smoke[0].colour, before1 = logo.smoke[1].colour;

    logo.updateSmoke(0.04f);
    const auto& wrapped = logo.smoke[0];
    EXPECT_FLOAT_EQ(wrapped.position.x, 12);
    EXPECT_FLOAT_EQ(wrapped.position.y, -34);
    EXPECT_NEAR(wrapped.position.z, -99, 1e-4);
    EXPECT_FALSE(wrapped.colour.x == before0.x && wrapped.colour.y == before0.y && wrapped.colour.z == before0.z
                 && wrapped.colour.w == before0.w);
    EXPECT_NEAR(logo.smoke[1].position.z, 2, 1e-5);
    EXPECT_EQ(logo.smoke[1].colour.w, before1.w) << "a record that stays keeps its colour";
    for (const auto& record : logo.smoke) {
        EXPECT_LE(record.position.z, 100.0f);
        EXPECT_GE(record.colour.w, 0.0f);
    }
}

TEST_F(LogopartGlTest, SilenceKeepsTheCameraUprightAndTheBassShakesIt)
{
    Nightglass::Logopart& logo = logopart();
    for (int i = 0; i < 4; ++i) {
        Orvane::Vector3t<float> up = logo.shakyUp(0.0f);
        EXPECT_EQ(up.x, 0.0f);
        EXPECT_EQ(up.y, 0.0f);
        EXPECT_EQ(up.z, 1.0f);
    }
    bool tilted = false;
    for (int i = 0; i < 4; ++i) {
        Orvane::Vector3t<float> up = logo.shakyUp(0.3f);
        EXPECT_LE(std::max(std::abs(up.x), std::abs(up.y)), 0.03f + 1e-6f);
        tilted = tilted || up.x != 0.0f || up.y != 0.0f;
    }
    EXPECT_TRUE(tilted);
}

TEST_F(LogopartGlTest, TheBiggestHitFlashesTheLitLogo)
{
    demo.hitTimes = {200.0f};
    Nightglass::Logopart& logo = logopart();
    float hit = 1792 * 60.0f / (4 * demo.bpm);
    ASSERT_EQ(demo.hitTimes.size(), 2u);
    EXPECT_FLOAT_EQ(demo.hitTimes[0], hit) << "kept in order ahead of a later hit";

    setCamera(0, -200, 10, 0, 0, 5);
    std::vector<unsigned char> calm = drawAt(logo, 5.0f, hit + 5.0f);
    EXPECT_GT(nonUniformShare(calm), 0.5);
    EXPECT_GT(meanBrightness(calm), 20.0);
    // The logo stands in the middle of the view, lit apart from the sky behind it.
    std::vector<unsigned char> centre = readPixels(Width / 2 - 40, Height / 2 - 4, 80, 8);
    EXPECT_GT(nonUniformShare(centre), 0.2);

    EXPECT_GE(meanBrightness(drawAt(logo, 0.0f, hit)), 254.0);
    EXPECT_LT(meanBrightness(drawAt(logo, 0.5f, hit + 0.5f)), 250.0);
}
