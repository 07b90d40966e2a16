#include "orvane/Device.h"
#include "orvane/Extensions.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"

#include <SDL2/SDL.h>

using Orvane::AttributeSemantic;
using Orvane::ClearTarget;
using Orvane::PrimitiveTypeEnum;
using TestSupport::GlTest;

namespace {

class DeviceGlTest : public GlTest {
protected:
    // Colour red, depth 0.25, stencil 7 everywhere, then the clear under test.
    void fillThenClear(ClearTarget target)
    {
        device().clear(ClearTarget::All, 1, 0, 0, 1, 0.25f, 7);
        device().clear(target, 0, 0, 1, 1, 1.0f, 3);
    }

    void expectCleared(bool colour, bool depth, bool stencil)
    {
        if (colour)
            EXPECT_RGBA_NEAR(pixelAt(10, 10), 0, 0, 255, 255, 0);
        else
            EXPECT_RGBA_NEAR(pixelAt(10, 10), 255, 0, 0, 255, 0);
        EXPECT_NEAR(depthAt(10, 10), depth ? 1.0f : 0.25f, 1e-4f);
        EXPECT_EQ(stencilAt(10, 10), stencil ? 3 : 7);
    }
};

}

TEST_F(DeviceGlTest, EachClearTargetClearsItsBuffers)
{
    struct Case {
        ClearTarget target;
        bool colour, depth, stencil;
    };
    const Case cases[] = {
        {ClearTarget::Color, true, false, false},       {ClearTarget::Depth, false, true, false},
        {ClearTarget::Stencil, false, false, true},     {ClearTarget::ColorDepth, true, true, false},
        {ClearTarget::ColorStencil, true, false, true}, {ClearTarget::DepthStencil, false, true, true},
        {ClearTarget::All, true, true, true},           {static_cast<ClearTarget>(7), false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.target));
        fillThenClear(c.target);
        expectCleared(c.colour, c.depth, c.stencil);
    }
    // A target outside the table still sets the clear values.
    GLfloat colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    EXPECT_EQ(colour[2], 1.0f);
}

TEST_F(DeviceGlTest, ImmediateModeTriangleLandsWhereSubmitted)
{
    device().clear(ClearTarget::All, 0, 0, 0, 1, 1.0f, 0);
    // Fixed function, so that the submitted colour shows instead of the default shader's white.
    useFixedFunction();
    device().beginPrimitives(PrimitiveTypeEnum::Triangles);
    device().vertexAttribute(AttributeSemantic::Color, 0, 1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, 1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, 1, 0, 1);
    glEnd();
    device().defaultShader()->bind();
    EXPECT_RGBA_NEAR(pixelAt(20, 20), 0, 255, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(Width - 20, Height - 20), 0, 0, 0, 255, 0);
}

TEST_F(DeviceGlTest, DefaultShaderIsBoundAtStartUpAndDrawsWhite)
{
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    ASSERT_NE(device().defaultShader(), nullptr);
    EXPECT_EQ(GLuint(current), device().defaultShader()->getProgram());

    device().clear(ClearTarget::All, 0, 0, 0, 1, 1.0f, 0);
    device().beginPrimitives(PrimitiveTypeEnum::Triangles);
    device().vertexAttribute(AttributeSemantic::Color, 0, 1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, 1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, 1, 0, 1);
    glEnd();
    EXPECT_RGBA_NEAR(pixelAt(20, 20), 255, 255, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(Width - 20, Height - 20), 0, 0, 0, 255, 0);
}

TEST_F(DeviceGlTest, MultiTexCoordSemanticsReachTheirUnits)
{
    device().vertexAttribute(static_cast<AttributeSemantic>(5), 1, 2, 3, 4);
    device().vertexAttribute(AttributeSemantic::Normal, 0, 0, -1, 9);
    GLfloat coords[4];
    Orvane::Ext::glActiveTextureARB(GL_TEXTURE3);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, coords);
    Orvane::Ext::glActiveTextureARB(GL_TEXTURE0);
    EXPECT_EQ(coords[0], 1.0f);
    EXPECT_EQ(coords[3], 4.0f);
    GLfloat normal[3];
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_EQ(normal[2], -1.0f);
}

TEST_F(DeviceGlTest, IllegalPrimitiveThrows)
{
    EXPECT_THROW(device().beginPrimitives(static_cast<PrimitiveTypeEnum>(5)), Orvane::Exceptions::IllegalEnumException);
}

TEST_F(DeviceGlTest, PresentReturnsFalseOnQuitAndHandlesOneEventPerCall)
{
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event user{};
    user.type = SDL_USEREVENT;
    SDL_PushEvent(&user);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(device().present());
    EXPECT_FALSE(device().present());
    EXPECT_TRUE(device().present());
}

TEST_F(DeviceGlTest, CurrentDeviceAndHandles)
{
    EXPECT_EQ(Orvane::Device::current(), &device());
    EXPECT_NE(device().handle(0), nullptr);
    EXPECT_NE(device().handle(2), nullptr);
    EXPECT_EQ(device().handle(1), nullptr);
}

TEST_F(DeviceGlTest, ExtensionsLoadedOnARealContext)
{
    EXPECT_NE(Orvane::Ext::glBindFramebufferEXT, nullptr);
    EXPECT_NE(Orvane::Ext::glUseProgram, nullptr);
}

TEST(DeviceMultisample, FallsBackOrKeepsARequestedSampleCount)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    Orvane::Window window(64, 64, {.windowed = true, .visible = false});
    Orvane::Device device(&window, 24, 8, 4, Orvane::Device::ColourBuffer::FixedPoint);
    GLint sampleBuffers = -1;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    EXPECT_EQ(sampleBuffers > 0, device.samples() > 0);
    device.clear(ClearTarget::All, 0, 1, 0, 1, 1, 0);
    EXPECT_EQ(Orvane::Device::current(), &device);
}
