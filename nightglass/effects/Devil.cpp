#include "nightglass/effects/Devil.h"

#include "nightglass/kit/Shaping.h"
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
#include <string>

namespace Nightglass {

using Orvane::Utils::SceneGraph::Node;

namespace {

constexpr float HeadRadius = 30.0f;
// Seconds of the head's past that each further strand segment lags behind.
constexpr float HairLag = 0.016f;
constexpr float HairWidth = 8.0f;
constexpr int EyeGlows = 6;
constexpr int GrinGlows = 14;
constexpr int FaceGlows = EyeGlows + GrinGlows;

// In rows of the section: each greeting's slot, and the crashes that flash the picture.
constexpr float GreetingSlotRows = 32;
constexpr float CrashRows[] = {0, 128};

// 0..1 per integer, the same on every run: embers are placed without the shared generator, so
// drawing the devil never disturbs the random sequence other effects rely on.
float hashUnit(std::uint32_t n)
{
    n = (n << 13) ^ n;
    n = n * (n * n * 15731u + 789221u) + 1376312589u;
    return float(n & 0x7fffffffu) / float(0x7fffffff);
}

Node& findNode(Orvane::Utils::SceneGraph::Scene& scene, const std::string& name, const std::string& path)
{
    Node* node = scene.findByName(name);
    if (!node)
        throw Orvane::Exceptions::Exception(path + ": the scene has no node \"" + name + "\"");
    return *node;
}

void drawMeshes(Node& node, Orvane::Shader& shader)
{
    Orvane::State::setWorld(node.getWorldMatrix());
    shader.updateState();
    for (auto& instance : node.meshInstances())
        if (instance.mesh)
            instance.mesh->draw();
}

std::string greetingName(int i) { return "overlays/greet" + std::to_string(i) + ".png"; }

}

Devil::Devil(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , horizon_(owner->loadTexture("textures/horizon.jpg"))
    , stone_(owner->loadTexture("textures/lolmap2.jpg"))
    , sphereMap_(owner->loadTexture("textures/lolmap3.jpg"))
    , hairTexture_(owner->loadTexture("textures/hair.png"))
    , spark_(owner->loadTexture("textures/dott.png"))
    , lines_(owner->loadTexture("textures/lines.png"))
    , hornShader_(owner->loadShader("shaders/devil.cg"))
    , hairShader_(owner->loadShader("shaders/hair.cg"))
    , postShader_(owner->loadShader("shaders/devil_post.cg"))
    , raysShader_(owner->loadShader("shaders/devil_rays.cg"))
    , hair_(scalpRoots(HairStrandCount, HeadRadius, 70.0f, 125.0f), HairSegments)
    , ribbons_(hair_)
    , headPast_(size_t(HairSegments + 1))
    , sparks_(owner, FaceGlows + EmberCount)
    , dither_(owner)
{
    const std::string sceneName = "scenes/devil.fsg", scenePath = demo->dataFolder + sceneName;
    scene_ = demo->loadScene(sceneName);
    head_ = &findNode(*scene_, "GeoSphere01", scenePath);
    horns_ = &findNode(*scene_, "Mesh01", scenePath);
    for (int i = 0; i < GreetingCount; ++i)
        greetings_[size_t(i)] = demo->loadTexture(greetingName(i));
    sparks_.texture = spark_;
}

Devil::~Devil() = default;

float Devil::bass() const { return std::min(1.5f, demo->spectrum[0] / 0.2f); }

float Devil::heat() const { return std::max(0.0f, 0.6f * bass() + demo->syncValues[14].y); }

void Devil::animate(float time)
{
    poseHeadAndHair(time, 0.15f + 0.9f * bass() + demo->syncValues[14].x);
    placeSparks(time, heat());
}

std::optional<float> Devil::historyStart(float, float) const { return 0.0f; }
void Devil::begin(float) { ditherLevel_.reset(); }
void Devil::advance(float) { ditherLevel_.update(demo->frameDelta, demo->spectrum[0]); }

void Devil::draw(float time)
{
    animate(time);
    float kick = bass(), heat = this->heat();

    Orvane::RenderTarget& screen = *demo->renderTargets[0];
    screen.bind();
    Orvane::Device::current()->clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1, 0);
    drawSky();
    drawRays(time, kick);
    drawHead(time, heat);
    drawHair(time, heat);
    drawSparks();
    screen.unbind();
    demo->restoreScreenViewport();
    finish(time);
}

void Devil::poseHeadAndHair(float time, float sway)
{
    // The hair needs the head where it was over the last moments; the scene is a function of
    // time, so it is simply posed at each of those times, the current one last.
    for (int k = HairSegments; k >= 0; --k) {
        scene_->update(time - float(k) * HairLag);
        headPast_[size_t(k)] = head_->getWorldMatrix();
    }
    hair_.update(headPast_, HeadRadius * 1.04f, time, sway);
    const auto& eye = demo->syncValues[0];
    hair_.buildRibbons({eye.x, eye.y, eye.z}, HairWidth);
}

void Devil::placeSparks(float time, float heat)
{
    sparks_.lock();
    placeFace(heat);
    for (int i = 0; i < EmberCount; ++i) {
        auto id = std::uint32_t(i) * 6u;
        float period = 3.0f + 4.0f * hashUnit(id);
        float age = fract(time / period + hashUnit(id + 1));
        float x = -160.0f + 320.0f * hashUnit(id + 2) + 12.0f * std::sin(time * 0.8f + float(i));
        float y = -60.0f + 220.0f * hashUnit(id + 3);
        float z = -90.0f + 200.0f * age;
        float size = (0.5f + 0.9f * hashUnit(id + 4)) * (1.0f - 0.5f * age);
        float alpha = std::sin(0.5f * TwoPi * age) * (0.45f + 0.5f * heat);
        int quad = FaceGlows + i;
        sparks_.setQuadPosition(quad, x, y, z);
        sparks_.setQuadSize(quad, size, size);
        sparks_.setQuadTexRect(quad, 0, 0, 1, 1);
        sparks_.setQuadColor(quad, 1.0f, 0.35f + 0.35f * hashUnit(id + 5), 0.08f, alpha);
    }
    sparks_.unlock();
}

// Two eyes and a grin of light shine through the chrome as if the head burned inside.
void Devil::placeFace(float heat)
{
    const Orvane::Matrix4& head = head_->getWorldMatrix();
    float glow = std::min(1.0f, 0.6f + heat);
    auto place = [&](int quad, const Orvane::Vector3& direction, float w, float h) {
        auto p = head.transformPoint(direction * (HeadRadius * 1.02f / Orvane::length(direction)));
        sparks_.setQuadPosition(quad, p.x, p.y, p.z);
        sparks_.setQuadSize(quad, w, h);
        sparks_.setQuadTexRect(quad, 0, 0, 1, 1);
        sparks_.setQuadColor(quad, 1.0f, 0.3f + 0.4f * heat, 0.06f, glow);
    };
    // Slanted eyes, their inner ends low: a glare.
    for (int i = 0; i < EyeGlows; ++i) {
        float along = float(i % (EyeGlows / 2)) / float(EyeGlows / 2 - 1), side = i < EyeGlows / 2 ? -1.0f : 1.0f;
        place(i, {side * (0.14f + 0.26f * along), -0.9f, 0.16f + 0.12f * along}, 2.6f + 1.2f * heat,
              1.6f + 0.8f * heat);
    }
    for (int i = 0; i < GrinGlows; ++i) {
        float x = (float(i) / float(GrinGlows - 1)) * 2.0f - 1.0f;
        place(EyeGlows + i, {0.5f * x, -0.9f, -0.3f + 0.16f * x * x}, 1.8f, 1.3f + 0.6f * heat * (1.0f - x * x));
    }
}

void Devil::drawSky()
{
    const float fov = demo->syncValues[3].x;
    demo->setSkyCamera();
    disable(Orvane::Capability::DepthTest);
    perspective(fov, demo->aspect, 1, 100000);
    Orvane::Shader& shader = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    shader.bind();
    shader.getParameter("texture").setTexture(*horizon_);
    const float infernal[4] = {1.0f, 0.42f, 0.32f, 1.0f};
    shader.getParameter("color").setFloat4(infernal);
    identityWorld();
    shader.updateState();
    sky_->draw();
    const float white[4] = {1, 1, 1, 1};
    shader.getParameter("color").setFloat4(white);
}

// Rays fan out from behind the head, as seen on the screen, and flare on every beat.
void Devil::drawRays(float time, float kick)
{
    demo->setCamera(1, 1, 2000);
    const Matrices& m = matrices();
    Orvane::Matrix4 viewProjection = m.projection * m.view;
    auto p = head_->getWorldPosition();
    float clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = viewProjection[row] * p.x + viewProjection[4 + row] * p.y + viewProjection[8 + row] * p.z
            + viewProjection[12 + row];
    if (clip[3] <= 0.0f)
        return;
    float beat = std::exp(-4.0f * fract(time / demo->rowsToSeconds(4)));
    const float centre[2] = {clip[0] / clip[3], clip[1] / clip[3]};
    resetMatrices();
    raysShader_->bind();
    raysShader_->getParameter("centre").setFloat2(centre);
    raysShader_->getParameter("aspect").setFloat(demo->aspect);
    raysShader_->getParameter("time").setFloat(time);
    raysShader_->getParameter("strength").setFloat(0.35f + 0.9f * kick * (0.4f + 0.6f * beat));
    raysShader_->updateState();
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::One, Orvane::BlendOperandEnum::One);
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    disable(Orvane::Capability::Blend);
}

