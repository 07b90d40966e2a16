#pragma once

// DofTubes: soft branches in depth of field.
//
// What the viewer sees: a large random branch tree drawn as soft tubes, sharp near the focal
// plane and blurring with their distance from it, over a dim starry night.
//
// What moves with time: only the camera; the geometry is built once.
//
// What reacts to the music: nothing; the closing section winds down on the camera alone.
//
// Sync tracks: the camera (tracks 0-3, see the doftubes section of tracks/default.txt).

#include "nightglass/kit/BranchNode.h"
#include "orvane/Forward.h"
#include "orvane/IndexBuffer.h"
#include "orvane/VertexBuffer.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Nightglass {

class DofTubes : public Tavrin::Flow::VisualContainerNode {
public:
    // Two vertices per tube point, six points per branch.
    struct Vertex {
        float position[3];
        float towardsPrevious[3];
        float towardsNext[3];
        float along;
    };
    static constexpr int PointCapacity = 20000;
    static constexpr int PointsPerBranch = 6;

    explicit DofTubes(Tavrin::Demo* demo);

    void draw(float time) override;

    const BranchNode& getTree() const { return tree_; }
    int getPointCount() const { return pointCount_; }
    int getIndexCount() const { return indexCount_; }
    Orvane::VertexBuffer& getVertices() { return vertices_; }
    Orvane::IndexBuffer& getIndices() { return indices_; }

private:
    void fill(const BranchNode& node, Vertex* vertices, std::uint32_t* indices);
    // The starry night behind the tubes, for the camera already set.
    void drawBackdrop();

    BranchNode tree_;
    Orvane::VertexBuffer vertices_;
    Orvane::IndexBuffer indices_;
    Orvane::Shader* shader_;
    Orvane::Texture* texture_;
    Orvane::Shader* backdrop_;
    int pointCount_ = 0;
    int indexCount_ = 0;
};

}
