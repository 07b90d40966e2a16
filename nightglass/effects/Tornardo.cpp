#include "nightglass/effects/Tornardo.h"
#include "nightglass/kit/FarSideCulling.h"
#include "nightglass/kit/ScreenFlash.h"
#include "nightglass/kit/Shaping.h"
#include "nightglass/kit/SkyDome.h"

#include "nightglass/kit/PreparedParticles.h"

#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/Scene.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace Nightglass {

using Orvane::BlendOperandEnum;
using Orvane::Capability;
using Orvane::Matrix4;
using Orvane::Vector3;

namespace {

constexpr const char* SceneFile = "scenes/mars9.fsg";
constexpr int SmokeCount = 1000;
constexpr int DebrisCount = 1000;
constexpr int CloudDeck = 180;
constexpr int GroundDust = 170;
constexpr int CarouselSpheres = 21;
constexpr int FirstRow = 1584;
constexpr float LengthRows = 192.0f;
// The snare roll the funnel spins up with.
constexpr float RollStartRow = 1664.0f;
constexpr float FunnelHeight = 200.0f;
// The scene's own animation (the carousel rolling, the slab rocking) runs slower than the music.
constexpr float SceneSpeed = 0.55f;
// The plain lies level with the slabs' undersides.
constexpr float PlainHeight = -14.0f;
// Lightning in the funnel, closer and closer together with the snare roll.
constexpr int StrikeRows[] = {1664, 1696, 1712, 1728, 1736, 1744, 1752, 1760, 1764, 1768, 1772};

// The funnel's foot, in rows of the section: in from behind the pillar, over the carousel, then
// straight at the viewer.
constexpr Tornardo::FootKey FootPathRows[] = {{0.0f, 95.0f, 240.0f},
                                              {49.68f, 2.0f, 58.0f},
                                              {102.6f, -26.0f, 14.0f},
                                              {145.8f, -48.0f, -50.0f},
                                              {LengthRows, -25.0f, -170.0f}};

float scatter(int index, int salt) { return Nightglass::scatter(index, salt, 977u); }

// How far down from the cloud the funnel has reached at the local time: it touches the ground
// in the first seconds.
float touchdownAt(float time) { return smooth01(time / 2.5f); }

// Whether a grain at height h (0 .. 1 of the funnel) shows yet, softly at the funnel's tip.
float reached(float h, float touchdown) { return smooth01((h - (1.0f - touchdown)) / 0.12f + 1.0f); }

Vector3 positionOf(const Matrix4& m) { return {m[12], m[13], m[14]}; }

}

Tornardo::Tornardo(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , length_(owner->rowsToSeconds(LengthRows))
    , rollStart_(owner->rowsToSeconds(RollStartRow - float(FirstRow)))
    , scene_(owner->loadScene(SceneFile))
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , ground_(owner->loadGeometry("objects/dustplain.fgm"))
    , groundShader_(owner->loadShader("shaders/dustplain.cg"))
    , skyMap_(owner->loadTexture("textures/horizon.jpg"))
    , rockMap_(owner->loadTexture("textures/lolmap2.jpg"))
    , rockBump_(owner->loadTexture("textures/lolbump.jpg"))
    , rockGloss_(owner->loadTexture("textures/lolgloss.jpg"))
    , chromeMap_(owner->loadTexture("textures/lolmap4.jpg"))
    , rockShader_(owner->loadShader("shaders/mars.cg"))
    , smoke_(owner, SmokeCount)
    , debris_(owner, DebrisCount)
    , smokeLayer_(owner, *owner->renderTargets[0], 2)
    , finish_(owner, 0.75f, 0.9f)
{
    smoke_.texture = demo->loadTexture("textures/smokejall.png");
    debris_.texture = demo->loadTexture("textures/dott.png");
    for (const FootKey& key : FootPathRows)
        footPath_.push_back({demo->rowsToSeconds(key.time), key.x, key.y});
    slabs_ = {findObject("Box01", 0, 0), findObject("Box02", 0, 0)};
    carried_.push_back(findObject("Box03", 30.0f, 100.0f));
    for (int i = 1; i <= CarouselSpheres; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "GeoSphere%02d", i);
        carried_.push_back(findObject(name, 10.0f + 30.0f * scatter(i, 20), 180.0f));
    }
    findCues();
    for (int i = 0; i < SmokeCount; ++i)
        smokeGrains_.push_back({0.035f + 0.05f * scatter(i, 1), scatter(i, 2), TwoPi * scatter(i, 3),
                                0.65f + 0.5f * scatter(i, 4), 0.7f + 0.6f * scatter(i, 5), scatter(i, 6)});
    for (int i = 0; i < DebrisCount; ++i)
        debrisGrains_.push_back({0.05f + 0.08f * scatter(i, 7), scatter(i, 8), TwoPi * scatter(i, 9),
                                 0.8f + 0.9f * scatter(i, 10), 0.5f + scatter(i, 11), scatter(i, 12)});
    for (int strike : StrikeRows) {
        strikes_.push_back(demo->rowsToSeconds(float(strike)));
        demo->addHitTime(strikes_.back());
    }
}