void Devil::drawHead(float time, float heat)
{
    enable(Orvane::Capability::DepthTest);
    setDepthFunc(Orvane::CompareFuncEnum::LessEqual);
    demo->setCamera(1, 1, 2000);
    perspective(demo->syncValues[3].x, demo->aspect, 1, 2000);

    Orvane::Shader& chrome = demo->builtinShader(Tavrin::BuiltinShader::SphericalEnvmap);
    chrome.bind();
    chrome.getParameter("texture").setTexture(*sphereMap_);
    drawMeshes(*head_, chrome);

    hornShader_->bind();
    hornShader_->getParameter("texture").setTexture(*stone_);
    hornShader_->getParameter("envmap").setTexture(*sphereMap_);
    hornShader_->getParameter("heat").setFloat(heat);
    hornShader_->getParameter("time").setFloat(time);
    drawMeshes(*horns_, *hornShader_);
}

void Devil::drawHair(float time, float heat)
{
    identityWorld();
    hairShader_->bind();
    hairShader_->getParameter("texture").setTexture(*hairTexture_);
    const auto& eye = demo->syncValues[0];
    const float eyePosition[3] = {eye.x, eye.y, eye.z};
    hairShader_->getParameter("eye").setFloat3(eyePosition);
    hairShader_->getParameter("heat").setFloat(heat);
    hairShader_->getParameter("time").setFloat(time);
    hairShader_->updateState();
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    setDepthMask(false);
    ribbons_.draw();
}

