#include "../EffectGlTest.h"
#include "DataMirror.h"
#include "nightglass/effects/Icefractal.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <gtest/gtest.h>

namespace {

// The section starts at row 960; the crash that completes the ice is at row 1024.
constexpr float SectionStart = 960.0f * 15.0f / 162.0f;
constexpr float CrashTime = 1024.0f * 15.0f / 162.0f;

class IcefractalGlTest : public NightglassTest::EffectGlTest {
protected:
    std::vector<unsigned char> at(float t) { return drawAt(effect("icefractal"), t, SectionStart + t); }

    // Pixels where the ice's blue clearly outweighs red: the burst, not the night sky or the moon.
    static int icePixels(const std::vector<unsigned char>& rgba)
    {
        int count = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
            count += rgba[i + 2] > 90 && rgba[i + 2] > rgba[i] + 30;
        return count;
    }
};

}

TEST_F(IcefractalGlTest, TheIceGrowsOutOfTheMoonAndTheCrashFlashesIt)
{
    setCamera(0, -150, 0, 0, 0, 0, 60);
    auto seed = at(0.3f);
    auto halfway = at(2.5f);
    auto grown = at(9.0f);
    for (const auto* picture : {&seed, &halfway, &grown}) {
        EXPECT_GT(nonUniformShare(*picture), 0.2);
        EXPECT_GT(meanBrightness(*picture), 4.0);
    }
    EXPECT_LT(icePixels(seed) * 3, icePixels(halfway));
    EXPECT_LT(icePixels(seed) * 3, icePixels(grown));
    EXPECT_GT(icePixels(grown), 256 * 256 / 12);

    float crash = CrashTime - SectionStart;
    double before = meanBrightness(at(crash - 0.4f));
    double flash = meanBrightness(at(crash + 0.05f));
    EXPECT_GT(flash, before * 1.3);
}

TEST_F(IcefractalGlTest, ATimeAlwaysDrawsTheSamePicture)
{
    setCamera(40, -140, 20, 0, 0, 0, 55);
    auto first = at(11.0f);
    at(3.0f);
    EXPECT_EQ(first, at(11.0f));
}

TEST_F(IcefractalGlTest, AMissingAssetIsNamed)
{
    NightglassTest::DataMirror data({"objects/hylle.fgm"});
    demo.dataFolder = data.folder();
    try {
        effect("icefractal");
        FAIL() << "built without its mesh";
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_NE(e.getMessage().find("objects/hylle.fgm"), std::string::npos) << e.getMessage();
    }
}

TEST(IcefractalGrowth, RunsFromNothingToEveryTipByTheCrash)
{
    float crash = (1024.0f - 960.0f) * 15.0f / 162.0f;
    EXPECT_LE(Nightglass::Icefractal::growthAt(0.0f), 0.0f);
    float previous = 0.0f;
    for (float t = 0.1f; t < crash; t += 0.1f) {
        float g = Nightglass::Icefractal::growthAt(t);
        EXPECT_GE(g, previous) << t;
        previous = g;
    }
    EXPECT_GE(Nightglass::Icefractal::growthAt(crash), 1.0f);
}