Tornardo::~Tornardo() = default;

Tornardo::SceneObject Tornardo::findObject(const std::string& name, float orbit, float tumble)
{
    Orvane::Utils::SceneGraph::Node* node = scene_->findByName(name);
    if (!node)
        throw Orvane::Exceptions::Exception(std::string(SceneFile) + ": the scene has no node \"" + name + "\"");
    if (node->meshInstances().empty() || !node->meshInstances()[0].mesh)
        throw Orvane::Exceptions::Exception(std::string(SceneFile) + ": the node \"" + name + "\" has no mesh");
    return {node, node->meshInstances()[0].mesh, std::numeric_limits<float>::infinity(), orbit, tumble};
}

// The first time the funnel's foot comes near enough to each carried object to take it. One pass
// over the scene's animation serves them all: updating the scene is the costly part.
void Tornardo::findCues()
{
    auto pending = std::count_if(carried_.begin(), carried_.end(), [](const SceneObject& o) { return o.orbit > 0.0f; });
    for (float t = 0.0f; pending > 0 && t < length_; t += 0.05f) {
        scene_->update(t * SceneSpeed);
        Vector3 foot = axisAt(0.0f, t);
        for (SceneObject& object : carried_) {
            if (object.orbit <= 0.0f || !std::isinf(object.cue))
                continue;
            Vector3 offset = positionOf(object.node->getWorldMatrix()) - foot;
            if (offset.x * offset.x + offset.y * offset.y < 16.0f * 16.0f) {
                object.cue = t;
                --pending;
            }
        }
    }
}

float Tornardo::cueOf(const std::string& name) const
{
    for (const SceneObject& object : carried_)
        if (object.node->getName() == name)
            return std::isinf(object.cue) ? -1.0f : object.cue;
    return -1.0f;
}

float Tornardo::spinAt(float time) const
{
    // The turn rate climbs from 1.6 to 7 rad/s over the snare roll; this is its integral.
    float span = length_ - rollStart_;
    float ramp = std::max(0.0f, time - rollStart_);
    return 1.6f * time + 5.4f * ramp * ramp * ramp / (3.0f * span * span);
}

Vector3 Tornardo::axisAt(float height, float time) const
{
    const int keys = int(footPath_.size());
    int k = 0;
    while (k + 2 < keys && time > footPath_[size_t(k) + 1].time)
        ++k;
    const FootKey& a = footPath_[size_t(std::max(k - 1, 0))];
    const FootKey& b = footPath_[size_t(k)];
    const FootKey& c = footPath_[size_t(k) + 1];
    const FootKey& d = footPath_[size_t(std::min(k + 2, keys - 1))];
    float t = std::clamp((time - b.time) / (c.time - b.time), 0.0f, 1.0f);
    float h = height / FunnelHeight;
    return {catmullRom(a.x, b.x, c.x, d.x, t) + std::sin(h * 4.0f + time * 0.9f) * 22.0f * h,
            catmullRom(a.y, b.y, c.y, d.y, t) + std::cos(h * 3.1f + time * 0.7f) * 14.0f * h, height};
}

float Tornardo::strikeAt(float demoTime) const
{
    float strike = 0.0f;
    for (float hit : strikes_)
        if (std::fabs(demoTime - hit) < 1.0f)
            strike = std::max(strike, demo->envelope(demoTime, hit, 0.01f, 0.3f, 3.0f));
    return strike;
}

float Tornardo::riserAt(float time) const { return smooth01((time - (length_ - 4.8f)) / 4.8f); }

void Tornardo::update(float time)
{
    float pulse = std::min(1.0f, demo->spectrum[0] * 3.0f);
    scene_->update(time * SceneSpeed);
    placeSmoke(time, pulse, 0.8f * strikeAt(demo->time) + 0.35f * riserAt(time));
    placeDebris(time, pulse, strikeAt(demo->time));
}

std::optional<float> Tornardo::historyStart(float, float) const { return 0.0f; }
void Tornardo::begin(float) { finish_.reset(); }
void Tornardo::advance(float) { finish_.advance(); }

