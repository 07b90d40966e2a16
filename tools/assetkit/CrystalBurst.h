#pragma once

#include "Mesh.h"
#include "SplineBranch.h"

#include <cstdint>
#include <vector>

namespace AssetKit {

// A burst of ice crystals growing out of a round core: main branches leave the core's surface in
// evenly spread directions, curl a little as they go, and fork into smaller side branches, level
// by level. Texture v is the growth order: the path length from the core to a point over the
// longest such path, so v = 0 on the core and 1 at the farthest tip.
struct CrystalBurstParams {
    std::uint32_t seed = 1;
    int mainBranches = 24;
    float coreRadius = 10.0f;
    float reach = 40.0f;  // length of a main branch
    float rootRadius = 2.0f;  // thickness where a main branch leaves the core
    int levels = 3;  // main branches are level 1
    int forksPerBranch = 3;
    int sides = 6;
};

// The branches as shapes, before they are meshed: parents before their forks.
std::vector<BranchShape> growCrystalBurst(const CrystalBurstParams& params);

// All branches in one mesh, with v normalised to 0 .. 1.
Mesh makeCrystalBurst(const CrystalBurstParams& params);

}
