#include "SplineBranch.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cmath>

namespace AssetKit {

using Orvane::Vector3;

namespace {

constexpr float TwoPi = 6.28318531f;

Vector3 normalised(Vector3 v)
{
    v.normalize();
    return v;
}

Vector3 anyPerpendicular(const Vector3& t)
{
    Vector3 axis = std::fabs(t.z) < 0.9f ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    return normalised(cross(axis, t));
}

// One ring of the tube: its centre, frame and corners.
struct Ring {
    Vector3 centre, tangent, normal, binormal;
    float radius = 0, v = 0;
    std::vector<Vector3> corners;

    Vector3 facetNormal(int facet, int sides) const
    {
        float a = TwoPi * (float(facet) + 0.5f) / float(sides);
        return normal * std::cos(a) + binormal * std::sin(a);
    }
};

std::vector<Ring> sampleRings(const BranchShape& shape)
{
    int count = int(shape.path.size() - 1) * shape.stepsPerSpan + 1;
    std::vector<Ring> rings(static_cast<size_t>(count), Ring{});
    for (int i = 0; i < count; ++i)
        rings[size_t(i)].centre = catmullRom(shape.path, float(i) / float(shape.stepsPerSpan));
    std::vector<float> arc(size_t(count), 0.0f);
    for (int i = 1; i < count; ++i)
        arc[size_t(i)] = arc[size_t(i - 1)] + Orvane::length(rings[size_t(i)].centre - rings[size_t(i - 1)].centre);
    float total = arc.back() + shape.tipLength;
    for (int i = 0; i < count; ++i) {
        Ring& ring = rings[size_t(i)];
        const Vector3& ahead = rings[size_t(std::min(i + 1, count - 1))].centre;
        const Vector3& behind = rings[size_t(std::max(i - 1, 0))].centre;
        ring.tangent = normalised(ahead - behind);
        // Parallel transport keeps the facets from twisting along the curve.
        Vector3 previous = i == 0 ? anyPerpendicular(ring.tangent) : rings[size_t(i - 1)].normal;
        ring.normal = normalised(previous - ring.tangent * dot(previous, ring.tangent));
        ring.binormal = cross(ring.tangent, ring.normal);
        float along = arc[size_t(i)] / std::max(arc.back(), 1e-6f);
        ring.radius = shape.rootRadius + (shape.tipRadius - shape.rootRadius) * along;
        ring.v = shape.growthStart + (shape.growthEnd - shape.growthStart) * arc[size_t(i)] / total;
        for (int k = 0; k < shape.sides; ++k) {
            float a = TwoPi * float(k) / float(shape.sides);
            ring.corners.push_back(ring.centre
                                   + (ring.normal * std::cos(a) + ring.binormal * std::sin(a)) * ring.radius);
        }
    }
    return rings;
}

void addFacets(Mesh& mesh, const Ring& a, const Ring& b, int sides)
{
    for (int k = 0; k < sides; ++k) {
        int next = (k + 1) % sides;
        float u0 = float(k) / float(sides), u1 = float(k + 1) / float(sides);
        std::uint32_t a0 = mesh.addVertex(a.corners[size_t(k)], a.facetNormal(k, sides), {u0, a.v});
        std::uint32_t a1 = mesh.addVertex(a.corners[size_t(next)], a.facetNormal(k, sides), {u1, a.v});
        std::uint32_t b1 = mesh.addVertex(b.corners[size_t(next)], b.facetNormal(k, sides), {u1, b.v});
        std::uint32_t b0 = mesh.addVertex(b.corners[size_t(k)], b.facetNormal(k, sides), {u0, b.v});
        mesh.addTriangle(a0, a1, b1);
        mesh.addTriangle(a0, b1, b0);
    }
}

void addRootCap(Mesh& mesh, const Ring& root, int sides)
{
    Vector3 down = root.tangent * -1.0f;
    std::uint32_t centre = mesh.addVertex(root.centre, down, {0.5f / float(sides), root.v});
    for (int k = 0; k < sides; ++k) {
        float u = (float(k) + 0.5f) / float(sides);
        std::uint32_t c0 = mesh.addVertex(root.corners[size_t(k)], down, {u, root.v});
        std::uint32_t c1 = mesh.addVertex(root.corners[size_t((k + 1) % sides)], down, {u, root.v});
        mesh.addTriangle(centre, c1, c0);
    }
}

void addPointedTip(Mesh& mesh, const Ring& last, float tipLength, float apexV, int sides)
{
    Vector3 apex = last.centre + last.tangent * tipLength;
    for (int k = 0; k < sides; ++k) {
        const Vector3& c0 = last.corners[size_t(k)];
        const Vector3& c1 = last.corners[size_t((k + 1) % sides)];
        Vector3 facet = normalised(cross(c1 - c0, apex - c0));
        float u0 = float(k) / float(sides), u1 = float(k + 1) / float(sides);
        std::uint32_t a = mesh.addVertex(c0, facet, {u0, last.v});
        std::uint32_t b = mesh.addVertex(c1, facet, {u1, last.v});
        std::uint32_t c = mesh.addVertex(apex, facet, {(u0 + u1) * 0.5f, apexV});
        mesh.addTriangle(a, b, c);
    }
}

}

Vector3 catmullRom(const std::vector<Vector3>& path, float s)
{
    int last = int(path.size()) - 1;
    float clamped = std::clamp(s, 0.0f, float(last));
    int i = std::min(int(clamped), last - 1);
    float t = clamped - float(i);
    const Vector3& p0 = path[size_t(std::max(i - 1, 0))];
    const Vector3& p1 = path[size_t(i)];
    const Vector3& p2 = path[size_t(i + 1)];
    const Vector3& p3 = path[size_t(std::min(i + 2, last))];
    float t2 = t * t, t3 = t2 * t;
    return (p1 * 2.0f + (p2 - p0) * t + (p0 * 2.0f - p1 * 5.0f + p2 * 4.0f - p3) * t2
            + (p1 * 3.0f - p0 - p2 * 3.0f + p3) * t3)
        * 0.5f;
}

Mesh makeSplineBranch(const BranchShape& shape)
{
    if (shape.path.size() < 2 || shape.sides < 3 || shape.stepsPerSpan < 1)
        throw Orvane::Exceptions::Exception(
            "makeSplineBranch: a branch needs two path points, three sides and one step per span");
    std::vector<Ring> rings = sampleRings(shape);
    Mesh mesh;
    addRootCap(mesh, rings.front(), shape.sides);
    for (size_t i = 0; i + 1 < rings.size(); ++i)
        addFacets(mesh, rings[i], rings[i + 1], shape.sides);
    addPointedTip(mesh, rings.back(), shape.tipLength, shape.growthEnd, shape.sides);
    return mesh;
}

}
