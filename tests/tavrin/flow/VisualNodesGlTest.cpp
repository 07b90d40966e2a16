#include "FlowTestSupport.h"

#include "orvane/PixelType.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "support/GlTest.h"
#include "support/TempDir.h"

#include <GL/gl.h>

using namespace Tavrin::Flow;

namespace {

class FlowVisualsGlTest : public TestSupport::GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        Orvane::State::resetMatrices();
        demo.loadQuadShaders();
        Orvane::State::disable(Orvane::Capability::Blend);
        options.nodeCountFile = dir.file("lol.dat");
        device().clear(Orvane::ClearTarget::All, 0, 0, 1, 1, 1, 0);
    }

    void play(const std::string& body, float time = 0.0f)
    {
        FlowTest::writeFile(dir.file("t.flow"), "<flow>" + body + "</flow>");
        loadFlow(dir.file("t.flow"), demo, options)->evaluate(time);
    }

    TestSupport::TempDir dir;
    FlowTest::TestDemo demo{true};
    LoadOptions options;
};

}

TEST_F(FlowVisualsGlTest, AnInnerBlendSwitchesBlendingOffForTheRestOfTheOuterOne)
{
    play(R"(<blend><blend src="one" dst="one"><probe/></blend><probe2/>)"
         R"(<quad x="-1" y="-1" width="2" height="2"><color r="1" g="0" b="0" a="0.5"/></quad></blend>)");
    const FlowTest::Sighting& inner = demo.probe().sightings.at(0);
    EXPECT_TRUE(inner.blending);
    EXPECT_EQ(inner.blendSrc, GL_ONE);
    EXPECT_EQ(inner.blendDst, GL_ONE);
    EXPECT_FALSE(demo.probe2().sightings.at(0).blending);
    SCOPED_TRACE("the half-transparent quad draws unblended");
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 255, 0, 0, 127, 1);
}

TEST_F(FlowVisualsGlTest, BlendMixesItsChildrenAndEndsSwitchedOff)
{
    Orvane::State::enable(Orvane::Capability::Blend);
    play(R"(<blend><quad x="-1" y="-1" width="2" height="2"><color r="1" g="0" b="0" a="0.5"/></quad></blend>)");
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 128, 0, 127, 191, 2);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(FlowVisualsGlTest, AQuadBelowTheAlphaThresholdDrawsNothing)
{
    play(R"(<quad x="-1" y="-1" width="2" height="2"><color r="1" g="0" b="0" a="0.0009"/></quad>)");
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 0, 0, 255, 255, 0);
    play(R"(<quad x="-1" y="-1" width="2" height="2"><color r="1" g="0" b="0" a="0.001"/></quad>)");
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 255, 0, 0, 0, 1);
}

TEST_F(FlowVisualsGlTest, ADefaultQuadInADefaultOrthoCoversTheMiddleQuarter)
{
    play(R"(<ortho><quad><color r="0" g="1" b="0"/></quad></ortho>)");
    for (auto [x, y] : {std::pair{66, 66}, {189, 66}, {189, 189}, {66, 189}, {128, 128}}) {
        SCOPED_TRACE(testing::Message() << "inside at " << x << "," << y);
        EXPECT_RGBA_NEAR(pixelAt(x, y), 0, 255, 0, 255, 0);
    }
    for (auto [x, y] : {std::pair{61, 128}, {194, 128}, {128, 61}, {128, 194}, {5, 5}}) {
        SCOPED_TRACE(testing::Message() << "outside at " << x << "," << y);
        EXPECT_RGBA_NEAR(pixelAt(x, y), 0, 0, 255, 255, 0);
    }
}

TEST_F(FlowVisualsGlTest, QuadsDrawInTheMatricesInForce)
{
    play(
        R"(<ortho left="0" right="4" bottom="0" top="4"><translate x="1"><quad x="0" y="0" width="1" height="2"/></translate></ortho>)");
    EXPECT_RGBA_NEAR(pixelAt(96, 64), 255, 255, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(96, 140), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(32, 64), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(140, 64), 0, 0, 255, 255, 0);
}

TEST_F(FlowVisualsGlTest, ClearUsesItsColourAndDepth)
{
    device().clear(Orvane::ClearTarget::All, 1, 1, 1, 1, 0.25f, 0);
    play("<clear/>");
    EXPECT_RGBA_NEAR(pixelAt(10, 200), 0, 0, 0, 255, 0);
    EXPECT_FLOAT_EQ(depthAt(10, 200), 1.0f);

    play(R"(<clear><color r="0.5" b="0" a="0"/><depth>0.5</depth><quad/></clear>)");
    SCOPED_TRACE("its children are not drawn");
    EXPECT_RGBA_NEAR(pixelAt(128, 128), 128, 255, 0, 0, 1);
    EXPECT_NEAR(depthAt(128, 128), 0.5f, 1e-6f);
}

TEST_F(FlowVisualsGlTest, TexturedQuadsMapTheImageCornerToCornerTintedByTheColour)
{
    // Bottom row first: red, green; top row: blue, white.
    const unsigned char texels[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    Orvane::Texture texture(2, 2, texels, int(Orvane::PixelType::RGBA8), Orvane::Nearest);
    options.loadTexture = [&](const std::string& name) { return name == "checker.png" ? &texture : nullptr; };
    play(R"(<quad x="-1" y="-1" width="2" height="2" texture="checker.png"><color g="0.5"/></quad>)");
    EXPECT_RGBA_NEAR(pixelAt(64, 64), 255, 0, 0, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(192, 64), 0, 128, 0, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(64, 192), 0, 0, 255, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(192, 192), 255, 128, 255, 255, 1);
}
