#include "orvane/Extensions.h"
#include "orvane/PixelType.h"
#include "orvane/RenderTarget.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"

#include <array>
#include <cstdint>
#include <vector>

using Orvane::AttributeSemantic;
using Orvane::ClearTarget;
using Orvane::PrimitiveTypeEnum;
using Orvane::RenderTarget;
using Orvane::Texture;
using TestSupport::GlTest;

namespace {

namespace Ext = Orvane::Ext;

std::array<GLint, 4> viewport()
{
    std::array<GLint, 4> box{};
    glGetIntegerv(GL_VIEWPORT, box.data());
    return box;
}

GLint boundFramebuffer()
{
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    return framebuffer;
}

std::vector<std::uint8_t> colourTexels(const Texture& texture)
{
    std::vector<std::uint8_t> data(std::size_t(texture.getWidth()) * texture.getHeight() * 4);
    glBindTexture(GL_TEXTURE_2D, texture.getName());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, data.data());
    return data;
}

std::vector<float> depthTexels(const Texture& texture)
{
    std::vector<float> data(std::size_t(texture.getWidth()) * texture.getHeight());
    glBindTexture(GL_TEXTURE_2D, texture.getName());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, data.data());
    return data;
}

// Plays a driver that refuses depth textures of the given pixel types with the given status.
RenderTarget::StatusCheck refusing(std::vector<int> refused, GLenum status, std::vector<int>* asked = nullptr)
{
    return [refused, status, asked](const RenderTarget& target) {
        const Texture* depth = target.getDepthTexture();
        if (depth == nullptr)
            return RenderTarget::driverStatus(target);
        if (asked != nullptr)
            asked->push_back(depth->getPixelType());
        for (int pixelType : refused)
            if (depth->getPixelType() == pixelType)
                return status;
        return RenderTarget::driverStatus(target);
    };
}

class RenderTargetGlTest : public GlTest {
protected:
    // The depth buffer now bound takes a cleared value that the depth texture must then hold.
    static void expectDepthAttachmentWorks(RenderTarget& target)
    {
        target.bind();
        EXPECT_EQ(Ext::glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), GLenum(GL_FRAMEBUFFER_COMPLETE_EXT));
        device().clear(ClearTarget::Depth, 0, 0, 0, 1, 0.25f, 0);
        target.unbind();
        for (float depth : depthTexels(*target.getDepthTexture()))
            ASSERT_NEAR(depth, 0.25f, 1e-3f);
    }
};

}

TEST_F(RenderTargetGlTest, DrawingBetweenBindAndUnbindLandsInTheColourTexture)
{
    RenderTarget target(64, 32, RenderTarget::Colour | RenderTarget::Depth);
    EXPECT_EQ(boundFramebuffer(), 0);
    device().clear(ClearTarget::All, 1, 0, 0, 1, 1, 0);

    target.bind();
    EXPECT_EQ(boundFramebuffer(), GLint(target.getFramebuffer()));
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 64, 32}));
    device().clear(ClearTarget::ColorDepth, 0, 0, 1, 1, 1, 0);
    // Fixed-function white over the left half of the target.
    Ext::glUseProgram(0);
    glColor4f(1, 1, 1, 1);
    device().beginPrimitives(PrimitiveTypeEnum::Quads);
    device().vertexAttribute(AttributeSemantic::Position, -1, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, 0, -1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, 0, 1, 0, 1);
    device().vertexAttribute(AttributeSemantic::Position, -1, 1, 0, 1);
    glEnd();
    Orvane::State::setViewport(3, 4, 5, 6);
    target.unbind();

    EXPECT_EQ(boundFramebuffer(), 0);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, Width, Height}));
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 255, 0, 0, 255, 0);

    std::vector<std::uint8_t> texels = colourTexels(*target.getColorTexture());
    auto texel = [&](int x, int y) {
        const std::uint8_t* p = &texels[(std::size_t(y) * 64 + x) * 4];
        return TestSupport::Rgba{p[0], p[1], p[2], p[3]};
    };
    EXPECT_RGBA_NEAR(texel(5, 5), 255, 255, 255, 255, 0);
    EXPECT_RGBA_NEAR(texel(30, 30), 255, 255, 255, 255, 0);
    EXPECT_RGBA_NEAR(texel(34, 5), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(texel(63, 31), 0, 0, 255, 255, 0);
}

