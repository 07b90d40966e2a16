#include "orvane/PixelType.h"
#include "orvane/PngWriter.h"
#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"
#include "support/TempDir.h"
#include "tavrin/Demo.h"

#include <GL/gl.h>

#include <filesystem>
#include <vector>

using Orvane::State;
using TestSupport::GlTest;

namespace {

class TestDemo : public Tavrin::Demo {
public:
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement&) override { return nullptr; }
};

class DemoDrawingGlTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        if (IsSkipped())
            return;
        demo.width = Width;
        demo.height = Height;
        demo.viewportY = 0;
        demo.viewportHeight = Height;
        demo.loadBuiltins();
        State::disable(Orvane::Capability::Blend);
        State::disable(Orvane::Capability::DepthTest);
        device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
    }

    std::vector<unsigned char> readTexture(const Orvane::Texture& texture)
    {
        std::vector<unsigned char> texels(size_t(texture.getWidth()) * texture.getHeight() * 4);
        glBindTexture(GL_TEXTURE_2D, texture.getName());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }

    TestDemo demo;
};

}

TEST_F(DemoDrawingGlTest, BuiltinsFillTheirSlotsAndTheCacheHandsOutOneObject)
{
    for (int slot = 0; slot < 7; ++slot)
        EXPECT_NE(demo.builtinShaders.at(slot), nullptr) << slot;
    EXPECT_NE(demo.font, nullptr);
    EXPECT_EQ(demo.loadShader("tavrin/texture_color.cg"), demo.builtinShaders.at(1));
    EXPECT_EQ(demo.loadTexture("textures/dott.png"), demo.loadTexture("textures/dott.png"));
    EXPECT_EQ(demo.loadGeometry("objects/skydome.fgm"), demo.loadGeometry("objects/skydome.fgm"));
}

TEST_F(DemoDrawingGlTest, FullscreenColourDrawsFromTheAlphaThresholdOn)
{
    demo.drawFullscreenColor({1, 0, 0, 0.0005f});
    EXPECT_RGBA_NEAR(pixelAt(10, 10), 0, 0, 0, 255, 0);
    demo.drawFullscreenColor({1, 0, 0, 0.001f});
    EXPECT_RGBA_NEAR(pixelAt(10, 10), 255, 0, 0, 0, 0);
    // The helper leaves the caller's matrices as they were.
    State::translateWorld(3, 0, 0);
    Orvane::Matrix4 world = State::matrices().world;
    demo.drawFullscreenColor({0, 1, 0, 1});
    EXPECT_EQ(State::matrices().world, world);
}

TEST_F(DemoDrawingGlTest, TexturedRectLandsInItsQuarter)
{
    const unsigned char green[4] = {0, 255, 0, 255};
    Orvane::Texture texture(1, 1, green, Orvane::RGBA8, Orvane::Nearest);
    demo.drawTexturedRect(0, 0, 1, 1, texture);
    EXPECT_RGBA_NEAR(pixelAt(Width * 3 / 4, Height * 3 / 4), 0, 255, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(Width / 4, Height / 4), 0, 0, 0, 255, 0);
}

TEST_F(DemoDrawingGlTest, BlurSpreadsOneBrightTexelWithDoublingSteps)
{
    Orvane::RenderTarget target(64, 64, Orvane::RenderTarget::Colour), scratch(64, 64, Orvane::RenderTarget::Colour);
    std::vector<unsigned char> dot(64 * 64 * 4, 0);
    for (int i = 0; i < 64 * 64; ++i)
        dot[size_t(i) * 4 + 3] = 255;
    unsigned char* centre = &dot[(32 * 64 + 32) * 4];
    centre[0] = centre[1] = centre[2] = 255;
    target.getColorTexture()->upload(64, 64, dot.data(), Orvane::RGBA8, Orvane::Linear);

    demo.blurTarget(target, scratch, 1, 1, 1);
    auto texels = readTexture(*target.getColorTexture());
    auto red = [&](int x, int y) { return int(texels[(size_t(y) * 64 + x) * 4]); };
    // Two 3x3 box passes, one and two texels apart: the light reaches 3 texels out, not 4.
    EXPECT_GT(red(32, 32), 0);
    EXPECT_LT(red(32, 32), 255);
    EXPECT_GT(red(35, 32), 0);
    EXPECT_EQ(red(36, 32), 0);
    EXPECT_GT(red(32, 29), 0);
    EXPECT_EQ(red(32, 28), 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], Height) << "the screen viewport is restored";
}

