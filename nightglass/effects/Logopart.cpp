#include "nightglass/effects/Logopart.h"
#include "nightglass/kit/ScreenFlash.h"
#include "nightglass/kit/SkyDome.h"

#include "orvane/Device.h"
#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/utils/Random.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

#include <algorithm>

namespace Nightglass {

Logopart::Logopart(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , dither_(owner)
    , smokeSprite_(owner->loadTexture("textures/smokejall.png"))
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , horizon_(owner->loadTexture("textures/horizon.jpg"))
    , logo_(owner->loadGeometry("objects/kavellogo.fgm"))
    , smokeMap_(owner->loadTexture("textures/smoke.jpg"))
    , smokeNormals_(owner->loadTexture("textures/smokenormals.jpg"))
    , logoShader_(owner->loadShader("shaders/kavellogo.cg"))
    , lines_(owner->loadTexture("textures/lines.png"))
    , quads_(owner, SmokeCount)
    , smokeLayer_(owner, *owner->renderTargets[0], 2)
{
    smoke.resize(SmokeCount);
    begin(0.0f);
    quads_.texture = smokeSprite_;
    demo->addHitTime(demo->rowsToSeconds(HitRow));
}

std::optional<float> Logopart::historyStart(float, float) const { return 0.0f; }

void Logopart::begin(float)
{
    random_.seed(1);
    for (SmokeRecord& record : smoke) {
        float r1 = random_.nextSigned(), r2 = random_.nextSigned(), r3 = random_.nextSigned();
        record.position = {SmokeExtent * r3, SmokeExtent * r2, SmokeExtent * r1};
        float r4 = random_.nextSigned(), r5 = random_.nextSigned(), r6 = random_.nextSigned();
        float r7 = random_.nextSigned();
        record.colour = {1 + 0.2f * r7, 1 + 0.2f * r6, 1 + 0.2f * r5, 0.5f + 0.5f * r4};
    }
    ditherLevel.reset();
}

void Logopart::advance(float)
{
    updateSmoke(demo->frameDelta);
    up_ = shakyUp(demo->spectrum[0]);
    ditherLevel.update(demo->frameDelta, demo->spectrum[0]);
}

Orvane::Vector4t<float> Logopart::respawnColour()
{
    float r1 = random_.nextSigned(), r2 = random_.nextSigned(), r3 = random_.nextSigned();
    float r4 = random_.nextSigned(), r5 = random_.nextSigned();
    float v = 0.4f * r1 + 0.5f;
    return {v + 0.1f * r5, v + 0.1f * r4, v + 0.1f * r3, 0.5f * r2 + 0.5f};
}

void Logopart::updateSmoke(float frameDelta)
{
    for (SmokeRecord& record : smoke) {
        record.position.z += SmokeRise * frameDelta;
        while (record.position.z > SmokeExtent) {
            record.position.z -= 2 * SmokeExtent;
            record.colour = respawnColour();
        }
    }
}

void Logopart::writeSmokeQuads()
{
    quads_.lock();
    for (int i = 0; i < SmokeCount; ++i) {
        const SmokeRecord& record = smoke[size_t(i)];
        quads_.setQuadPosition(i, record.position.x, record.position.y, record.position.z);
        quads_.setQuadSize(i, 17, 17);
        quads_.setQuadTexRect(i, 0, 0, 1, 1);
        quads_.setQuadColor(i, record.colour.x, record.colour.y, record.colour.z, record.colour.w);
    }
    quads_.sortByDistance(1);
    quads_.unlock();
}

Orvane::Vector3t<float> Logopart::shakyUp(float f0)
{
    float a = random_.nextSigned();
    float b = random_.nextSigned();
    return {0.1f * b * f0, 0.1f * a * f0, 1};
}

void Logopart::draw(float)
{
    writeSmokeQuads();
    drawScene(up_);
    drawGlowAndComposite();
    ditherLevel.apply(dither_, *demo->renderTargets[1], 1);

    flashScreen(*demo, 1, 1, 1, demo->beatEnvelope(demo->time, 0.15f, 0.32f));
}

void Logopart::drawScene(const Orvane::Vector3t<float>& up)
{
    using Orvane::Capability;
    demo->renderTargets[0]->bind();
    // The dome reaches only a little below the horizon; below it the ground stays dusk-dark
    // rather than a debugging red.
    Orvane::Device::current()->clear(Orvane::ClearTarget::ColorDepth, 0.045f, 0.03f, 0.06f, 0, 1, 0);
    disable(Capability::DepthTest);
    disable(Capability::Blend);

    identityWorld();
    const float white[4] = {1, 1, 1, 1};
    drawSkyDome(*demo, *sky_, *horizon_, white);
    identityWorld();
    enable(Capability::DepthTest);

    const auto& eye = demo->syncValues[0];
    const auto& target = demo->syncValues[1];
    lookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
    logoShader_->bind();
    logoShader_->updateState();
    logoShader_->getParameter("normalmap").setTexture(*smokeNormals_);
    logoShader_->getParameter("glossmap").setTexture(*smokeMap_);
    const float camPos[3] = {eye.x, eye.y, eye.z};
    logoShader_->getParameter("camPos").setFloat3(camPos);
    const float lightPos[3] = {-100, -100, eye.z};
    logoShader_->getParameter("lightPos").setFloat3(lightPos);
    logo_->draw();

    // The smoke is soft and deep: at half the resolution it looks the same for a quarter of the fill.
    demo->setCamera(1, 1, 1000);
    smokeLayer_.begin(ParticleLayer::Blending::Over);
    quads_.shader->bind();
    quads_.shader->updateState();
    quads_.shader->getParameter("texture").setTexture(*smokeSprite_);
    quads_.drawQuads();
    smokeLayer_.end();
    demo->renderTargets[0]->unbind();
}

void Logopart::drawGlowAndComposite()
{
    Orvane::RenderTarget& scene = *demo->renderTargets[0];
    Orvane::RenderTarget& composite = *demo->renderTargets[1];
    Orvane::RenderTarget& glow = *demo->renderTargets[2];
    Orvane::Shader& textured = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    const float white[4] = {1, 1, 1, 1};
    textured.getParameter("color").setFloat4(white);

    glow.bind();
    demo->drawFullscreenTexture(textured, *scene.getColorTexture());
    glow.unbind();
    demo->restoreScreenViewport();
    demo->blurTarget(glow, *demo->renderTargets[3], 1, 0.5f, 0);
    demo->blurTarget(glow, *demo->renderTargets[3], 1, 0, 0.5f);
    demo->restoreScreenViewport();

    composite.bind();
    demo->drawFullscreenTexture(textured, *scene.getColorTexture());
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::One, Orvane::BlendOperandEnum::One);
    demo->drawFullscreenTexture(textured, *glow.getColorTexture());
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    disable(Orvane::Capability::Blend);
    composite.unbind();
    demo->restoreScreenViewport();
}

}
