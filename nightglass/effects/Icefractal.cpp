#include "nightglass/effects/Icefractal.h"
#include "nightglass/kit/ScreenFlash.h"
#include "nightglass/kit/Shaping.h"
#include "nightglass/kit/SkyDome.h"

#include "nightglass/kit/PreparedParticles.h"

#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

using Orvane::BlendOperandEnum;
using Orvane::Capability;

namespace {

constexpr int CloudCount = 90;
constexpr int MoteCount = 700;
constexpr int CrashRow = 1024;

float scatter(int index, int salt) { return Nightglass::scatter(index, salt, 12345u); }

}

Icefractal::Icefractal(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , ice_(owner->loadGeometry("objects/hylle.fgm"))
    , moon_(owner->loadGeometry("objects/frostmoon.fgm"))
    , nightSky_(owner->loadTexture("textures/horizon_mork.jpg"))
    , duskSky_(owner->loadTexture("textures/horizon.jpg"))
    , moonMap_(owner->loadTexture("textures/lolmap2.jpg"))
    , moonBump_(owner->loadTexture("textures/lolbump.jpg"))
    , moonGloss_(owner->loadTexture("textures/lolgloss.jpg"))
    , moonShader_(owner->loadShader("shaders/mars.cg"))
    , iceShader_(owner->loadShader("shaders/morph.cg"))
    , cloudStrip_(owner->loadTextureStrip("textures/cloudparticle%i.png", 3))
    , clouds_(owner, CloudCount)
    , motes_(owner, MoteCount)
    , finish_(owner, 0.9f, 0.9f)
{
    clouds_.texture = cloudStrip_;
    motes_.texture = demo->loadTexture("textures/dott.png");
    for (int i = 0; i < CloudCount; ++i)
        cloudLayout_.push_back({230.0f + 120.0f * scatter(i, 1), -25.0f + 45.0f * scatter(i, 2), TwoPi * scatter(i, 3),
                                0.008f + 0.012f * scatter(i, 4), scatter(i, 5), 70.0f + 50.0f * scatter(i, 6)});
    for (int i = 0; i < MoteCount; ++i)
        moteLayout_.push_back({18.0f + 60.0f * std::sqrt(scatter(i, 7)), -45.0f + 90.0f * scatter(i, 8),
                               TwoPi * scatter(i, 9),
                               (0.05f + 0.2f * scatter(i, 10)) * (scatter(i, 11) < 0.5f ? -1.0f : 1.0f),
                               1.5f + 5.0f * scatter(i, 12), 0.35f + 0.9f * scatter(i, 13)});
    demo->addHitTime(demo->rowsToSeconds(CrashRow));
}

Icefractal::~Icefractal() = default;

float Icefractal::growthAt(float time)
{
    float x = std::clamp((time - 0.2f) / 5.6f, 0.0f, 1.0f);
    float rest = 1.0f - x;
    return std::max(0.0f, 1.02f * (1.0f - rest * rest * rest * 0.6f - rest * 0.4f));
}

float Icefractal::flashAt(float demoTime) const
{
    float flash = 0.0f;
    for (float hit : demo->hitTimes)
        if (std::fabs(demoTime - hit) < 2.0f)
            flash = std::max(flash, demo->envelope(demoTime, hit, 0.04f, 1.2f, 2.0f));
    return flash;
}

float Icefractal::duskAt(float time) const
{
    float crash = demo->rowsToSeconds(CrashRow - 960);
    return 0.55f * std::clamp((time - crash) / 8.0f, 0.0f, 1.0f);
}

void Icefractal::update(float time)
{
    placeClouds(time, duskAt(time));
    placeMotes(time, std::min(1.0f, demo->spectrum[0] * 3.0f));
}

std::optional<float> Icefractal::historyStart(float, float) const { return 0.0f; }
void Icefractal::begin(float) { finish_.reset(); }
void Icefractal::advance(float) { finish_.advance(); }

void Icefractal::draw(float time)
{
    update(time);
    float pulse = std::min(1.0f, demo->spectrum[0] * 3.0f);
    float flash = flashAt(demo->time);
    finish_.begin(0, 0, 0);
    drawSky(duskAt(time));
    demo->setCamera(1, 1, 1000);
    enable(Capability::DepthTest);
    setDepthMask(true);
    drawMoon(time);
    drawIce(time, pulse, flash);
    drawPreparedParticles(clouds_, BlendOperandEnum::OneMinusSrcAlpha);
    drawPreparedParticles(motes_, BlendOperandEnum::One);
    finish_.end(0.55f + 0.5f * flash + 0.2f * pulse, 1.0f);
    if (flash > 0.001f)
        flashScreen(*demo, 0.6f, 0.8f, 1.0f, 0.45f * flash);
}

void Icefractal::drawSky(float dusk)
{
    setDepthMask(false);
    const float white[4] = {1, 1, 1, 1};
    drawSkyDome(*demo, *sky_, *nightSky_, white);
    if (dusk > 0.001f) {
        enable(Capability::Blend);
        setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
        const float fadingIn[4] = {1, 1, 1, dusk};
        drawSkyDome(*demo, *sky_, *duskSky_, fadingIn);
        disable(Capability::Blend);
    }
}

void Icefractal::drawMoon(float time)
{
    pushWorld();
    rotateWorld(time * 6.0f, 0.2f, 0.0f, 1.0f);
    moonShader_->bind();
    moonShader_->getParameter("texture").setTexture(*moonMap_);
    moonShader_->getParameter("normalmap").setTexture(*moonBump_);
    moonShader_->getParameter("glossmap").setTexture(*moonGloss_);
    moonShader_->updateState();
    moon_->draw();
    popWorld();
}

void Icefractal::drawIce(float time, float pulse, float flash)
{
    pushWorld();
    rotateWorld(time * 5.0f, 0.0f, 0.0f, 1.0f);
    iceShader_->bind();
    iceShader_->getParameter("time").setFloat(time);
    const float colour[4] = {0.35f + 0.2f * flash, 0.62f + 0.2f * flash, 1.0f, 0.8f + 0.4f * pulse};
    iceShader_->getParameter("lolColor").setFloat4(colour);
    iceShader_->getParameter("growth").setFloat(growthAt(time));
    iceShader_->getParameter("pulse").setFloat(pulse);
    iceShader_->getParameter("flash").setFloat(flash);
    iceShader_->updateState();
    ice_->draw();
    popWorld();
}

void Icefractal::placeClouds(float time, float dusk)
{
    clouds_.lock();
    for (int i = 0; i < CloudCount; ++i) {
        const Mote& c = cloudLayout_[size_t(i)];
        float angle = c.phase + c.speed * time;
        clouds_.setQuadPosition(i, c.radius * std::cos(angle), c.radius * std::sin(angle), c.height);
        clouds_.setQuadSize(i, c.size, c.size * 0.55f);
        clouds_.setQuadTexRect(i, float(i % 3) / 3.0f, 0, 1.0f / 3.0f, 1);
        float warm = dusk * (0.5f + 0.5f * std::cos(angle - 1.2f));
        clouds_.setQuadColor(i, 0.22f + 0.6f * warm, 0.25f + 0.3f * warm, 0.4f + 0.15f * warm,
                             0.45f * (0.6f + 0.4f * c.twinkle));
    }
    clouds_.unlock();
    clouds_.sortByDistance(1);
}

void Icefractal::placeMotes(float time, float pulse)
{
    motes_.lock();
    for (int i = 0; i < MoteCount; ++i) {
        const Mote& m = moteLayout_[size_t(i)];
        float angle = m.phase + m.speed * time;
        float z = m.height + 3.0f * std::sin(time * 0.7f + m.phase * 3.0f);
        motes_.setQuadPosition(i, m.radius * std::cos(angle), m.radius * std::sin(angle), z);
        float glint = std::pow(0.5f + 0.5f * std::sin(time * m.twinkle + m.phase * 7.0f), 6.0f);
        motes_.setQuadSize(i, m.size * (0.6f + 0.8f * glint), m.size * (0.6f + 0.8f * glint));
        motes_.setQuadTexRect(i, 0, 0, 1, 1);
        float a = (0.15f + 0.85f * glint) * (0.6f + 0.6f * pulse);
        motes_.setQuadColor(i, 0.7f, 0.85f, 1.0f, a);
    }
    motes_.unlock();
    motes_.sortByDistance(1);
}

}