void Tornardo::draw(float time)
{
    update(time);
    float strike = strikeAt(demo->time);
    float riser = riserAt(time);
    finish_.begin(0, 0, 0);
    drawSky(0.6f + 0.4f * riser + 0.3f * strike);
    demo->setCamera(1, 1, 1200);
    enable(Capability::DepthTest);
    setDepthMask(true);
    drawGround(time, strike);
    drawSlabs();
    drawCarried(time);
    // The smoke is soft and a thousand deep; the grit is fine and needs every pixel.
    smokeLayer_.begin(ParticleLayer::Blending::Over);
    drawPreparedParticles(smoke_, smokeLayer_, ParticleLayer::Blending::Over);
    smokeLayer_.end();
    drawPreparedParticles(debris_, BlendOperandEnum::OneMinusSrcAlpha);
    finish_.end(0.4f + 0.5f * riser + 0.35f * strike, 1.0f);
    if (strike > 0.001f)
        flashScreen(*demo, 0.75f, 0.8f, 1.0f, 0.2f * strike);
}

void Tornardo::drawSky(float light)
{
    setDepthMask(false);
    const float colour[4] = {light, light * 0.88f, light * 0.85f, 1.0f};
    drawSkyDome(*demo, *sky_, *skyMap_, colour);
}

void Tornardo::drawGround(float time, float strike)
{
    Vector3 foot = axisAt(0.0f, time);
    const float footAt[3] = {foot.x, foot.y, PlainHeight};
    const float haze[3] = {0.2f, 0.1f, 0.12f};
    pushWorld();
    translateWorld(0, 0, PlainHeight);
    groundShader_->bind();
    groundShader_->getParameter("texture").setTexture(*rockMap_);
    groundShader_->getParameter("foot").setFloat3(footAt);
    groundShader_->getParameter("haze").setFloat3(haze);
    groundShader_->getParameter("lightning").setFloat(strike);
    groundShader_->updateState();
    ground_->draw();
    popWorld();
}

void Tornardo::drawSlabs()
{
    Matrix4 parent;
    getWorld(parent.data());
    rockShader_->bind();
    rockShader_->getParameter("texture").setTexture(*rockMap_);
    rockShader_->getParameter("normalmap").setTexture(*rockBump_);
    rockShader_->getParameter("glossmap").setTexture(*rockGloss_);
    FarSideCulling closedSlabs(FarSideCulling::OutsideWinding::CounterClockwise);
    for (const SceneObject& slab : slabs_) {
        pushWorld();
        setWorld(parent * slab.node->getWorldMatrix());
        rockShader_->updateState();
        slab.mesh->draw();
        popWorld();
    }
}

Matrix4 Tornardo::carriedMatrix(const SceneObject& object, float time) const
{
    const Matrix4& rest = object.node->getWorldMatrix();
    if (!(time > object.cue))
        return rest;
    float held = time - object.cue;
    Vector3 from = positionOf(rest);
    // Up the funnel fast at first, then circling high in it.
    float height = from.z + 150.0f * (1.0f - std::exp(-held / 3.0f));
    Vector3 centre = axisAt(height, time);
    float pull = smooth01(held * 1.2f);
    float angle = 0.85f * (spinAt(time) - spinAt(object.cue)) + object.orbit;
    float radius = object.orbit * smooth01(held * 0.8f);
    Vector3 p = from + (centre - from) * pull + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, 0.0f};
    p.z = height;
    Matrix4 m;
    m.setTranslation(p.x, p.y, p.z);
    m.rotate(held * object.tumble, 0.3f, 1.0f, 0.5f);
    Matrix4 shape = rest;
    shape[12] = shape[13] = shape[14] = 0.0f;
    return m * shape;
}

void Tornardo::drawCarried(float time)
{
    Matrix4 parent;
    getWorld(parent.data());
    Orvane::Shader& chrome = demo->builtinShader(Tavrin::BuiltinShader::SphericalEnvmap);
    for (const SceneObject& object : carried_) {
        bool sphere = object.node->getName().rfind("GeoSphere", 0) == 0;
        Orvane::Shader& shader = sphere ? chrome : *rockShader_;
        pushWorld();
        setWorld(parent * carriedMatrix(object, time));
        shader.bind();
        if (sphere)
            shader.getParameter("texture").setTexture(*chromeMap_);
        shader.updateState();
        // The rock is open underneath; only the spheres are closed.
        std::optional<FarSideCulling> closedSphere;
        if (sphere)
            closedSphere.emplace(FarSideCulling::OutsideWinding::CounterClockwise);
        object.mesh->draw();
        popWorld();
    }
}