void Devil::drawSparks()
{
    identityWorld();
    sparks_.shader->bind();
    sparks_.shader->getParameter("texture").setTexture(*spark_);
    sparks_.shader->updateState();
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::One);
    sparks_.drawQuads();
    disable(Orvane::Capability::Blend);
    setDepthMask(true);
    setDepthFunc(Orvane::CompareFuncEnum::Less);
}

void Devil::finish(float time)
{
    Orvane::RenderTarget& screen = *demo->renderTargets[0];
    Orvane::RenderTarget& picture = *demo->renderTargets[1];
    Orvane::RenderTarget& glow = *demo->renderTargets[4];
    Orvane::RenderTarget& scratch = *demo->renderTargets[5];
    auto pass = [&](Orvane::RenderTarget& into, Orvane::RenderTarget& glowSource, float brightPass, float flash) {
        into.bind();
        postShader_->bind();
        postShader_->getParameter("glow").setTexture(*glowSource.getColorTexture());
        postShader_->getParameter("brightPass").setFloat(brightPass);
        postShader_->getParameter("threshold").setFloat(0.55f);
        postShader_->getParameter("glowGain").setFloat(1.3f);
        postShader_->getParameter("flash").setFloat(flash);
        demo->drawFullscreenTexture(*postShader_, *screen.getColorTexture());
        into.unbind();
        demo->restoreScreenViewport();
    };
    pass(glow, scratch, 1.0f, 0.0f);
    demo->blurTarget(glow, scratch, 2, 1.0f, 1.0f);
    float flash = 0.0f;
    for (float crash : CrashRows)
        flash = std::max(flash, 0.8f * demo->envelope(time, demo->rowsToSeconds(crash), 0.02f, 0.6f, 2.0f));
    pass(picture, glow, 0.0f, flash);
    picture.bind();
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    drawGreetings(time);
    picture.unbind();
    demo->restoreScreenViewport();
    ditherLevel_.apply(dither_, picture, 1.0f);
    disable(Orvane::Capability::DepthTest);
}

void Devil::drawGreetings(float time)
{
    const float slotSeconds = demo->rowsToSeconds(GreetingSlotRows);
    int slot = int(std::floor(time / slotSeconds));
    if (slot < 0 || slot >= GreetingCount)
        return;
    float local = time - float(slot) * slotSeconds;
    float in = std::clamp((local - 0.15f) / 0.35f, 0.0f, 1.0f);
    float out = std::clamp((slotSeconds - local) / 0.45f, 0.0f, 1.0f);
    float alpha = in * out;
    if (alpha <= 0.0f)
        return;
    // Each name lands with a small punch and drifts up a little as it leaves.
    float scale = 1.0f + 0.3f * (1.0f - in) * (1.0f - in);
    // The overlays are four times as wide as high, in screen pixels.
    float width = 1.3f * scale, height = width * 0.25f * float(demo->width) / float(demo->viewportHeight);
    float centreY = -0.62f + 0.08f * (1.0f - out);
    resetMatrices();
    disable(Orvane::Capability::DepthTest);
    // Added, not laid over: a name fading in glows up out of the picture instead of greying it.
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::One);
    Orvane::Shader& shader = demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    shader.bind();
    shader.getParameter("texture").setTexture(*greetings_[size_t(slot)]);
    // Names heat up from ember red to white as they come in, and cool as they go.
    const float tint[4] = {1, 0.35f + 0.65f * alpha, 0.15f + 0.85f * alpha, alpha};
    shader.getParameter("color").setFloat4(tint);
    shader.updateState();
    demo->drawQuad(-width / 2, centreY - height / 2, width, height, 0, 0, 1, 1);
    const float white[4] = {1, 1, 1, 1};
    shader.getParameter("color").setFloat4(white);
    disable(Orvane::Capability::Blend);
}

}
