#include "../EffectGlTest.h"

namespace {

class MetaplanetGlTest : public NightglassTest::EffectGlTest {};

}

TEST_F(MetaplanetGlTest, OpensWhiteHoldsThePictureThenFadesToBlack)
{
    Tavrin::Flow::VisualContainerNode& end = effect("metaplanet");
    EXPECT_GE(meanBrightness(drawAt(end, 0.0f, 216.0f)), 254.0);

    std::vector<unsigned char> held = drawAt(end, 0.7f, 216.7f);
    EXPECT_EQ(held, drawAt(end, 1.9f, 217.9f)) << "the flash is over by 0.7 s and the fade waits for 2 s";
    EXPECT_GT(nonUniformShare(held), 0.3) << "the closing picture, not a flat fill";
    double full = meanBrightness(held);
    EXPECT_GT(full, 10.0);

    EXPECT_NEAR(meanBrightness(drawAt(end, 3.0f, 219.0f)), full / 2, 1.0);
    EXPECT_EQ(meanBrightness(drawAt(end, 4.0f, 220.0f)), 0.0);
    EXPECT_EQ(meanBrightness(drawAt(end, 6.0f, 222.0f)), 0.0);
}
