#include "nightglass/kit/Hair.h"

#include "orvane/VertexBinding.h"

#include <algorithm>
#include <cmath>

namespace Nightglass {

using Orvane::Vector3;

namespace {

constexpr int RibbonComponents[4] = {3, 2, 3, 4};
static_assert(sizeof(HairStrands::RibbonVertex) == 12 * sizeof(float), "four float attributes, tightly packed");

inline Vector3 unit(const Vector3& v)
{
    float squared = Orvane::dot(v, v);
    return squared > 1e-12f ? v * (1.0f / std::sqrt(squared)) : Vector3(0, 0, 1);
}

// 0..1 from an integer, the same on every run and machine.
float hashUnit(std::uint32_t n)
{
    n = (n ^ 61u) ^ (n >> 16);
    n *= 9u;
    n ^= n >> 4;
    n *= 0x27d4eb2du;
    n ^= n >> 15;
    return float(n & 0xffffffu) / float(0xffffff);
}

Vector3 rotated(const Orvane::Matrix4& m, const Vector3& v)
{
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
            m[2] * v.x + m[6] * v.y + m[10] * v.z};
}

// A sine sampled at evenly spaced angles by rotating a unit vector, instead of a sine per sample.
struct Phasor {
    Phasor(float angle, float stepAngle)
        : cosine(std::cos(angle))
        , sine(std::sin(angle))
        , stepCosine(std::cos(stepAngle))
        , stepSine(std::sin(stepAngle))
    {}
    void advance()
    {
        float c = cosine * stepCosine - sine * stepSine;
        sine = sine * stepCosine + cosine * stepSine;
        cosine = c;
    }
    float cosine, sine, stepCosine, stepSine;
};

// Hair grows over the crown, the back and the sides, and leaves the face free.
bool onScalp(const Vector3& n) { return (n.z > 0.5f && n.y > -0.2f) || (n.y > -0.3f && n.z > -0.3f); }

}

HairStrands::HairStrands(std::vector<HairRoot> roots, int segments)
    : roots_(std::move(roots))
    , segments_(std::max(1, segments))
    , backs_(size_t(segments_ + 1))
    , points_(roots_.size() * size_t(segments_ + 1))
    , ribbons_(points_.size() * 2)
{}

void HairStrands::update(const std::vector<Orvane::Matrix4>& headPast, float headRadius, float time, float sway)
{
    for (int k = 0; k <= segments_; ++k)
        backs_[size_t(k)] = rotated(headPast[std::min(size_t(k), headPast.size() - 1)], Vector3(0, 1, 0));
    for (int strand = 0; strand < strandCount(); ++strand)
        followHead(strand, headPast, headRadius, time, sway);
}

void HairStrands::followHead(int strand, const std::vector<Orvane::Matrix4>& headPast, float headRadius, float time,
                             float sway)
{
    const HairRoot& root = roots_[size_t(strand)];
    const Orvane::Matrix4& now = headPast.front();
    const Vector3 centre(now[12], now[13], now[14]);
    const Vector3 down(0, 0, -1);
    float segmentLength = root.length / float(segments_);
    float step = 1.0f / float(segments_);
    // The two waves that run down the strand, turned on by one step per segment.
    Phasor across(2.3f * time + root.phase - 4.0f * step, -4.0f * step);
    Phasor along(1.7f * time + 2.0f * root.phase - 3.0f * step, -3.0f * step);
    Vector3* points = &points_[size_t(strand * (segments_ + 1))];
    points[0] = now.transformPoint(root.position);
    for (int k = 1; k <= segments_; ++k) {
        const Orvane::Matrix4& then = headPast[std::min(size_t(k), headPast.size() - 1)];
        float s = float(k) * step;
        Vector3 out = rotated(then, root.direction);
        Vector3 side = unit(Orvane::cross(out, down));
        float swing = sway * root.length * 0.22f * s * std::sqrt(s);
        Vector3 target = then.transformPoint(root.position) + out * (root.length * 0.6f * s + 0.4f * swing * along.sine)
            + backs_[size_t(k)] * (root.length * 0.3f * s) + down * (root.length * 1.0f * s * s)
            + side * (swing * across.sine);
        across.advance();
        along.advance();
        Vector3 next = points[k - 1] + unit(target - points[k - 1]) * segmentLength;
        // Aim at the surface above a point that went into the head until the segment clears it.
        for (int pass = 0; pass < 4; ++pass) {
            Vector3 fromCentre = next - centre;
            if (Orvane::dot(fromCentre, fromCentre) >= headRadius * headRadius)
                break;
            next = points[k - 1] + unit(centre + unit(fromCentre) * headRadius - points[k - 1]) * segmentLength;
        }
        points[k] = next;
    }
}

