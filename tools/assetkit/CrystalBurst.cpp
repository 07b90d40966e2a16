#include "CrystalBurst.h"

#include <algorithm>
#include <cmath>

namespace AssetKit {

using Orvane::Vector3;

namespace {

constexpr float Pi = 3.14159265f;

// A small deterministic generator, so the mesh is the same on every machine.
class Dice {
public:
    explicit Dice(std::uint32_t seed)
        : state_(seed * 2654435761u + 1u)
    {}
    float unit()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return float(state_ >> 8) / 16777216.0f;
    }
    float signedUnit() { return unit() * 2.0f - 1.0f; }

private:
    std::uint32_t state_;
};

Vector3 normalised(Vector3 v)
{
    v.normalize();
    return v;
}

// Rodrigues' rotation of v about the unit axis.
Vector3 rotated(const Vector3& v, const Vector3& axis, float angle)
{
    float c = std::cos(angle), s = std::sin(angle);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1.0f - c));
}

Vector3 perpendicular(const Vector3& d, Dice& dice)
{
    Vector3 random{dice.signedUnit(), dice.signedUnit(), dice.signedUnit()};
    Vector3 p = random - d * dot(random, d);
    return length(p) > 1e-3f ? normalised(p) : normalised(cross(d, Vector3{0, 0, 1}));
}

struct Sprout {
    Vector3 start, direction;
    float length, radius, growth;
    int level;
};

// The path of one branch: straight segments whose heading drifts by a small random turn and a
// common curl about the vertical, so the burst reads as grown, not drawn with a ruler.
std::vector<Vector3> branchPath(const Sprout& sprout, float curl, Dice& dice)
{
    constexpr int Segments = 4;
    std::vector<Vector3> path{sprout.start};
    Vector3 heading = sprout.direction;
    for (int i = 0; i < Segments; ++i) {
        heading = rotated(heading, perpendicular(heading, dice), 0.12f * dice.signedUnit());
        heading = normalised(rotated(heading, Vector3{0, 0, 1}, curl));
        path.push_back(path.back() + heading * (sprout.length / Segments));
    }
    return path;
}

Vector3 fibonacciDirection(int i, int count)
{
    float z = 1.0f - 2.0f * (float(i) + 0.5f) / float(count);
    float ring = std::sqrt(std::max(0.0f, 1.0f - z * z));
    float angle = float(i) * Pi * (3.0f - std::sqrt(5.0f));
    return {ring * std::cos(angle), ring * std::sin(angle), z};
}

}

std::vector<BranchShape> growCrystalBurst(const CrystalBurstParams& params)
{
    Dice dice(params.seed);
    std::vector<Sprout> pending;
    for (int i = 0; i < params.mainBranches; ++i) {
        Vector3 d = fibonacciDirection(i, params.mainBranches);
        // Rooted a little inside the core, so no gap shows where a branch meets it.
        float length = params.reach * (0.75f + 0.5f * dice.unit());
        pending.push_back({d * (params.coreRadius * 0.85f), d, length, params.rootRadius, 0.0f, 1});
    }
    std::vector<BranchShape> shapes;
    for (size_t next = 0; next < pending.size(); ++next) {
        Sprout sprout = pending[next];
        BranchShape shape;
        shape.path = branchPath(sprout, 0.08f * float(sprout.level), dice);
        shape.rootRadius = sprout.radius;
        shape.tipRadius = sprout.radius * 0.45f;
        shape.tipLength = sprout.radius * 2.5f;
        shape.sides = params.sides;
        shape.stepsPerSpan = std::max(2, 7 - 2 * sprout.level);
        shape.growthStart = sprout.growth;
        shape.growthEnd = sprout.growth + sprout.length + shape.tipLength;
        shapes.push_back(shape);
        if (sprout.level >= params.levels)
            continue;
        for (int f = 0; f < params.forksPerBranch; ++f) {
            float at = 0.3f + 0.55f * (float(f) + dice.unit()) / float(params.forksPerBranch);
            float s = at * float(shape.path.size() - 1);
            Vector3 origin = catmullRom(shape.path, s);
            Vector3 along
                = normalised(catmullRom(shape.path, std::min(s + 0.05f, float(shape.path.size() - 1))) - origin);
            Vector3 heading = normalised(rotated(along, perpendicular(along, dice), 0.6f + 0.35f * dice.unit()));
            float radiusThere = shape.rootRadius + (shape.tipRadius - shape.rootRadius) * at;
            pending.push_back({origin, heading, sprout.length * (0.5f - 0.25f * at), radiusThere * 0.7f,
                               sprout.growth + at * sprout.length, sprout.level + 1});
        }
    }
    return shapes;
}

Mesh makeCrystalBurst(const CrystalBurstParams& params)
{
    std::vector<BranchShape> shapes = growCrystalBurst(params);
    float longest = 0.0f;
    for (const BranchShape& shape : shapes)
        longest = std::max(longest, shape.growthEnd);
    Mesh mesh;
    for (BranchShape& shape : shapes) {
        shape.growthStart /= longest;
        shape.growthEnd /= longest;
        mesh.append(makeSplineBranch(shape));
    }
    return mesh;
}

}
