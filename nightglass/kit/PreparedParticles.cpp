#include "nightglass/kit/PreparedParticles.h"

#include "orvane/Shader.h"
#include "orvane/State.h"

namespace Nightglass {

using Orvane::State;

void drawPreparedParticles(Particles& particles, Orvane::BlendOperandEnum destination)
{
    particles.shader->bind();
    particles.shader->updateState();
    if (particles.texture)
        particles.shader->getParameter("texture").setTexture(*particles.texture);
    State::setDepthMask(false);
    State::enable(Orvane::Capability::Blend);
    State::setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, destination);
    particles.drawQuads();
    State::disable(Orvane::Capability::Blend);
    State::setDepthMask(true);
}

}
