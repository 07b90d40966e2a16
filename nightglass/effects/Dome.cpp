#include "nightglass/effects/Dome.h"

#include "nightglass/kit/Focus.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

namespace {

// The tree's trunk rises along z; its branches turn wide at first and less on every level.
constexpr int TreeDepth = 8;
constexpr Vec3 TrunkDirection{0, 0, 20};
constexpr Vec3 TreeSpread{50.3f, 50.3f, 50.3f};
constexpr Vec3 TreeDecay{0.79f, 0.79f, 0.79f};
constexpr int BranchesPerNode = 3;

// The root's particles start to grow at 2 s, each deeper level a second later, and grow to a
// half size of FullSize / level.
constexpr float RootLevel = 2.0f;
constexpr float FullSize = 15.0f;

}

Dome::Dome(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , sky_(owner->loadGeometry("objects/skydome.fgm"))
    , horizon_(owner->loadTexture("textures/horizon.jpg"))
    , particles_(owner, ParticleCount)
    , tree_(TreeDepth, {0, 0, 0}, TrunkDirection, TreeSpread, TreeDecay, BranchesPerNode)
{
    horizon_->setWrap(Orvane::Clamp);
}

Dome::~Dome() = default;

void Dome::fillParticles(float demoTime)
{
    particles_.lock();
    fill(0, RootLevel, demoTime, tree_);
    particles_.unlock();
}

int Dome::fill(int next, float level, float demoTime, const BranchNode& node)
{
    for (int j = 0; j < ParticlesPerBranch; ++j) {
        float along = 0.05f * float(j);
        float b = demoTime - level - along;
        float grown = demo->cosineEase(std::clamp(b, 0.0f, 1.0f));
        float size = grown * FullSize / level;
        // Opaque for five seconds after it starts to appear, then fading out over one.
        float alpha = std::min(1.0f, 6.0f - b);
        particles_.setQuadPosition(next, node.position.x + along * node.direction.x,
                                   node.position.y + along * node.direction.y,
                                   node.position.z + along * node.direction.z);
        particles_.setQuadSize(next, size, size);
        particles_.setQuadColor(next, 1, 1, 1, alpha);
        particles_.setQuadTexRect(next, 0, 0, 1, 1);
        if (++next == particles_.count)
            return next;
    }
    for (const auto& child : node.children) {
        next = fill(next, level + 1, demoTime, *child);
        if (next == particles_.count)
            break;
    }
    return next;
}

void Dome::draw(float)
{
    fillParticles(demo->time);
    drawSky();
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    demo->setCamera(1, 1, 1000);
    particles_.shader->getParameter("focus").setFloat(focusDistance(*demo));
    particles_.drawSorted();
    disable(Orvane::Capability::Blend);
}

void Dome::drawSky()
{
    Orvane::Shader* shader = &demo->builtinShader(Tavrin::BuiltinShader::TextureColor);
    disable(Orvane::Capability::DepthTest);
    shader->bind();
    shader->getParameter("texture").setTexture(*horizon_);
    // The shared textured-colour shader keeps the tint of its last user (a faded overlay).
    const float untinted[4] = {1, 1, 1, 1};
    shader->getParameter("color").setFloat4(untinted);
    demo->setSkyCamera();
    shader->updateState();
    sky_->draw();
}

}
