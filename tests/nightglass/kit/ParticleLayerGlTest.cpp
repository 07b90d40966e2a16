#include "../EffectGlTest.h"
#include "nightglass/kit/ParticleLayer.h"
#include "orvane/RenderTarget.h"
#include "orvane/State.h"

#include <cstdlib>
#include <memory>

using Nightglass::ParticleLayer;

namespace {

class ParticleLayerGlTest : public NightglassTest::EffectGlTest {
protected:
    static constexpr int Size = 64;

    void SetUp() override
    {
        EffectGlTest::SetUp();
        scene = std::make_unique<Orvane::RenderTarget>(Size, Size,
                                                       Orvane::RenderTarget::Colour | Orvane::RenderTarget::Depth);
    }

    // A blue scene, far away, with a green wall in front over its left half.
    void renderScene()
    {
        scene->bind();
        glClearColor(0, 0, 1, 1);
        glClearDepth(1);
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        useFixedFunction();
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        quad(-1, 0, -0.5f, 0, 1, 0, 1);
        scene->unbind();
    }

    // A quad from x0 to x1 over the whole height at depth z (-1 near, 1 far).
    static void quad(float x0, float x1, float z, float r, float g, float b, float a)
    {
        glColor4f(r, g, b, a);
        glBegin(GL_QUADS);
        glVertex3f(x0, -1, z);
        glVertex3f(x1, -1, z);
        glVertex3f(x1, 1, z);
        glVertex3f(x0, 1, z);
        glEnd();
    }

    // Half-transparent red over the whole screen, behind the wall and in front of the sky.
    std::vector<unsigned char> drawRedThrough(ParticleLayer::Blending blending)
    {
        renderScene();
        ParticleLayer layer(&demo, *scene, 4);
        layer.begin(blending);
        useFixedFunction();
        glEnable(GL_DEPTH_TEST);  // as the layer left it
        quad(-1, 1, 0, 1, 0, 0, 0.5f);
        layer.end();
        std::vector<unsigned char> pixels(size_t(Size) * Size * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, Size, Size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        scene->unbind();
        return pixels;
    }

    static void expectPixel(const std::vector<unsigned char>& rgba, int x, int r, int g, int b, int a)
    {
        const unsigned char* p = &rgba[size_t(Size / 2 * Size + x) * 4];
        EXPECT_LE(std::abs(p[0] - r), 2) << "red at x " << x;
        EXPECT_LE(std::abs(p[1] - g), 2) << "green at x " << x;
        EXPECT_LE(std::abs(p[2] - b), 2) << "blue at x " << x;
        EXPECT_LE(std::abs(p[3] - a), 2) << "alpha at x " << x;
    }

    std::unique_ptr<Orvane::RenderTarget> scene;
};

}

TEST_F(ParticleLayerGlTest, ParticlesBlendOverWhatIsBehindAndHideBehindWhatIsInFront)
{
    std::vector<unsigned char> over = drawRedThrough(ParticleLayer::Blending::Over);
    // The scene's alpha is multiplied by what shows through.
    expectPixel(over, 8, 0, 255, 0, 255);
    expectPixel(over, 56, 128, 0, 127, 128);

    std::vector<unsigned char> added = drawRedThrough(ParticleLayer::Blending::Add);
    expectPixel(added, 8, 0, 255, 0, 255);
    expectPixel(added, 56, 128, 0, 255, 255);
}
