#pragma once

// Desp: a hundred nested rings turning.
//
// What the viewer sees: one ring mesh drawn a hundred times, each copy nested inside the one
// before and turned a little further, so the copies twist into a vortex.
//
// What moves with time: the twist's strength swells in over 1 to 3 s, dips at 8 to 9.5 s and
// unwinds by 15 s.
//
// What reacts to the music: nothing directly; the breakdown's swell and rebuild are keyed in time.
//
// Sync tracks: the camera (tracks 0-3, see the desp section of tracks/default.txt).

#include "orvane/Forward.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Nightglass {

class Desp : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int Copies = 100;
    static constexpr float Shrink = 0.95f;
    static constexpr float OuterScale = 10.0f;

    explicit Desp(Tavrin::Demo* demo);

    void draw(float time) override;

    // How far the copies turn at local time x: in over 1-3 s, a dip at 8-9.5 s, out by 15 s.
    float strength(float x) const;

private:
    Orvane::Utils::Geometry* mesh_;
    Orvane::Shader* shader_;
    Orvane::Texture* texture_;
};

}
