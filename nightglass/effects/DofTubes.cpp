#include "nightglass/effects/DofTubes.h"

#include "nightglass/kit/Focus.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

namespace {

static_assert(sizeof(DofTubes::Vertex) == 40, "four float attributes, tightly packed");

constexpr int VertexComponents[4] = {3, 3, 3, 1};
constexpr int TreeDepth = 10;
constexpr Vec3 TrunkDirection{0, 0, 60};
constexpr Vec3 TreeSpread{160.3f, 160.3f, 160.3f};
constexpr Vec3 TreeDecay{0.79f, 0.79f, 0.79f};
constexpr int BranchesPerNode = 3;
constexpr float ViewAngleDegrees = 45.0f;
constexpr int IndexCapacity = 8 * DofTubes::PointCapacity - 8;

// The two vertices of a point carry opposite vectors, which is how the shader tells the tube's
// two sides apart.
void setPointVectors(DofTubes::Vertex* point, const float* previous, const float* next)
{
    for (int c = 0; c < 3; ++c) {
        point[0].towardsPrevious[c] = previous[c];
        point[0].towardsNext[c] = next[c];
        point[1].towardsPrevious[c] = -previous[c];
        point[1].towardsNext[c] = -next[c];
    }
}

}

DofTubes::DofTubes(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , tree_(TreeDepth, {0, 0, 0}, TrunkDirection, TreeSpread, TreeDecay, BranchesPerNode)
    , vertices_(4, VertexComponents, 2 * PointCapacity, Orvane::hardware_mem_static_draw, nullptr)
    , indices_(IndexCapacity, Orvane::hardware_mem_static_draw, nullptr, Orvane::IndexBuffer::UnsignedInt)
    , shader_(owner->loadShader("shaders/dof_tubes.cg"))
    , texture_(owner->loadTexture("textures/fluffy.png"))
    , backdrop_(owner->loadShader("shaders/dof_backdrop.cg"))
{
    auto* vertices = static_cast<Vertex*>(vertices_.lock(true, true));
    auto* indices = static_cast<std::uint32_t*>(indices_.lock(true, true));
    if (!indices) {
        vertices_.unlock();
        throw Orvane::Exceptions::Exception("DofTubes: cannot map the tube index buffer");
    }
    fill(tree_, vertices, indices);
    indices_.unlock();
    vertices_.unlock();
}

void DofTubes::fill(const BranchNode& node, Vertex* vertices, std::uint32_t* indices)
{
    const int first = pointCount_;
    float positions[PointsPerBranch][3];
    for (int k = 0; k < PointsPerBranch; ++k) {
        float m = float(k) / float(PointsPerBranch - 1);
        positions[k][0] = node.position.x + m * node.direction.x;
        positions[k][1] = node.position.y + m * node.direction.y;
        positions[k][2] = node.position.z + m * node.direction.z;
    }
    Vertex* points = vertices + 2 * first;
    for (int k = 0; k < PointsPerBranch; ++k) {
        // Each branch is its own strip: its end points look only along the branch itself.
        const float* before = positions[k > 0 ? k - 1 : k + 1];
        const float* after = positions[k < PointsPerBranch - 1 ? k + 1 : k - 1];
        float previous[3], next[3];
        for (int c = 0; c < 3; ++c) {
            previous[c] = before[c] - positions[k][c];
            next[c] = after[c] - positions[k][c];
        }
        for (int side = 0; side < 2; ++side) {
            std::copy(positions[k], positions[k] + 3, points[2 * k + side].position);
            points[2 * k + side].along = float(k) / float(PointsPerBranch);
        }
        setPointVectors(points + 2 * k, previous, next);
    }
    for (int k = 0; k < PointsPerBranch - 1; ++k) {
        auto a = std::uint32_t(2 * (first + k));
        const std::uint32_t quad[4] = {a, a + 1, a + 3, a + 2};
        std::copy(quad, quad + 4, indices + indexCount_);
        indexCount_ += 4;
    }
    pointCount_ += PointsPerBranch;
    for (const auto& child : node.children)
        if (pointCount_ + PointsPerBranch <= PointCapacity)
            fill(*child, vertices, indices);
}

void DofTubes::drawBackdrop()
{
    const float halfHeight = std::tan(ViewAngleDegrees * 0.5f * 3.14159265f / 180.0f);
    const float halfView[2] = {halfHeight * demo->aspect, halfHeight};
    disable(Orvane::Capability::Blend);
    disable(Orvane::Capability::DepthTest);
    setDepthMask(false);
    backdrop_->bind();
    backdrop_->updateState();
    backdrop_->getParameter("halfView").setFloat2(halfView);
    demo->drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);
    setDepthMask(true);
}

void DofTubes::draw(float)
{
    using Orvane::AttributeSemantic;
    demo->setCamera(1, 1, 1000);
    perspective(ViewAngleDegrees, demo->aspect, 1, 10000);
    drawBackdrop();
    shader_->bind();
    shader_->updateState();
    shader_->getParameter("texture").setTexture(*texture_);
    shader_->getParameter("focus").setFloat(focusDistance(*demo));
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    // The soft tubes are drawn unsorted: a depth test would let a nearer tube's transparent
    // fringe cut holes into the ones behind it.
    disable(Orvane::Capability::DepthTest);
    vertices_.enable(0, AttributeSemantic::Position);
    vertices_.enable(1, AttributeSemantic::TexCoord0);
    vertices_.enable(2, AttributeSemantic::TexCoord1);
    vertices_.enable(3, AttributeSemantic::TexCoord2);
    indices_.draw(Orvane::PrimitiveTypeEnum::Quads, 0, indexCount_);
    vertices_.disable(AttributeSemantic::Position);
    vertices_.disable(AttributeSemantic::TexCoord0);
    vertices_.disable(AttributeSemantic::TexCoord1);
    vertices_.disable(AttributeSemantic::TexCoord2);
}

}
