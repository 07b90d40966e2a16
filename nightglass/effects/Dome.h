#pragma once

// Dome: a tree of soft light grows into the dusk.
//
// What the viewer sees: the dusk sky ("objects/skydome.fgm" with "textures/horizon.jpg") turned
// with the camera, and in front of it a branching tree of ten thousand soft glowing particles
// drawn with depth of field.
//
// What moves with time: the tree grows from the origin a level of branches per second from 2 s
// on, each branch's particles appearing one after another from its start to its end, and fades
// again five seconds after it grew, from the trunk up. Everything follows from the demo time.
//
// What reacts to the music: nothing; the opening is paced by its own growth.
//
// Sync tracks: the camera (tracks 0-3, see the dome section of tracks/default.txt).

#include "nightglass/kit/BranchNode.h"
#include "nightglass/kit/DofParticles.h"
#include "orvane/Forward.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Nightglass {

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
