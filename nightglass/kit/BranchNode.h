#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Nightglass {

// The linear congruential generator every branch tree grows from. One instance serves the whole
// program and is never reseeded, so each tree's shape depends on the trees grown before it.
class BranchRandom {
public:
    static constexpr std::uint32_t InitialSeed = 1245423;

    // The next value in [-1, 1].
    float next();
    std::uint32_t seed() const { return seed_; }

private:
    std::uint32_t seed_ = InitialSeed;
};

BranchRandom& branchRandom();

struct Vec3 {
    float x, y, z;
};

// One branch of a random tree: a start point and the vector to its end. Each child starts
// somewhere along its parent, turns by a random share of the spread, and every later sibling and
// every deeper level gets a spread and length smaller by the decay.
class BranchNode {
public:
    BranchNode(int depth, Vec3 position, Vec3 direction, Vec3 spread, Vec3 decay, int count,
               BranchRandom& random = branchRandom());

    // This node and all below it.
    int nodeCount() const;

    std::vector<std::unique_ptr<BranchNode>> children;
    Vec3 position;
    Vec3 direction;
};

}
