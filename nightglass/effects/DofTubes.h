#pragma once

#include "nightglass/kit/BranchNode.h"
#include "orvane/IndexBuffer.h"
#include "orvane/VertexBuffer.h"
#include "tavrin/flow/VisualContainerNode.h"

namespace Orvane {
class Shader;
class Texture;
}

namespace Nightglass {

// A large random branch tree drawn as soft ribbons: every branch is a strip of five quads whose
// vertices carry the vectors to their neighbours, and the tube shader turns them into
// camera-facing tubes that blur with their distance from the focal plane. The geometry is built
// once; only the camera moves. Behind them lies a dim starry night.
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