// Where one smoke grain is: the funnel's grains climb and start again at the foot, the dust at
// the foot rolls outwards, the cloud deck on top turns slowly in place.
Vector3 Tornardo::smokePosition(int i, float time, float spin, float& h, float& angle) const
{
    const Grain& g = smokeGrains_[size_t(i)];
    float climb = spin / 1.6f;
    float radius, lift = 0.0f;
    if (i < CloudDeck) {
        h = 1.0f;
        radius = 30.0f + 230.0f * std::sqrt(g.offset) * g.spread;
        angle = g.phase + spin * 0.1f;
        lift = 15.0f * g.shade;
    } else if (i < CloudDeck + GroundDust) {
        float roll = fract(g.offset + g.rise * climb * 0.6f);
        h = 0.0f;
        radius = 6.0f + 45.0f * roll * g.spread;
        angle = g.phase + spin * 1.5f;
        lift = 2.0f + 16.0f * roll * g.size;
    } else {
        // Three bands of smoke wind up the funnel, so it reads as twisting, not as a cone.
        h = fract(g.offset + g.rise * climb * 0.3f);
        radius = (2.5f + 34.0f * std::pow(h, 2.0f)) * g.spread;
        float band = std::floor(g.phase / TwoPi * 3.0f) * (TwoPi / 3.0f) + 0.5f * std::sin(g.phase * 7.0f);
        angle = band + h * 9.0f + spin * (1.4f - 0.8f * h);
    }
    return axisAt(h * FunnelHeight, time) + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, lift};
}

void Tornardo::placeSmoke(float time, float pulse, float light)
{
    // The sun the rock shader lights the slabs with, seen from above.
    constexpr float SunX = -0.79f, SunY = -0.61f;
    float spin = spinAt(time);
    float touchdown = touchdownAt(time);
    smoke_.lock();
    for (int i = 0; i < SmokeCount; ++i) {
        const Grain& g = smokeGrains_[size_t(i)];
        float h, angle;
        Vector3 p = smokePosition(i, time, spin, h, angle);
        smoke_.setQuadPosition(i, p.x, p.y, p.z);
        bool deck = i < CloudDeck, dust = !deck && i < CloudDeck + GroundDust;
        float size = deck ? 50.0f + 40.0f * g.size : dust ? 12.0f + 12.0f * g.size : (9.0f + 22.0f * h) * g.size;
        size *= 1.0f + 0.2f * pulse;
        smoke_.setQuadSize(i, size, size);
        smoke_.setQuadTexRect(i, 0, 0, 1, 1);
        float alpha;
        if (deck)
            alpha = 1.0f - smooth01((std::sqrt(g.offset) * g.spread - 0.55f) / 0.5f);
        else if (dust)
            alpha = 0.9f * (1.0f - fract(g.offset + g.rise * spin / 1.6f * 0.6f)) * smooth01(touchdown * 3.0f - 2.0f);
        else
            alpha = smooth01(h / 0.04f) * (1.0f - smooth01((h - 0.85f) / 0.15f)) * reached(h, touchdown);
        // Grains on the side towards the sun are lit, the far side stays dark.
        float sunSide = 0.5f + 0.5f * (std::cos(angle) * SunX + std::sin(angle) * SunY);
        float shade = (0.45f + 0.4f * g.shade) * (0.35f + 0.75f * sunSide);
        if (deck) {
            // The wall cloud is dark underneath and catches the dusk towards its rim.
            float rim = std::sqrt(g.offset) * g.spread;
            smoke_.setQuadColor(i, 0.12f + 0.35f * rim * shade + 0.4f * light,
                                0.1f + 0.2f * rim * shade + 0.43f * light, 0.12f + 0.22f * rim * shade + 0.52f * light,
                                alpha);
            continue;
        }
        smoke_.setQuadColor(i, 0.8f * shade + 0.4f * light, 0.62f * shade + 0.43f * light, 0.5f * shade + 0.52f * light,
                            alpha);
    }
    smoke_.unlock();
    smoke_.sortByDistance(1);
}

void Tornardo::placeDebris(float time, float pulse, float light)
{
    float spin = spinAt(time);
    float climb = spin / 1.6f;
    float touchdown = touchdownAt(time);
    debris_.lock();
    for (int i = 0; i < DebrisCount; ++i) {
        const Grain& g = debrisGrains_[size_t(i)];
        float h = fract(g.offset + g.rise * climb * 0.3f);
        float radius = (5.0f + 55.0f * std::pow(h, 1.6f)) * g.spread;
        float angle = g.phase + spin * (1.6f - 0.6f * h);
        Vector3 p = axisAt(h * FunnelHeight, time) + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, 0.0f};
        debris_.setQuadPosition(i, p.x, p.y, p.z);
        float size = (0.5f + 1.0f * g.size) * (1.0f + 0.3f * pulse);
        debris_.setQuadSize(i, size, size);
        debris_.setQuadTexRect(i, 0, 0, 1, 1);
        float fade = (1.0f - smooth01((h - 0.75f) / 0.25f)) * reached(h, touchdown);
        // Dark grit and stones, lit up when lightning strikes.
        float lit = 0.08f + 0.12f * g.shade + 0.7f * light;
        debris_.setQuadColor(i, lit * 1.1f, lit * 0.9f, lit * 0.8f, 0.75f * fade);
    }
    debris_.unlock();
    debris_.sortByDistance(1);
}

}
