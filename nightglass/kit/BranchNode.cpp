#include "nightglass/kit/BranchNode.h"

#include <cmath>

namespace Nightglass {

float BranchRandom::next()
{
    seed_ = seed_ * 13u + 543321u;
    return float(seed_ & 0xFFFFu) / 65535.0f * 2.0f - 1.0f;
}

BranchRandom& branchRandom()
{
    static BranchRandom generator;
    return generator;
}

BranchNode::BranchNode(int depth, Vec3 positionValue, Vec3 directionValue, Vec3 spread, Vec3 decay, int count,
                       BranchRandom& random)
    : position(positionValue)
    , direction(directionValue)
{
    if (depth <= 0)
        return;
    children.reserve(size_t(count));
    for (int n = 0; n < count; ++n) {
        float r1 = random.next(), r2 = random.next(), r3 = random.next(), r4 = random.next();
        float a = std::fabs(r1);
        Vec3 childPosition{position.x + a * direction.x, position.y + a * direction.y, position.z + a * direction.z};
        Vec3 childDirection{decay.x * (direction.x + spread.x * r4), decay.y * (direction.y + spread.y * r3),
                            decay.z * (direction.z + spread.z * r2)};
        // Later siblings start from the narrower spread their elder sibling passed down.
        spread = {spread.x * decay.x, spread.y * decay.y, spread.z * decay.z};
        children.push_back(
            std::make_unique<BranchNode>(depth - 1, childPosition, childDirection, spread, decay, count, random));
    }
}

int BranchNode::nodeCount() const
{
    int total = 1;
    for (const auto& child : children)
        total += child->nodeCount();
    return total;
}

}
