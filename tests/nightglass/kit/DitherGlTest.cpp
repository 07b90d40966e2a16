#include "../EffectGlTest.h"
#include "nightglass/kit/Dither.h"
#include "orvane/RenderTarget.h"
#include "orvane/State.h"

#include <cmath>

using Orvane::State;

namespace {

class DitherGlTest : public NightglassTest::EffectGlTest {
protected:
    // A scene of a dark-to-bright ramp across the screen target.
    Orvane::RenderTarget& renderRamp()
    {
        Orvane::RenderTarget& scene = *demo.renderTargets[0];
        scene.bind();
        useFixedFunction();
        glBegin(GL_QUADS);
        glColor3f(0, 0, 0.1f);
        glVertex2f(-1, -1);
        glColor3f(1, 0.8f, 0.6f);
        glVertex2f(1, -1);
        glVertex2f(1, 1);
        glColor3f(0, 0, 0.1f);
        glVertex2f(-1, 1);
        glEnd();
        scene.unbind();
        return scene;
    }
};

}

TEST_F(DitherGlTest, SilenceShowsTheSceneAndEveryLevelAPicture)
{
    Nightglass::Dither dither(&demo);
    Orvane::RenderTarget& scene = renderRamp();
    scene.bind();
    std::vector<unsigned char> plain(size_t(Width) * Height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, plain.data());
    scene.unbind();

    // A letterboxed screen: apply must leave its viewport and identity matrices.
    demo.viewportY = 32;
    demo.viewportHeight = Height - 64;
    glViewport(0, 0, 128, 128);
    State::translateWorld(5, 0, 0);
    Nightglass::DitherLevel silent(0.9f, 0.9f);
    silent.update(0.5f, 0.0f);
    silent.apply(dither, scene, 1.0f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[1], 32);
    EXPECT_EQ(viewport[2], Width);
    EXPECT_EQ(viewport[3], Height - 64);
    EXPECT_EQ(State::matrices().world, Orvane::Matrix4());

    // At level 0 the screen shows the scene as it is: compare a column of the ramp.
    demo.viewportY = 0;
    demo.viewportHeight = Height;
    demo.restoreScreenViewport();
    silent.apply(dither, scene, 1.0f);
    for (int x = 0; x < Width; x += 17) {
        SCOPED_TRACE(x);
        const unsigned char* expected = &plain[size_t(Height / 2 * Width + x) * 4];
        EXPECT_RGBA_NEAR(pixelAt(x, Height / 2), expected[0], expected[1], expected[2], 255, 2);
    }

    // Loud music gives the pattern look: visibly patterned, yet as bright overall as the scene.
    Nightglass::DitherLevel loud(0.9f, 0.9f);
    loud.update(0.5f, 0.36f);
    EXPECT_GT(loud.value(), 0.3f);
    loud.apply(dither, scene, 1.0f);
    std::vector<unsigned char> patterned = readPixels(0, 0, Width, Height);
    EXPECT_NEAR(meanBrightness(patterned), meanBrightness(plain), 0.35 * meanBrightness(plain));
    int changes = 0;
    for (int x = 1; x < Width; ++x)
        changes += std::abs(int(pixelAt(x, Height / 2)[1]) - int(pixelAt(x - 1, Height / 2)[1])) > 30;
    EXPECT_GT(changes, 10) << "no dither pattern along a row";
}
