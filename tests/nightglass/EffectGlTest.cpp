#include "EffectGlTest.h"

#include "orvane/State.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <tinyxml2.h>

#include <cstdlib>

namespace NightglassTest {

void EffectGlTest::SetUp()
{
    GlTest::SetUp();
    if (IsSkipped())
        return;
    demo.width = Width;
    demo.height = Height;
    demo.viewportY = 0;
    demo.viewportHeight = Height;
    // The test window is square; an undistorted picture keeps positions predictable.
    demo.aspect = float(Width) / float(Height);
    demo.loadBuiltins();
    demo.createRenderTargets();
    setCamera(0, -200, 40, 0, 0, 40);
}

Tavrin::Flow::VisualContainerNode& EffectGlTest::effect(const std::string& name)
{
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* element = document.NewElement(name.c_str());
    auto* visual = dynamic_cast<Tavrin::Flow::VisualContainerNode*>(demo.createVisual(*element));
    if (!visual)
        throw std::runtime_error("no effect answers to \"" + name + "\"");
    return *visual;
}

void EffectGlTest::setCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ,
                             float fovDegrees)
{
    demo.syncValues[0] = {eyeX, eyeY, eyeZ, 0};
    demo.syncValues[1] = {targetX, targetY, targetZ, 0};
    demo.syncValues[2] = {0, 0, 1, 0};
    demo.syncValues[3] = {fovDegrees, 0, 0, 0};
}

std::vector<unsigned char> EffectGlTest::drawAt(Tavrin::Flow::VisualContainerNode& visual, float t, float demoTime,
                                                float frameDelta)
{
    demo.time = demoTime;
    demo.frameDelta = frameDelta;
    Orvane::State::resetMatrices();
    demo.restoreScreenViewport();
    device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
    demo.countFrame();
    visual.evaluate(t);
    return readPixels(0, 0, Width, Height);
}

double EffectGlTest::meanBrightness(const std::vector<unsigned char>& rgba)
{
    double sum = 0;
    for (size_t i = 0; i < rgba.size(); i += 4)
        sum += rgba[i] + rgba[i + 1] + rgba[i + 2];
    return sum / (double(rgba.size()) / 4 * 3);
}

double EffectGlTest::nonUniformShare(const std::vector<unsigned char>& rgba)
{
    size_t differing = 0;
    for (size_t i = 0; i < rgba.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            if (std::abs(int(rgba[i + size_t(c)]) - int(rgba[size_t(c)])) > 8) {
                ++differing;
                break;
            }
    return double(differing) / (double(rgba.size()) / 4);
}

}
