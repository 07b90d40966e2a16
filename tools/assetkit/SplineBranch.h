#pragma once

#include "Mesh.h"

#include <vector>

namespace AssetKit {

// A crystal branch: a faceted tube along a Catmull-Rom spline through the path points, tapering
// from the root to the tip, closed by a flat cap at the root and a pointed tip beyond the last
// point. Facets are flat around the tube (each keeps its own normal) and smooth along it.
struct BranchShape {
    std::vector<Orvane::Vector3> path;  // root first; at least two points
    float rootRadius = 1.0f;
    float tipRadius = 0.5f;
    float tipLength = 1.0f;  // of the pointed tip beyond the last point
    int sides = 6;  // facets around, at least three
    int stepsPerSpan = 6;  // rings between two path points
    float growthStart = 0.0f;  // texture v at the root
    float growthEnd = 1.0f;  // texture v at the tip's apex
};

// The point at s along the spline, s from 0 (first point) to path.size() - 1 (last point); the end
// points are repeated for the outer spans, so the curve passes through every point.
Orvane::Vector3 catmullRom(const std::vector<Orvane::Vector3>& path, float s);

// The closed branch mesh, triangles counter-clockwise seen from outside. Texture u runs across the
// facets (facet k covers k / sides to (k + 1) / sides, so fract(u * sides) finds the edges) and v
// from growthStart to growthEnd along the length. Throws Exception for fewer than two points,
// fewer than three sides or no steps.
Mesh makeSplineBranch(const BranchShape& shape);

}
