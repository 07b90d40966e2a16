#include "nightglass/effects/Mars.h"

#include "nightglass/kit/FarSideCulling.h"
#include "orvane/Device.h"
#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/Scene.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Nightglass {

namespace {

using Orvane::BlendOperandEnum;
using Orvane::Capability;
using SceneNode = Orvane::Utils::SceneGraph::Node;
using Orvane::Utils::SceneGraph::Scene;

constexpr float SceneSpeed = 0.7f * 0.81f;
constexpr int GlowSize = 128;
constexpr float SphereTint[4] = {1.5f, 1.5f, 1.5f, 1};

const SceneNode& requireNode(const Scene& scene, const std::string& name, const std::string& path)
{
    const SceneNode* node = scene.findByName(name);
    if (!node)
        throw Orvane::Exceptions::Exception(path + ": the scene has no node \"" + name
                                            + "\", which the sphere scene moves");
    return *node;
}

}

void MarsSmoke::scatter(Puff& puff, const Orvane::Vector3& at, float spread, float offset)
{
    float r1 = random_.nextSigned(), r2 = random_.nextSigned(), r3 = random_.nextSigned();
    puff.position = {at.x + spread * r3 - offset, at.y + spread * r2 - offset, at.z + spread * r1 - offset};
}

void MarsSmoke::tint(Puff& puff, float red, float greenBlue, float alpha)
{
    float r4 = random_.nextSigned(), r5 = random_.nextSigned(), r6 = random_.nextSigned();
    float r7 = random_.nextSigned();
    puff.color[0] = 0.05f * r7 + red;
    puff.color[1] = 0.05f * r6 + greenBlue;
    puff.color[2] = 0.05f * r5 + greenBlue;
    puff.color[3] = 0.2f * r4 + alpha;
}

void MarsSmoke::emitStep(const std::array<Orvane::Vector3, Emitters>& emitters)
{
    Puff& marker = puffs[size_t(next)];
    scatter(marker, emitters[0], 6.55f, 3.0f);
    tint(marker, 0.9f, 0.9f, 0.9f);
    marker.size = 2.5f * random_.nextSigned() + 18.0f;
    marker.big = 1;
    for (int s = 1; s < Emitters; ++s) {
        next = (next + 1) % Capacity;
        Puff& puff = puffs[size_t(next)];
        scatter(puff, emitters[size_t(s)], 0.55f, 0.25f);
        tint(puff, 0.9f, 0.6f, 0.6f);
        puff.size = 0.5f * random_.nextSigned() + 4.0f;
        puff.big = 0;
        if (random_.nextSigned() > 0.9f) {
            // A spark: a pale fleck that carries no smoke.
            float r = random_.nextSigned();
            puff.color[0] = 0.9f;
            puff.color[1] = 0.9f;
            puff.color[2] = 0.1f * r + 0.8f;
            puff.color[3] = 0;
            puff.size = 1;
        }
    }
    next = (next + 1) % Capacity;
}

void MarsSmoke::drift(Puff& puff, float dt, float t) const
{
    constexpr float Fade = 1.5f;
    puff.color[0] -= 0.8f * Fade * dt;
    puff.color[1] -= 0.9f * Fade * dt;
    puff.color[2] -= 0.97f * Fade * dt;
    puff.color[3] -= 0.4f * dt;
    Orvane::Vector3& p = puff.position;
    p.z += 60.0f * dt;
    p.x += std::sin(p.y + t) * 10.0f * dt;
    p.y += std::sin(0.6f * p.x + t) * 10.0f * dt;
    puff.size += puff.big ? -t * dt : dt;
}

bool MarsSmoke::update(float dt, float t, const std::array<Orvane::Vector3, Emitters>& emitters)
{
    // After a long stall, steps beyond one ring's worth would only overwrite each other (and
    // once the float sum is large enough, subtracting a step no longer changes it).
    constexpr float CatchUpLimit = StepSeconds * (Capacity / (Emitters - 1) + 1);
    pending = std::min(pending + dt, CatchUpLimit);
    if (pending <= StepSeconds)
        return false;
    random_.seed(1);
    do {
        emitStep(emitters);
        pending -= StepSeconds;
    } while (pending > StepSeconds);
    for (Puff& puff : puffs)
        drift(puff, dt, t);
    return true;
}

void MarsSmoke::clear()
{
    std::fill(puffs.begin(), puffs.end(), Puff{});
    next = 0;
    pending = 0;
}

