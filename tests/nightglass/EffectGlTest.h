#pragma once

#include "nightglass/Nightglass.h"
#include "support/GlTest.h"

#include <string>
#include <vector>

namespace Tavrin::Flow {
class VisualContainerNode;
}

namespace NightglassTest {

// A production demo set up as the run leaves it for the flow (built-ins, render targets, a sync
// camera), drawing into the test window, so an effect is built and drawn as in the demo and its
// picture read back.
class EffectGlTest : public TestSupport::GlTest {
protected:
    void SetUp() override;

    // The registry's effect for a flow element name; fails the test when none answers.
    Tavrin::Flow::VisualContainerNode& effect(const std::string& name);
    void setCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ,
                   float fovDegrees = 60.0f);
    // Clears the screen and evaluates the effect as the flow would in the next frame, at local time
    // t, with the demo at absolute time demoTime; returns the screen as RGBA bytes, bottom row
    // first. Consecutive calls are consecutive frames of one showing.
    std::vector<unsigned char> drawAt(Tavrin::Flow::VisualContainerNode& visual, float t, float demoTime,
                                      float frameDelta = 1.0f / 60.0f);

    // Mean of all channels but alpha over the screen, 0 to 255.
    static double meanBrightness(const std::vector<unsigned char>& rgba);
    // Share of pixels that differ from the first one by more than 8 in any channel.
    static double nonUniformShare(const std::vector<unsigned char>& rgba);

    Nightglass::Nightglass demo;
};

}
