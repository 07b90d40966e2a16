#pragma once

#include "tavrin/flow/VisualContainerNode.h"

namespace Orvane {
class Shader;
class Texture;
namespace Utils {
class Geometry;
}
}

namespace Nightglass {

// The breakdown: one ring mesh drawn a hundred times, each copy nested inside the one before and
// turned a little further, so the copies twist into a vortex while the strength swells and falls.
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