void MarsSmoke::writeQuads(Particles& quads, float aspect) const
{
    for (int j = 0; j < Capacity; ++j) {
        const Puff& puff = puffs[size_t(j)];
        // Marker puffs keep shrinking past nothing; a negative size would turn the quad inside out.
        float size = std::max(puff.size, 0.0f);
        quads.setQuadPosition(j, puff.position.x, puff.position.y, puff.position.z);
        quads.setQuadColor(j, puff.color[0], puff.color[1], puff.color[2], puff.color[3]);
        quads.setQuadSize(j, size, size * aspect);
        quads.setQuadTexRect(j, 0, 0, 1, 1);
    }
}

Mars::Mars(Tavrin::Demo* owner)
    : Mars(owner, "scenes/mars9.fsg")
{}

Mars::Mars(Tavrin::Demo* owner, const std::string& sceneName)
    : VisualContainerNode(owner)
    , screen_(owner->renderTargets[0])
    , glowA_(std::make_unique<Orvane::RenderTarget>(GlowSize, GlowSize, Orvane::RenderTarget::Colour))
    , glowB_(std::make_unique<Orvane::RenderTarget>(GlowSize, GlowSize, Orvane::RenderTarget::Colour))
    , skyMesh_(owner->loadGeometry("objects/skydome.fgm"))
    , horizon_(owner->loadTexture("textures/horizon.jpg"))
    , scene_(owner->loadScene(sceneName, [owner](const std::string& name) { return owner->loadTexture(name); }))
    , planetShader_(owner->loadShader("shaders/mars.cg"))
    , bumpShader_(owner->loadShader("shaders/bumpenv.cg"))
    , filterShader_(owner->loadShader("shaders/bwfilter.cg"))
    , colourMap_(owner->loadTexture("textures/lolmap2.jpg"))
    , normalMap_(owner->loadTexture("textures/lolbump.jpg"))
    , glossMap_(owner->loadTexture("textures/lolgloss.jpg"))
    , lines_(owner->loadTexture("textures/lines.png"))
    , puffTexture_(owner->loadTexture("textures/explosion1.png"))
    , dither_(owner)
    , smokeQuads_(owner, MarsSmoke::Capacity)
    , smokeLayer_(owner, *screen_, 4)
{
    smokeQuads_.shader = demo->loadShader("shaders/mars_smoke.cg");
    smokeQuads_.cullTransparent = true;
    const std::string scenePath = demo->dataFolder + sceneName;
    // Kept in the cache for the effects that share them.
    demo->loadTexture("textures/dott.png");
    demo->loadTexture("textures/box01lightingmap.jpg");
    demo->loadTexture("textures/sands.jpg");
    for (int i = 0; i < SphereCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "GeoSphere%02d", i + 1);
        spheres_[size_t(i)] = &requireNode(*scene_, name, scenePath);
    }
    marker_ = &requireNode(*scene_, "Dummy01", scenePath);
    box1_ = &requireNode(*scene_, "Box01", scenePath);
    box2_ = &requireNode(*scene_, "Box02", scenePath);
}

Mars::~Mars() = default;

float Mars::flash(float t) const { return demo->envelope(t, 2.85f, 0.05f, 0.2f, 2.0f); }

float Mars::openingDitherLevel(float demoTime) const
{
    return 1.0f - demo->cosineEase(demoTime / demo->rowsToSeconds(512));
}

void Mars::draw(float t)
{
    demo->setCamera(1, 1, 1000);
    smokeQuads_.lock();
    smoke.writeQuads(smokeQuads_, demo->aspect);
    smokeQuads_.sortByDistance(1);
    smokeQuads_.unlock();
    renderScene();
    filter();
    glow();
    composite(t);
    finish();
}

void Mars::gatherEmitters()
{
    emitters_[0] = marker_->getWorldPosition();
    for (int i = 0; i < SphereCount; ++i)
        emitters_[size_t(i) + 1] = spheres_[size_t(i)]->getWorldPosition();
}

std::optional<float> Mars::historyStart(float, float) const { return 0.0f; }

void Mars::begin(float)
{
    smoke.clear();
    ditherLevel.reset();
}

void Mars::advance(float t)
{
    scene_->update(t * SceneSpeed);
    gatherEmitters();
    smoke.update(demo->frameDelta, t, emitters_);
    ditherLevel.update(demo->frameDelta, demo->spectrum[0]);
    if (demo->time < 40.0f)
        ditherLevel.set(openingDitherLevel(demo->time));
}

