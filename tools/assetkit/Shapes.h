#pragma once

#include "Mesh.h"

#include <functional>
#include <vector>

namespace AssetKit {

// A UV sphere: u runs once around (seam vertices doubled), v from the south pole (0) to the
// north pole (1); normals point outwards.
Mesh makeSphere(float radius, int rings, int segments);

// The inside of a sky dome from a little below the horizon up to the zenith (+z, as in the
// demo's world), seen from its centre (normals point inwards). Texture coordinates map a horizon picture whose top row is the zenith
// and whose row `horizonRow` (0..1 from the top) is the horizon: u wraps once around, t = 1 at
// the zenith (GL's t grows towards the picture's top row).
Mesh makeSkyDome(float radius, int rings, int segments, float horizonRow, float belowHorizonDegrees);

// A sphere pushed in and out by smooth noise: an organic blob. Normals are recomputed from the
// displaced surface.
Mesh makeBlob(float radius, int rings, int segments, float bumpiness, unsigned seed);

// A surface of revolution around the y axis from a profile of (radius, height) points, bottom to
// top; u runs around, v along the profile.
struct ProfilePoint {
    float radius, height;
};
Mesh makeLathe(const std::vector<ProfilePoint>& profile, int segments);

// Smooth per-vertex normals from the triangles (area weighted), for shapes deformed after building.
void recomputeNormals(Mesh& mesh);

}
