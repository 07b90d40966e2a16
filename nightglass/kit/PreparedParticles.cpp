#include "nightglass/kit/PreparedParticles.h"

#include "orvane/Shader.h"
#include "orvane/State.h"

namespace Nightglass {

using Orvane::State;

namespace {

void bindAndDraw(Particles& particles)
{
    particles.shader->bind();
    particles.shader->updateState();
    if (particles.texture)
        particles.shader->getParameter("texture").setTexture(*particles.texture);
    particles.drawQuads();
}

}

void drawPreparedParticles(Particles& particles, Orvane::BlendOperandEnum destination)
{
    State::setDepthMask(false);
    State::enable(Orvane::Capability::Blend);
    State::setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, destination);
    bindAndDraw(particles);
    State::disable(Orvane::Capability::Blend);
    State::setDepthMask(true);
}

void drawPreparedParticles(Particles& particles, ParticleLayer& layer, ParticleLayer::Blending blending)
{
    layer.setBlending(blending);
    bindAndDraw(particles);
}

}