void Mars::renderScene()
{
    screen_->bind();
    Orvane::Device::current()->clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1, 0);
    drawSky();

    enable(Capability::DepthTest);
    demo->setCamera(1, 1, 1000);
    perspective(demo->syncValues[3].x, demo->aspect, 1, 10000);
    for (Orvane::Shader* shader : {planetShader_, bumpShader_}) {
        shader->bind();
        shader->getParameter("texture").setTexture(*colourMap_);
        shader->getParameter("normalmap").setTexture(*normalMap_);
        shader->getParameter("glossmap").setTexture(*glossMap_);
        // The bump shader tints by "color" (left unset it would draw the spheres black); a
        // little over white keeps the dark rock of the spheres apart from the ground.
        shader->getParameter("color").setFloat4(SphereTint);
        if (shader == planetShader_) {
            drawNode(*box1_, *shader);
            drawNode(*box2_, *shader);
        } else {
            FarSideCulling closedSpheres(FarSideCulling::OutsideWinding::CounterClockwise);
            for (const SceneNode* sphere : spheres_)
                drawNode(*sphere, *shader);
        }
    }
    drawSmoke();
    demo->restoreScreenViewport();
}

void Mars::drawSky()
{
    identityWorld();
    demo->setSkyCamera();
    disable(Capability::DepthTest);
    perspective(demo->syncValues[3].x, demo->aspect, 1, 100000);
    Orvane::Shader& shader = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    shader.bind();
    shader.getParameter("texture").setTexture(*horizon_);
    shader.updateState();
    skyMesh_->draw();
}

void Mars::drawNode(const SceneNode& node, Orvane::Shader& shader)
{
    setWorld(node.getWorldMatrix());
    shader.updateState();
    for (const auto& instance : node.meshInstances())
        if (instance.mesh)
            instance.mesh->draw();
}

// The puffs are soft and thousands deep: at a quarter of the resolution they look the same for
// a sixteenth of the fill.
void Mars::drawSmoke()
{
    smokeLayer_.begin(ParticleLayer::Blending::Over);
    identityWorld();
    Orvane::Shader& shader = *smokeQuads_.shader;
    shader.bind();
    shader.getParameter("texture").setTexture(*puffTexture_);
    shader.updateState();
    smokeQuads_.drawQuads();
    smokeLayer_.end();
    screen_->unbind();
    setDepthFunc(Orvane::CompareFuncEnum::Less);
}

void Mars::filter()
{
    Orvane::RenderTarget& picture = *demo->renderTargets[1];
    picture.bind();
    resetMatrices();
    disable(Capability::DepthTest);
    filterShader_->bind();
    filterShader_->getParameter("texture").setTexture(*screen_->getColorTexture());
    filterShader_->updateState();
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    picture.unbind();
    demo->restoreScreenViewport();
}

// The glow is taken from the filtered picture, so the bloom stays as black and white as the
// picture it lights: taken from the scene's colours, it tinted the whole frame.
void Mars::glow()
{
    glowA_->bind();
    demo->drawFullscreenTexture(demo->builtinShader(Tavrin::BuiltinShader::TextureColor),
                                *demo->renderTargets[1]->getColorTexture());
    glowA_->unbind();
    demo->restoreScreenViewport();
    demo->blurTarget(*glowA_, *glowB_, 1, 0.5f, 0);
    demo->blurTarget(*glowA_, *glowB_, 1, 0, 0.5f);
}

void Mars::composite(float t)
{
    Orvane::RenderTarget& picture = *demo->renderTargets[1];
    picture.bind();
    resetMatrices();
    disable(Capability::DepthTest);
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::One, BlendOperandEnum::One);
    demo->drawFullscreenTexture(demo->builtinShader(Tavrin::BuiltinShader::TextureColor), *glowA_->getColorTexture());
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::One);
    demo->drawFullscreenColor({1, 1, 1, flash(t)});

    disable(Capability::DepthTest);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    disable(Capability::Blend);
    enable(Capability::DepthTest);
    picture.unbind();
    demo->restoreScreenViewport();
}

void Mars::finish()
{
    demo->restoreScreenViewport();
    ditherLevel.apply(dither_, *demo->renderTargets[1], 1.0f);
    disable(Capability::DepthTest);
}

}
