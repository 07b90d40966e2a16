#include "nightglass/effects/Tornardo.h"

#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/scenegraph/FsgReader.h"
#include "orvane/utils/scenegraph/Scene.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

using Orvane::BlendOperandEnum;
using Orvane::Capability;
using Orvane::Matrix4;
using Orvane::Vector3;

namespace {

constexpr const char* SceneFile = "scenes/mars9.fsg";
constexpr int SmokeCount = 1000;
constexpr int DebrisCount = 1000;
constexpr int CloudDeck = 220;
constexpr int GroundDust = 200;
constexpr int FirstRow = 1584;
constexpr float FunnelHeight = 170.0f;
constexpr float Length = 192.0f * 15.0f / 162.0f;
constexpr float TwoPi = 6.2831853f;
// Lightning in the funnel, closer and closer together with the snare roll.
constexpr int StrikeRows[] = {1664, 1696, 1712, 1728, 1736, 1744, 1752, 1760, 1764, 1768, 1772};

float scatter(int index, int salt)
{
    std::uint32_t h = std::uint32_t(index) * 747796405u + std::uint32_t(salt) * 2891336453u + 977u;
    h ^= h >> 16;
    h *= 2246822519u;
    h ^= h >> 13;
    h *= 3266489917u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / 16777216.0f;
}

float smooth01(float x)
{
    x = std::clamp(x, 0.0f, 1.0f);
    return x * x * (3.0f - 2.0f * x);
}

float fract(float x) { return x - std::floor(x); }

Orvane::Utils::Geometry* nodeMesh(Orvane::Utils::SceneGraph::Scene& scene, const std::string& name)
{
    auto* node = scene.findByName(name);
    if (!node)
        throw Orvane::Exceptions::Exception(std::string(SceneFile) + ": the scene has no node \"" + name + "\"");
    if (node->meshInstances().empty() || !node->meshInstances()[0].mesh)
        throw Orvane::Exceptions::Exception(std::string(SceneFile) + ": the node \"" + name + "\" has no mesh");
    return node->meshInstances()[0].mesh;
}

Matrix4 nodeRest(Orvane::Utils::SceneGraph::Scene& scene, const std::string& name)
{
    return scene.findByName(name)->getWorldMatrix();
}

Vector3 restPosition(const Matrix4& m) { return {m[12], m[13], m[14]}; }

void addHitTime(Tavrin::Demo& demo, float seconds)
{
    demo.hitTimes.insert(std::upper_bound(demo.hitTimes.begin(), demo.hitTimes.end(), seconds), seconds);
}

}