TEST_F(RenderTargetGlTest, DepthUsesA24BitTextureWhereTheDriverTakesIt)
{
    RenderTarget target(32, 16, RenderTarget::Colour | RenderTarget::Depth);
    ASSERT_NE(target.getDepthTexture(), nullptr);
    EXPECT_EQ(target.getDepthTexture()->getPixelType(), Orvane::Depth24);
    expectDepthAttachmentWorks(target);
}

TEST_F(RenderTargetGlTest, DepthOnlyTargetIsComplete)
{
    RenderTarget target(32, 32, RenderTarget::Depth);
    EXPECT_EQ(target.getColorTexture(), nullptr);
    // Drivers that follow EXT_framebuffer_object to the letter call a draw buffer without an
    // attachment incomplete.
    target.bind();
    GLint drawBuffer = -1;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_NONE);
    expectDepthAttachmentWorks(target);
}

TEST_F(RenderTargetGlTest, RefusedDepth24FallsBackToDepth16)
{
    for (GLenum refusal : {GLenum(GL_FRAMEBUFFER_UNSUPPORTED_EXT), GLenum(GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT)}) {
        SCOPED_TRACE(refusal);
        std::vector<int> asked;
        RenderTarget target(32, 32, RenderTarget::Colour | RenderTarget::Depth,
                            refusing({Orvane::Depth24}, refusal, &asked));
        EXPECT_EQ(asked, (std::vector<int>{Orvane::Depth24, Orvane::Depth16}));
        ASSERT_NE(target.getDepthTexture(), nullptr);
        EXPECT_EQ(target.getDepthTexture()->getPixelType(), Orvane::Depth16);
        expectDepthAttachmentWorks(target);
    }
}

TEST_F(RenderTargetGlTest, OtherStatusesDoNotTriggerTheFallback)
{
    RenderTarget target(32, 32, RenderTarget::Colour | RenderTarget::Depth,
                        refusing({Orvane::Depth24}, GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT));
    EXPECT_EQ(target.getDepthTexture()->getPixelType(), Orvane::Depth24);
}

TEST_F(RenderTargetGlTest, NoAcceptedDepthFormatThrowsAndLeavesTheWindowBound)
{
    std::vector<int> asked;
    try {
        RenderTarget target(32, 32, RenderTarget::Colour | RenderTarget::Depth,
                            refusing({Orvane::Depth24, Orvane::Depth16}, GL_FRAMEBUFFER_UNSUPPORTED_EXT, &asked));
        FAIL() << "nothing was thrown";
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        EXPECT_EQ(e.getMessage(), "Unable to find a valid framebuffer format");
    }
    EXPECT_EQ(asked, (std::vector<int>{Orvane::Depth24, Orvane::Depth16}));
    EXPECT_EQ(boundFramebuffer(), 0);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, Width, Height}));
}

TEST_F(RenderTargetGlTest, SetDepthTextureReportsOnlyRefusals)
{
    GLenum reported = GL_FRAMEBUFFER_COMPLETE_EXT;
    RenderTarget target(16, 16, RenderTarget::Colour, [&](const RenderTarget&) { return reported; });
    const GLenum cases[][2] = {
        {GL_FRAMEBUFFER_COMPLETE_EXT, true},
        {GL_FRAMEBUFFER_UNSUPPORTED_EXT, false},
        {GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT, false},
        {GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        reported = c[0];
        auto texture = std::make_unique<Texture>(16, 16, nullptr, Orvane::Depth16, Orvane::Linear);
        Texture* depth = texture.get();
        EXPECT_EQ(target.setDepthTexture(std::move(texture)), bool(c[1]));
        EXPECT_EQ(target.getDepthTexture(), depth);
    }
    reported = RenderTarget::driverStatus(target);
    EXPECT_EQ(reported, GLenum(GL_FRAMEBUFFER_COMPLETE_EXT));
    target.unbind();
}
