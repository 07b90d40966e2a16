#include "../EffectGlTest.h"
#include "nightglass/effects/ExplosionScene.h"

using Nightglass::ExplosionScene;

namespace {

class ExplosionSceneGlTest : public NightglassTest::EffectGlTest {
protected:
    ExplosionScene& scene() { return dynamic_cast<ExplosionScene&>(effect("explosion")); }
    float rowTime(float row) const { return row * 60.0f / (4.0f * demo.bpm); }

    // Mean brightness of a square of the screen, away from the credits' text.
    double cornerBrightness(const std::vector<unsigned char>& rgba) const
    {
        double sum = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                for (int c = 0; c < 3; ++c)
                    sum += rgba[(size_t(y) * Width + size_t(x)) * 4 + size_t(c)];
        return sum / (40 * 40 * 3);
    }
    int brightPixels(const std::vector<unsigned char>& rgba) const
    {
        int bright = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            bright += rgba[i] > 180 && rgba[i + 1] > 180 && rgba[i + 2] > 180;
        return bright;
    }
};

}

TEST_F(ExplosionSceneGlTest, TheFireStartsAfreshWhenAFramePassesABoundary)
{
    ExplosionScene& fire = scene();
    ExplosionScene::Credits half = fire.creditsAt(rowTime(690));
    EXPECT_EQ(half.window, 0);
    EXPECT_NEAR(half.fade, 0.5f, 1e-3f);
    ExplosionScene::Credits second = fire.creditsAt(rowTime(704) + 0.01f);
    EXPECT_EQ(second.window, 1);
    EXPECT_EQ(second.fade, 0.0f);
    EXPECT_EQ(fire.creditsAt(rowTime(896)).window, -1);

    const float frame = 1.0f / 60.0f, before = rowTime(704) - 0.5f * frame;
    drawAt(fire, before - rowTime(640), before, frame);
    for (auto& p : fire.explosion.records)
        p.position[0] = 50.0f;
    drawAt(fire, before + frame - rowTime(640), before + frame, frame);
    EXPECT_LT(fire.explosion.records[123].position[0], 10.0f) << "restarted at the centre";
}

TEST_F(ExplosionSceneGlTest, FadesToTheCreditsOverBlackAndClearsAfterTheBoundary)
{
    ExplosionScene& fire = scene();
    setCamera(0, -430, -30, 0, 0, 170);
    // Let the fire burn a while before the first fade.
    for (int k = 0; k < 20; ++k)
        drawAt(fire, rowTime(660 - 640) + k * 0.05f, rowTime(660) + k * 0.05f, 0.05f);
    std::vector<unsigned char> before = drawAt(fire, rowTime(662 - 640), rowTime(662), 0.05f);
    std::vector<unsigned char> half = drawAt(fire, rowTime(690 - 640), rowTime(690), 0.05f);
    std::vector<unsigned char> full = drawAt(fire, rowTime(703.9f - 640), rowTime(703.9f), 0.05f);
    std::vector<unsigned char> after = drawAt(fire, rowTime(706 - 640), rowTime(706), 0.05f);
    std::vector<unsigned char> past = drawAt(fire, rowTime(900 - 640), rowTime(900), 0.05f);

    EXPECT_GT(cornerBrightness(before), 20.0);
    EXPECT_LT(cornerBrightness(half), cornerBrightness(before) * 0.6);
    EXPECT_LT(cornerBrightness(full), 2.0);
    // The title reads in white over the black.
    EXPECT_GT(brightPixels(full), Width * Height / 200);
    EXPECT_GT(brightPixels(full), brightPixels(half));
    // The next window opens without black or text, and after the last boundary there is none.
    EXPECT_GT(cornerBrightness(after), cornerBrightness(before) * 0.6);
    EXPECT_GT(cornerBrightness(past), 20.0);
}
