#pragma once

#include "nightglass/kit/ParticleLayer.h"
#include "nightglass/kit/Particles.h"
#include "orvane/RenderEnums.h"

namespace Nightglass {

// Draws quads that were already filled and sorted (so the filling can be timed and done apart
// from the drawing), blended as source alpha over destination: OneMinusSrcAlpha for smoke and
// clouds, One for light. Depth is tested but not written; writes are back on afterwards.
void drawPreparedParticles(Particles& particles, Orvane::BlendOperandEnum destination);
// The same quads into a particle layer between its begin and end, which holds the depth state.
void drawPreparedParticles(Particles& particles, ParticleLayer& layer, ParticleLayer::Blending blending);

}
