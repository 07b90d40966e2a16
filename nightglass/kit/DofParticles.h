#pragma once

#include "nightglass/kit/Particles.h"

#include <memory>

namespace Nightglass {

// Particles with depth of field: the shader picks one of eight ever softer discs of the cell strip
// by the particle's distance from the focal plane.
class DofParticles : public Particles {
public:
    DofParticles(Tavrin::Demo* demo, int count);

private:
    Orvane::Texture* cellStrip_;
};

}