Tornardo::Tornardo(Tavrin::Demo* demo)
    : VisualContainerNode(demo)
    , scene_(Orvane::Utils::SceneGraph::loadFsg(demo->dataFolder + SceneFile))
    , sky_(demo->loadGeometry("objects/skydome.fgm"))
    , ground_(demo->loadGeometry("objects/dustplain.fgm"))
    , groundShader_(demo->loadShader("shaders/dustplain.cg"))
    , skyMap_(demo->loadTexture("textures/horizon.jpg"))
    , boxMap_(demo->loadTexture("textures/lolmap2.jpg"))
    , boxBump_(demo->loadTexture("textures/lolbump.jpg"))
    , boxGloss_(demo->loadTexture("textures/lolgloss.jpg"))
    , chromeMap_(demo->loadTexture("textures/lolmap4.jpg"))
    , boxShader_(demo->loadShader("shaders/mars.cg"))
    , smoke_(demo, SmokeCount)
    , debris_(demo, DebrisCount)
    , finish_(demo, 0.9f, 0.9f)
{
    smoke_.texture = demo->loadTexture("textures/smokejall.png");
    debris_.texture = demo->loadTexture("textures/dott.png");
    scene_->update(0.0f);
    const char* boxNames[3] = {"Box01", "Box02", "Box03"};
    for (int i = 0; i < 3; ++i)
        boxes_[size_t(i)] = {nodeMesh(*scene_, boxNames[i]), nodeRest(*scene_, boxNames[i]), 0.0f, 26.0f + 8.0f * float(i)};
    sphere_ = {nodeMesh(*scene_, "GeoSphere01"), nodeRest(*scene_, "GeoSphere01"), 12.6f, 14.0f};
    // The funnel meets the boxes from left to right, then the sphere.
    std::sort(boxes_.begin(), boxes_.end(), [](const Carried& a, const Carried& b) { return a.rest[12] < b.rest[12]; });
    const float cues[3] = {3.6f, 6.4f, 9.4f};
    for (int i = 0; i < 3; ++i)
        boxes_[size_t(i)].cue = cues[i];
    Vector3 first = restPosition(boxes_[0].rest), last = restPosition(sphere_.rest);
    Vector3 approach = first - last;
    approach.z = 0;
    approach.normalize();
    footPath_.push_back({0.0f, first + approach * 60.0f});
    for (const Carried& box : boxes_)
        footPath_.push_back({box.cue, restPosition(box.rest)});
    footPath_.push_back({sphere_.cue, last});
    footPath_.push_back({Length, last - approach * 30.0f});
    for (auto& key : footPath_)
        key.second.z = 0.0f;

    for (int i = 0; i < SmokeCount; ++i)
        smokeGrains_.push_back({0.035f + 0.05f * scatter(i, 1), scatter(i, 2), TwoPi * scatter(i, 3),
                                0.65f + 0.5f * scatter(i, 4), 0.7f + 0.6f * scatter(i, 5), scatter(i, 6)});
    for (int i = 0; i < DebrisCount; ++i)
        debrisGrains_.push_back({0.05f + 0.08f * scatter(i, 7), scatter(i, 8), TwoPi * scatter(i, 9),
                                 0.8f + 0.9f * scatter(i, 10), 0.5f + scatter(i, 11), scatter(i, 12)});
    float row = 15.0f / demo->bpm;
    for (int strike : StrikeRows) {
        strikes_.push_back(float(strike) * row);
        addHitTime(*demo, float(strike) * row);
    }
}

Tornardo::~Tornardo() = default;

float Tornardo::spinAt(float time)
{
    // The turn rate climbs from 1.6 to 7 rad/s over the snare roll; this is its integral.
    constexpr float RollStart = float(1664 - FirstRow) * 15.0f / 162.0f;
    float ramp = std::max(0.0f, time - RollStart);
    float span = Length - RollStart;
    return 1.6f * time + 5.4f * ramp * ramp * ramp / (3.0f * span * span);
}

Vector3 Tornardo::axisAt(float height, float time) const
{
    size_t k = 0;
    while (k + 2 < footPath_.size() && time > footPath_[k + 1].first)
        ++k;
    const auto& a = footPath_[k];
    const auto& b = footPath_[k + 1];
    float x = smooth01((time - a.first) / (b.first - a.first)) * 0.6f
              + std::clamp((time - a.first) / (b.first - a.first), 0.0f, 1.0f) * 0.4f;
    Vector3 foot = a.second + (b.second - a.second) * x;
    float h = height / FunnelHeight;
    return foot + Vector3{std::sin(h * 4.0f + time * 0.9f) * 18.0f * h, std::cos(h * 3.1f + time * 0.7f) * 12.0f * h, height};
}

float Tornardo::strikeAt(float demoTime) const
{
    float strike = 0.0f;
    for (float hit : strikes_)
        if (std::fabs(demoTime - hit) < 1.0f)
            strike = std::max(strike, demo->envelope(demoTime, hit, 0.01f, 0.3f, 3.0f));
    return strike;
}

