#pragma once

#include "nightglass/kit/BranchNode.h"
#include "nightglass/kit/DofParticles.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Orvane {
class Texture;
namespace Utils {
class Geometry;
}
}

namespace Nightglass {

// The opening: a sky that turns with the camera and, in front of it, a tree of soft glowing
// particles that grows branch by branch from the origin and dissolves again from the trunk up.
// Everything follows from the absolute demo time, so a seek shows the right picture at once.
class Dome : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int ParticleCount = 10000;
    static constexpr int ParticlesPerBranch = 20;

    explicit Dome(Tavrin::Demo* demo);
    ~Dome() override;

    void draw(float time) override;

    // Writes every particle for the demo time: each branch's particles appear one after another
    // from its start to its end, a level per second from 2 s on, and fade out five seconds later.
    void fillParticles(float demoTime);

    DofParticles& getParticles() { return particles_; }
    const BranchNode& getTree() const { return tree_; }

private:
    int fill(int next, float level, float demoTime, const BranchNode& node);
    void drawSky();

    Orvane::Utils::Geometry* sky_;
    Orvane::Texture* horizon_;
    DofParticles particles_;
    BranchNode tree_;
};

}
