#pragma once

#include "orvane/IndexBuffer.h"
#include "orvane/Matrix4.h"
#include "orvane/Vector.h"
#include "orvane/VertexBuffer.h"

#include <cstdint>
#include <vector>

namespace Nightglass {

// Where a strand grows, in the coordinates of the head that carries it.
struct HairRoot {
    Orvane::Vector3 position;
    Orvane::Vector3 direction;  // unit length, the way the strand leaves the scalp
    float length;
    float phase;  // offsets the strand's sway from its neighbours'
};

// Long hair as a function of time: point k of every strand follows the head as it was k lag
// seconds ago, so the hair trails every move of the head, then falls under its weight and sways.
// Each segment keeps its length, so a strand is always as long as asked, and its points are
// pushed out of the head's sphere. No state is carried between frames: any time can be shown on
// its own.
class HairStrands {
public:
    struct RibbonVertex {
        float position[3];
        float texCoord[2];  // across the ribbon, along the strand (0 at the root)
        float tangent[3];
        float color[4];
    };

    HairStrands(std::vector<HairRoot> roots, int segments);

    // headPast[k] is the head's world transform k lags ago (the caller's lag), for k = 0 ..
    // segments. The head is a sphere of headRadius around its origin. sway scales the swing of
    // the strands across their fall (0: none).
    void update(const std::vector<Orvane::Matrix4>& headPast, float headRadius, float time, float sway);
    // Camera-facing ribbons of the given root width, two vertices per strand point.
    void buildRibbons(const Orvane::Vector3& eye, float width);

    int strandCount() const { return int(roots_.size()); }
    const Orvane::Vector3& point(int strand, int k) const { return points_[size_t(strand * (segments_ + 1) + k)]; }
    const std::vector<RibbonVertex>& ribbons() const { return ribbons_; }
    // Four indices per segment, quads along each ribbon.
    std::vector<std::uint32_t> ribbonQuads() const;

private:
    void followHead(int strand, const std::vector<Orvane::Matrix4>& headPast, float headRadius, float time, float sway);

    std::vector<HairRoot> roots_;
    int segments_;
    std::vector<Orvane::Vector3> backs_;  // the head's backward direction k lags ago
    std::vector<Orvane::Vector3> points_;
    std::vector<RibbonVertex> ribbons_;
};

// A scalp of count roots over the top, back and sides of a head sphere of the given radius
// (z up, the face looking down -y), with lengths from shortest to longest; the same every call.
std::vector<HairRoot> scalpRoots(int count, float radius, float shortest, float longest);

// The strands drawn as textured ribbons from a vertex buffer refilled every frame.
class HairRibbons {
public:
    explicit HairRibbons(HairStrands& strands);

    // Uploads the strands' ribbons and draws them with the bound shader.
    void draw();

private:
    HairStrands& strands_;
    Orvane::VertexBuffer vertices_;
    std::vector<std::uint32_t> indexData_;
    Orvane::IndexBuffer indices_;
};

}
