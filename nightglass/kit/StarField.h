#pragma once

#include "nightglass/kit/Particles.h"

namespace Nightglass {

// A thousand soft dots around the origin, each swaying about a fixed base point with speeds of
// its own. The field is a function of time alone, so it looks the same whatever ran before.
class StarField : public Particles {
public:
    static constexpr int StarCount = 1000;

    explicit StarField(Tavrin::Demo* demo);

    // Moves the stars to where they are at local time x and sorts them for the camera.
    void update(float x);
    // Bound with the field's texture, alpha-blended; depth and blend state are the caller's.
    void drawStars();
};

}
