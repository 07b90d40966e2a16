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
// A particle lives at most 3 s, so replaying that much rebuilds the fire after a jump in time.
constexpr float ReplaySeconds = 3.0f;
constexpr float ReplayStep = 1.0f / 60.0f;
// Longer pauses between frames than this are a seek or a still capture, not a slow frame.
constexpr float LargestFrameGap = 0.25f;

}

std::array<bool, ExplosionScene::CreditCount> ExplosionScene::restarted{};
DitherLevel ExplosionScene::ditherLevel(0.6f, 0.9f);

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

int ExplosionScene::restartPassedBoundaries(float T)
{
    int restarts = 0;
    for (int k = 0; k < CreditCount; ++k)
        if (!restarted[size_t(k)] && T > demo->rowsToSeconds(BoundaryRows[k])) {
            restarted[size_t(k)] = true;
            explosion.restart();
            ++restarts;
        }
    return restarts;
}

void ExplosionScene::replayMissedFrames(float x)
{
    const float T = demo->time;
    const float from = std::max(lastDrawn_, x - ReplaySeconds);
    lastDrawn_ = x;
    if (x - from <= LargestFrameGap)
        return;
    // The simulation reads the demo's clock for its winds and damping: run it as those frames would have.
    for (float xi = from; xi < x - ReplayStep * 0.5f; xi += ReplayStep) {
        demo->time = T - (x - xi);
        restartPassedBoundaries(demo->time);
        explosion.update(ReplayStep, xi);
    }
    demo->time = T;
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
    replayMissedFrames(x);
    restartPassedBoundaries(T);
    drawScene(x);
    composite();
    ditherLevel.update(demo->frameDelta, demo->spectrum[0]);
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