void Tornardo::draw(float time)
{
    float pulse = std::min(1.0f, demo->spectrum[0] * 3.0f);
    float strike = strikeAt(demo->time);
    float riser = smooth01((time - (Length - 5.9f)) / 5.9f);
    float light = 0.55f + 0.45f * riser;
    finish_.begin(0, 0, 0);
    drawSky(light);
    demo->setCamera(1, 1, 1000);
    enable(Capability::DepthTest);
    setDepthMask(true);
    drawGround(time, light, strike);
    drawCarried(time);
    drawSmoke(time, pulse, strike + 0.4f * riser);
    drawDebris(time, pulse);
    finish_.end(0.45f + 0.6f * riser + 0.6f * strike, 1.0f);
    if (strike > 0.001f) {
        enable(Capability::Blend);
        setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::One);
        demo->drawFullscreenColor({0.75f, 0.8f, 1.0f, 0.35f * strike});
        disable(Capability::Blend);
    }
}

void Tornardo::drawSky(float light)
{
    demo->setSkyCamera();
    disable(Capability::DepthTest);
    setDepthMask(false);
    Orvane::Shader& shader = *demo->builtinShaders.at(1);
    shader.bind();
    shader.getParameter("texture").setTexture(*skyMap_);
    const float colour[4] = {light, light * 0.9f, light * 0.85f, 1.0f};
    shader.getParameter("color").setFloat4(colour);
    shader.updateState();
    sky_->draw();
}

void Tornardo::drawGround(float time, float light, float strike)
{
    Vector3 foot = axisAt(0.0f, time);
    const float footAt[3] = {foot.x, foot.y, foot.z};
    const float haze[3] = {0.36f * light, 0.22f * light, 0.18f * light};
    groundShader_->bind();
    groundShader_->getParameter("texture").setTexture(*boxMap_);
    groundShader_->getParameter("foot").setFloat3(footAt);
    groundShader_->getParameter("haze").setFloat3(haze);
    groundShader_->getParameter("lightning").setFloat(strike);
    groundShader_->updateState();
    ground_->draw();
}

Matrix4 Tornardo::carriedMatrix(const Carried& object, float time) const
{
    float lift = std::clamp((time - object.cue) / 4.5f, 0.0f, 1.0f);
    if (lift <= 0.0f)
        return object.rest;
    Vector3 rest = restPosition(object.rest);
    float height = rest.z + 150.0f * lift * lift;
    float angle = spinAt(time) - spinAt(object.cue) + object.cue;
    float radius = object.orbit * smooth01(lift * 3.0f);
    Vector3 centre = axisAt(height, time);
    Vector3 grab = rest + (centre - rest) * smooth01(lift * 4.0f);
    grab.z = height;
    Vector3 p = grab + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, 0.0f};
    Matrix4 m;
    m.setTranslation(p.x, p.y, p.z);
    m.rotate(lift * 900.0f * (0.5f + object.orbit / 60.0f), 0.3f, 1.0f, 0.5f);
    Matrix4 shape = object.rest;
    shape[12] = shape[13] = shape[14] = 0.0f;
    return m * shape;
}

void Tornardo::drawCarried(float time)
{
    Matrix4 parent;
    getWorld(parent.data());
    boxShader_->bind();
    boxShader_->getParameter("texture").setTexture(*boxMap_);
    boxShader_->getParameter("normalmap").setTexture(*boxBump_);
    boxShader_->getParameter("glossmap").setTexture(*boxGloss_);
    for (const Carried& box : boxes_) {
        pushWorld();
        setWorld(parent * carriedMatrix(box, time));
        boxShader_->bind();
        boxShader_->updateState();
        box.mesh->draw();
        popWorld();
    }
    Orvane::Shader& chrome = *demo->builtinShaders.at(4);
    pushWorld();
    setWorld(parent * carriedMatrix(sphere_, time));
    chrome.bind();
    chrome.getParameter("texture").setTexture(*chromeMap_);
    chrome.updateState();
    sphere_.mesh->draw();
    popWorld();
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
        radius = 30.0f + 190.0f * std::sqrt(g.offset) * g.spread;
        angle = g.phase + spin * 0.12f;
        lift = 12.0f * g.shade;
    } else if (i < CloudDeck + GroundDust) {
        float roll = fract(g.offset + g.rise * climb * 0.6f);
        h = 0.0f;
        radius = 6.0f + 40.0f * roll * g.spread;
        angle = g.phase + spin * 1.5f;
        lift = 3.0f + 14.0f * roll * g.size;
    } else {
        h = fract(g.offset + g.rise * climb * 0.35f);
        radius = (2.0f + 30.0f * std::pow(h, 1.8f)) * g.spread;
        angle = g.phase + spin * (1.4f - 0.8f * h);
    }
    return axisAt(h * FunnelHeight, time) + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, lift};
}