TEST_F(DemoDrawingGlTest, CopyTargetCopiesTheColour)
{
    Orvane::RenderTarget source(32, 32, Orvane::RenderTarget::Colour),
        destination(32, 32, Orvane::RenderTarget::Colour);
    std::vector<unsigned char> blue(32 * 32 * 4);
    for (size_t i = 0; i < blue.size(); i += 4) {
        blue[i + 2] = 200;
        blue[i + 3] = 255;
    }
    source.getColorTexture()->upload(32, 32, blue.data(), Orvane::RGBA8, Orvane::Linear);
    demo.copyTarget(source, destination);
    auto texels = readTexture(*destination.getColorTexture());
    EXPECT_EQ(texels[(16 * 32 + 16) * 4 + 2], 200);
}

TEST_F(DemoDrawingGlTest, LoadingBarGrowsToItsEnd)
{
    demo.loadingScreen(0);
    // Nothing red near the bar's start at progress 0: the picture shows there.
    auto start = pixelAt(int((1 - 0.93f) / 2 * Width) + 2, int((1 - 0.95f) / 2 * Height) + 2);
    EXPECT_FALSE(start[0] > 200 && start[1] < 40 && start[2] < 40);
    demo.loadingScreen(100);
    // The swap shows the frame; Mesa keeps the back buffer, where it can be read.
    EXPECT_RGBA_NEAR(pixelAt(int((1 - 0.931f) / 2 * Width) + 2, int((1 - 0.953f) / 2 * Height) + 3), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(int((1 + 0.915f) / 2 * Width) - 2, int((1 - 0.953f) / 2 * Height) + 3), 255, 0, 0, 255, 0);
    auto past = pixelAt(int((1 + 0.915f) / 2 * Width) + 3, int((1 - 0.953f) / 2 * Height) + 3);
    EXPECT_FALSE(past[0] > 200 && past[1] < 40 && past[2] < 40);
}

TEST_F(DemoDrawingGlTest, CamerasFollowTheSyncTracks)
{
    demo.syncValues[0] = {1, 2, 3, 0};
    demo.syncValues[1] = {1, 5, 3, 0};
    demo.syncValues[2] = {0, 0, 1, 0};
    demo.syncValues[3] = {45, 0, 0, 0};
    // The scale moves the eye, not the direction it looks in.
    demo.setCamera(2, 0.5f, 100);
    Orvane::Matrix4 view, projection;
    view.setLookAt(2, 4, 6, 2, 7, 6, 0, 0, 1);
    projection.setPerspective(45, demo.aspect, 0.5f, 100);
    EXPECT_EQ(State::matrices().view, view);
    EXPECT_EQ(State::matrices().projection, projection);

    demo.setSkyCamera();
    view.setLookAt(0, 0, 0, 0, 3, 0, 0, 0, 1);
    projection.setPerspective(60, demo.aspect, 1, 500);
    EXPECT_EQ(State::matrices().view, view);
    EXPECT_EQ(State::matrices().projection, projection);
}

TEST_F(DemoDrawingGlTest, TextureStripPlacesImagesSideBySideAndRefusesMixedSizes)
{
    TestSupport::TempDir dir;
    demo.dataFolder = dir.path().string() + "/";
    const unsigned char red[3] = {255, 0, 0}, green[3] = {0, 255, 0};
    Orvane::writePng(dir.file("cell0.png"), 1, 1, 3, red);
    Orvane::writePng(dir.file("cell1.png"), 1, 1, 3, green);
    auto strip = demo.loadTextureStrip("cell%d.png", 2);
    ASSERT_EQ(strip->getWidth(), 2);
    auto texels = readTexture(*strip);
    EXPECT_EQ(texels[0], 255);
    EXPECT_EQ(texels[5], 255);
    EXPECT_EQ(texels[7], 255);

    const unsigned char wide[6] = {0};
    Orvane::writePng(dir.file("cell1.png"), 2, 1, 3, wide);
    try {
        demo.loadTextureStrip("cell%d.png", 2);
        FAIL();
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_NE(e.getMessage().find(dir.file("cell1.png")), std::string::npos) << e.getMessage();
    }
}