void HairStrands::buildRibbons(const Vector3& eye, float width)
{
    RibbonVertex* out = ribbons_.data();
    for (int strand = 0; strand < strandCount(); ++strand) {
        float shade = 0.7f + 0.3f * hashUnit(std::uint32_t(strand) * 7u + 1u);
        for (int k = 0; k <= segments_; ++k) {
            const Vector3& p = point(strand, k);
            Vector3 tangent = unit(point(strand, std::min(k + 1, segments_)) - point(strand, std::max(k - 1, 0)));
            float s = float(k) / float(segments_);
            Vector3 side = unit(Orvane::cross(tangent, eye - p)) * (0.5f * width * (1.0f - 0.6f * s));
            for (int edge = 0; edge < 2; ++edge) {
                Vector3 q = edge == 0 ? p - side : p + side;
                *out++
                    = {{q.x, q.y, q.z}, {float(edge), s}, {tangent.x, tangent.y, tangent.z}, {shade, shade, shade, 1}};
            }
        }
    }
}

std::vector<std::uint32_t> HairStrands::ribbonQuads() const
{
    std::vector<std::uint32_t> quads;
    quads.reserve(size_t(strandCount() * segments_ * 4));
    for (int strand = 0; strand < strandCount(); ++strand) {
        std::uint32_t first = std::uint32_t(strand * (segments_ + 1) * 2);
        for (int k = 0; k < segments_; ++k) {
            std::uint32_t a = first + std::uint32_t(2 * k);
            quads.insert(quads.end(), {a, a + 1, a + 3, a + 2});
        }
    }
    return quads;
}

std::vector<HairRoot> scalpRoots(int count, float radius, float shortest, float longest)
{
    // A golden-angle spiral over the whole sphere, dense enough that count of its points lie on
    // the scalp; they spread evenly without clumps.
    std::vector<HairRoot> roots;
    for (int lattice = count * 2; int(roots.size()) < count; lattice *= 2) {
        roots.clear();
        for (int i = 0; i < lattice && int(roots.size()) < count; ++i) {
            float z = 1.0f - (float(i) + 0.5f) * 2.0f / float(lattice);
            float ring = std::sqrt(std::max(0.0f, 1.0f - z * z)), angle = 2.3999632f * float(i);
            Vector3 n(ring * std::cos(angle), ring * std::sin(angle), z);
            if (!onScalp(n))
                continue;
            auto id = std::uint32_t(roots.size());
            float length = shortest + (longest - shortest) * hashUnit(id * 3u + 11u);
            // Combed back: every strand leaves the scalp leaning towards the nape.
            Vector3 combed = unit(n + Vector3(0, 1.2f, 0.25f));
            roots.push_back({n * (radius * 0.97f), combed, length, 6.2831853f * hashUnit(id * 5u + 2u)});
        }
    }
    return roots;
}

HairRibbons::HairRibbons(HairStrands& strands)
    : strands_(strands)
    , vertices_(4, RibbonComponents, int(strands.ribbons().size()), Orvane::hardware_mem_stream_draw,
                strands.ribbons().data())
    , indexData_(strands.ribbonQuads())
    , indices_(int(indexData_.size()), Orvane::system_mem, indexData_.data(), Orvane::IndexBuffer::UnsignedInt)
{}

void HairRibbons::draw()
{
    using Orvane::AttributeSemantic;
    vertices_.setData(strands_.ribbons().data(), int(strands_.ribbons().size()));
    Orvane::VertexBinding binding(vertices_,
                                  {AttributeSemantic::Position, AttributeSemantic::TexCoord0,
                                   AttributeSemantic::TexCoord1, AttributeSemantic::Color});
    indices_.draw(Orvane::PrimitiveTypeEnum::Quads, 0, -1);
}

}