void Tornardo::drawSmoke(float time, float pulse, float light)
{
    float spin = spinAt(time);
    const float sunX = -0.6f, sunY = 0.7f;
    smoke_.lock();
    for (int i = 0; i < SmokeCount; ++i) {
        const Grain& g = smokeGrains_[size_t(i)];
        float h, angle;
        Vector3 p = smokePosition(i, time, spin, h, angle);
        smoke_.setQuadPosition(i, p.x, p.y, p.z);
        bool deck = i < CloudDeck, dust = !deck && i < CloudDeck + GroundDust;
        float size = deck ? 45.0f + 35.0f * g.size : dust ? 10.0f + 10.0f * g.size : (7.0f + 16.0f * h) * g.size;
        size *= 1.0f + 0.2f * pulse;
        smoke_.setQuadSize(i, size, size);
        smoke_.setQuadTexRect(i, 0, 0, 1, 1);
        float alpha;
        if (deck)
            alpha = 0.7f * (1.0f - smooth01((std::sqrt(g.offset) * g.spread - 0.6f) / 0.5f));
        else if (dust)
            alpha = 0.45f * (1.0f - fract(g.offset + g.rise * spin / 1.6f * 0.6f));
        else
            alpha = 0.85f * smooth01(h / 0.04f) * (1.0f - smooth01((h - 0.85f) / 0.15f));
        // Grains on the side towards the low sun are lit, the far side stays dark.
        float sunSide = 0.5f + 0.5f * (std::cos(angle) * sunX + std::sin(angle) * sunY);
        float shade = (0.45f + 0.4f * g.shade) * (0.35f + 0.75f * sunSide) * (deck ? 0.45f : 1.0f);
        smoke_.setQuadColor(i, 0.8f * shade + 0.4f * light, 0.62f * shade + 0.43f * light, 0.48f * shade + 0.52f * light, alpha);
    }
    smoke_.unlock();
    setDepthMask(false);
    smoke_.drawSorted();
    disable(Capability::Blend);
}

void Tornardo::drawDebris(float time, float pulse)
{
    float spin = spinAt(time);
    float climb = spin / 1.6f;
    debris_.lock();
    for (int i = 0; i < DebrisCount; ++i) {
        const Grain& g = debrisGrains_[size_t(i)];
        float h = fract(g.offset + g.rise * climb * 0.3f);
        float radius = (5.0f + 48.0f * std::pow(h, 1.6f)) * g.spread;
        float angle = g.phase + spin * (1.6f - 0.6f * h);
        Vector3 p = axisAt(h * FunnelHeight, time) + Vector3{std::cos(angle) * radius, std::sin(angle) * radius, 0.0f};
        debris_.setQuadPosition(i, p.x, p.y, p.z);
        float size = 0.6f + 1.4f * g.size;
        debris_.setQuadSize(i, size, size);
        debris_.setQuadTexRect(i, 0, 0, 1, 1);
        float fade = 1.0f - smooth01((h - 0.75f) / 0.25f);
        float a = 0.5f * fade * (0.7f + 0.6f * pulse) * (0.5f + 0.5f * g.shade);
        debris_.setQuadColor(i, 1.0f, 0.72f, 0.45f, a);
    }
    debris_.unlock();
    debris_.sortByDistance(1);
    debris_.shader->bind();
    debris_.shader->updateState();
    debris_.shader->getParameter("texture").setTexture(*debris_.texture);
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::One);
    debris_.drawQuads();
    disable(Capability::Blend);
    setDepthMask(true);
}

}
