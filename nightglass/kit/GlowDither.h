#pragma once

#include "nightglass/kit/Dither.h"
#include "tavrin/Demo.h"

namespace Nightglass {

// The finish shared by effects that render their scene off screen: the scene goes into render
// target 0, a blurred copy in the 256 x 256 targets becomes the glow, and the screen gets the
// dithered scene with the glow added on top.
class GlowDither {
public:
    // k and d drive the music-smoothed dither level (see DitherLevel).
    GlowDither(Tavrin::Demo* demo, float k, float d);

    // Binds target 0 and clears it to the colour, with depth.
    void begin(float r, float g, float b);
    // Back to the screen: the dithered scene, plus glow times its blurred copy.
    void end(float glow, float gamma);
    // One frame of the music level, for the owner's advance; reset for its begin.
    void advance() { level.update(demo_->frameDelta, demo_->spectrum[0]); }
    void reset() { level.reset(); }

    Dither dither;
    DitherLevel level;

private:
    Tavrin::Demo* demo_;
};

}
