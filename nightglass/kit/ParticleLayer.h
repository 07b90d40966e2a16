#pragma once

#include "orvane/Forward.h"
#include "tavrin/Visual.h"

#include <memory>

namespace Nightglass {

// Translucent particles drawn at a fraction of the picture's resolution into a layer of their
// own, then laid over the scene with a bilinear upsample: soft puffs look the same at half or
// quarter resolution for a quarter or a sixteenth of the fill. The layer keeps what the
// particles add in its colour and how much of the scene still shows through in its alpha, so
// batches blended over and added in any order give what they would straight in the scene; it
// takes one depth texel of each block of the scene, so the puffs stay behind whatever stands in
// front of them.
class ParticleLayer : public Tavrin::Visual {
public:
    // How the particles blend, as they would straight into the scene.
    enum class Blending { Over, Add };

    // A layer 1 / divisor the size of scene, which must hold a depth texture.
    ParticleLayer(Tavrin::Demo* demo, Orvane::RenderTarget& scene, int divisor);
    ~ParticleLayer();

    // Binds the layer with the scene's depth and nothing added yet, depth test on and depth
    // writes off, and the blending set for the particles that follow.
    void begin(Blending blending);
    // The blending of the next batch of particles.
    void setBlending(Blending blending);
    // Binds the scene again and lays the layer over it, over its whole size; leaves depth test
    // and writes on and blending off.
    void end();

private:
    Orvane::RenderTarget& scene_;
    std::unique_ptr<Orvane::RenderTarget> layer_;
    Orvane::Shader* start_;
    Orvane::Shader* over_;
};

}
