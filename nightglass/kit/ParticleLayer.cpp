#include "nightglass/kit/ParticleLayer.h"

#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "tavrin/Demo.h"

#include <algorithm>

namespace Nightglass {

using Orvane::BlendOperandEnum;
using Orvane::Capability;

ParticleLayer::ParticleLayer(Tavrin::Demo* owner, Orvane::RenderTarget& scene, int divisor)
    : Visual(owner)
    , scene_(scene)
    , layer_(std::make_unique<Orvane::RenderTarget>(std::max(1, scene.getWidth() / divisor),
                                                    std::max(1, scene.getHeight() / divisor),
                                                    Orvane::RenderTarget::Colour | Orvane::RenderTarget::Depth))
    , start_(owner->loadShader("shaders/layer_start.cg"))
    , over_(owner->loadShader("shaders/layer_over.cg"))
{}

ParticleLayer::~ParticleLayer() = default;

void ParticleLayer::begin(Blending blending)
{
    layer_->bind();
    pushAll();
    resetMatrices();
    disable(Capability::Blend);
    enable(Capability::DepthTest);
    setDepthFunc(Orvane::CompareFuncEnum::Always);
    setDepthMask(true);
    start_->bind();
    start_->getParameter("depth").setTexture(*scene_.getDepthTexture());
    // One texel of each block, at its centre: an average of depths would float between a
    // foreground edge and what lies behind it.
    const float texel[2] = {0.5f / float(scene_.getWidth()), 0.5f / float(scene_.getHeight())};
    start_->getParameter("halfTexel").setFloat2(texel);
    start_->updateState();
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    popAll();
    setDepthFunc(Orvane::CompareFuncEnum::Less);
    setDepthMask(false);
    enable(Capability::Blend);
    setBlending(blending);
}

void ParticleLayer::setBlending(Blending blending)
{
    if (blending == Blending::Over)
        setBlendFuncSeparate(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha, BlendOperandEnum::Zero,
                             BlendOperandEnum::OneMinusSrcAlpha);
    else
        setBlendFuncSeparate(BlendOperandEnum::SrcAlpha, BlendOperandEnum::One, BlendOperandEnum::Zero,
                             BlendOperandEnum::One);
}

void ParticleLayer::end()
{
    scene_.bind();
    pushAll();
    resetMatrices();
    disable(Capability::DepthTest);
    // What the particles added, over the scene as much of it as still shows through. The
    // scene's alpha (which the glow of some effects weighs by) is multiplied by the same: what
    // many faint puffs blended straight in would leave; one dense puff would leave a little more.
    setBlendFuncSeparate(BlendOperandEnum::One, BlendOperandEnum::SrcAlpha, BlendOperandEnum::Zero,
                         BlendOperandEnum::SrcAlpha);
    over_->bind();
    over_->getParameter("texture").setTexture(*layer_->getColorTexture());
    over_->updateState();
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    popAll();
    disable(Capability::Blend);
    enable(Capability::DepthTest);
    setDepthMask(true);
}

}
