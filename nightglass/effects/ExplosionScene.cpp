#include "nightglass/effects/ExplosionScene.h"
#include "nightglass/kit/SkyDome.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <string>

namespace Nightglass {

using Orvane::BlendOperandEnum;
using Orvane::Capability;

namespace {

constexpr float BoundaryRows[ExplosionScene::CreditCount] = {704, 768, 832, 896};
constexpr float FadeStartRows[ExplosionScene::CreditCount] = {676, 740, 804, 868};

}

ExplosionScene::ExplosionScene(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , explosion(owner)
    , stars(owner)
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , horizon_(owner->loadTexture("textures/horizon.jpg"))
    , scene_(256, 256, Orvane::RenderTarget::Colour)
    , dither_(owner)
{
    horizon_->setWrap(Orvane::Clamp);
    demo->loadTexture("textures/lines.png");
    for (int k = 0; k < CreditCount; ++k)
        credits_[size_t(k)] = demo->loadTexture("overlays/credits" + std::to_string(k + 1) + ".png");
}

ExplosionScene::Credits ExplosionScene::creditsAt(float T) const
{
    for (int k = 0; k < CreditCount; ++k)
        if (T < demo->rowsToSeconds(BoundaryRows[k])) {
            float start = demo->rowsToSeconds(FadeStartRows[k]), end = demo->rowsToSeconds(BoundaryRows[k]);
            return {k, demo->cosineEase((T - start) / (end - start))};
        }
    return {-1, 0.0f};
}

int ExplosionScene::boundariesBefore(float T) const
{
    int passed = 0;
    for (float row : BoundaryRows)
        passed += T > demo->rowsToSeconds(row);
    return passed;
}

std::optional<float> ExplosionScene::historyStart(float, float) const { return 0.0f; }

// Each start of the fire draws from a seed of its own: the first at the start of the showing,
// one more after each boundary.
void ExplosionScene::begin(float)
{
    previousTime_ = demo->time;
    explosion.restart(unsigned(1 + boundariesBefore(demo->time)));
    ditherLevel.reset();
}

void ExplosionScene::advance(float x)
{
    const float T = demo->time;
    int passed = boundariesBefore(T);
    if (passed > boundariesBefore(previousTime_))
        explosion.restart(unsigned(1 + passed));
    previousTime_ = T;
    std::optional<float> target = demo->prerollTarget();
    if (!target || passed == boundariesBefore(*target))
        explosion.update(demo->frameDelta, x);
    ditherLevel.update(demo->frameDelta, demo->spectrum[0]);
}

void ExplosionScene::drawScene(float x)
{
    stars.update(x);
    scene_.bind();
    setDepthMask(false);
    Orvane::Device::current()->clear(Orvane::ClearTarget::ColorDepth, 0, 0, 0, 0, 1, 0);
    const float white[4] = {1, 1, 1, 1};
    drawSkyDome(*demo, *sky_, *horizon_, white);

    enable(Capability::DepthTest);
    demo->setCamera(1, 1, 1000);
    explosion.draw(x);

    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    demo->setCamera(1, 1, 10000);
    stars.drawStars();
    disable(Capability::Blend);
    // The sky and the fire draw without depth writes; the effects after this one expect them on.
    setDepthMask(true);
    scene_.unbind();
}

void ExplosionScene::composite()
{
    Orvane::Shader& copy = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    const float white[4] = {1, 1, 1, 1};
    copy.getParameter("color").setFloat4(white);
    Orvane::RenderTarget& glow = *demo->renderTargets[2];
    glow.bind();
    demo->drawFullscreenTexture(copy, *scene_.getColorTexture());
    glow.unbind();
    demo->restoreScreenViewport();
    demo->blurTarget(glow, *demo->renderTargets[3], 2, 0.5f, 0);
    demo->blurTarget(glow, *demo->renderTargets[3], 2, 0, 0.5f);

    Orvane::RenderTarget& picture = *demo->renderTargets[4];
    picture.bind();
    demo->drawFullscreenTexture(copy, *scene_.getColorTexture());
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::One, BlendOperandEnum::One);
    // At full strength the glow burns the fire ball out to one flat disc.
    const float glowStrength[4] = {0.45f, 0.4f, 0.38f, 1};
    copy.getParameter("color").setFloat4(glowStrength);
    demo->drawFullscreenTexture(copy, *glow.getColorTexture());
    copy.getParameter("color").setFloat4(white);
    disable(Capability::Blend);
    picture.unbind();
    demo->restoreScreenViewport();
}

void ExplosionScene::draw(float x)
{
    const float T = demo->time;
    drawScene(x);
    composite();
    demo->restoreScreenViewport();

    Orvane::RenderTarget& picture = *demo->renderTargets[4];
    Credits credits = creditsAt(T);
    if (credits.window < 0) {
        ditherLevel.apply(dither_, picture, 1.0f);
        disable(Capability::Blend);
        return;
    }
    ditherLevel.apply(dither_, picture, 1.0f + 10.0f * credits.fade);
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    demo->drawFullscreenColor({0, 0, 0, credits.fade});
    demo->drawFullscreenTextureAlpha(*credits_[size_t(credits.window)], credits.fade);
    disable(Capability::Blend);
}

}
