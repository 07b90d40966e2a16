#include "nightglass/kit/GlowDither.h"

#include "orvane/RenderTarget.h"
#include "orvane/State.h"
#include "tavrin/Demo.h"

#include <GL/gl.h>

namespace Nightglass {

using Orvane::State;

GlowDither::GlowDither(Tavrin::Demo* demo, float k, float d)
    : dither(demo)
    , level(k, d)
    , demo_(demo)
{}

void GlowDither::begin(float r, float g, float b)
{
    demo_->renderTargets[0]->bind();
    State::setDepthMask(true);
    glClearColor(r, g, b, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlowDither::end(float glow, float gamma)
{
    Orvane::RenderTarget& scene = *demo_->renderTargets[0];
    Orvane::RenderTarget& bloom = *demo_->renderTargets[4];
    scene.unbind();
    State::disable(Orvane::Capability::Blend);
    State::disable(Orvane::Capability::DepthTest);
    State::setDepthMask(true);
    demo_->copyTarget(scene, bloom);
    demo_->blurTarget(bloom, *demo_->renderTargets[5], 2, 1, 1);
    demo_->restoreScreenViewport();
    level.apply(dither, scene, gamma);
    State::enable(Orvane::Capability::Blend);
    State::setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::One);
    demo_->drawFullscreenTextureAlpha(*bloom.getColorTexture(), glow);
    State::disable(Orvane::Capability::Blend);
}

}
