#include "Shapes.h"

#include "Noise.h"

#include <cmath>
#include <map>
#include <tuple>

namespace AssetKit {

using Orvane::Vector3;

namespace {

constexpr float TwoPi = 6.2831853f;
constexpr float HalfPi = 1.5707963f;

Vector3 onSphere(float azimuth, float elevation)
{
    return {std::cos(elevation) * std::cos(azimuth), std::sin(elevation), std::cos(elevation) * std::sin(azimuth)};
}

}

Mesh makeSphere(float radius, int rings, int segments)
{
    Mesh mesh;
    for (int r = 0; r <= rings; ++r) {
        float v = float(r) / rings;
        float elevation = -HalfPi + v * 2 * HalfPi;
        for (int s = 0; s <= segments; ++s) {
            float u = float(s) / segments;
            Vector3 n = onSphere(-u * TwoPi, elevation);
            mesh.addVertex(n * radius, n, {u, v});
        }
    }
    addGridTriangles(mesh, 0, rings + 1, segments + 1, true);
    return mesh;
}

Mesh makeSkyDome(float radius, int rings, int segments, float horizonRow, float belowHorizonDegrees)
{
    Mesh mesh;
    float lowest = -belowHorizonDegrees / 180.0f * 3.1415927f;
    for (int r = 0; r <= rings; ++r) {
        float f = float(r) / rings;
        float elevation = lowest + f * (HalfPi - lowest);
        // Picture rows: 0 at the zenith, horizonRow at elevation 0, linear in elevation on each side.
        float row = elevation >= 0 ? horizonRow * (1.0f - elevation / HalfPi)
                                   : horizonRow + (1.0f - horizonRow) * (elevation / lowest);
        for (int s = 0; s <= segments; ++s) {
            float u = float(s) / segments;
            // The demo's world is z-up: turn the y-up sphere a quarter turn about x.
            Vector3 yUp = onSphere(u * TwoPi, elevation);
            Vector3 outward{yUp.x, -yUp.z, yUp.y};
            mesh.addVertex(outward * radius, outward * -1.0f, {u, 1.0f - row});
        }
    }
    // Wound so the triangles face the centre, where the camera sits.
    addGridTriangles(mesh, 0, rings + 1, segments + 1, true);
    return mesh;
}

void recomputeNormals(Mesh& mesh)
{
    // Summed per position, not per vertex, so seams and poles (where vertices are doubled for
    // their texture coordinates) light as one smooth surface.
    using Key = std::tuple<long, long, long>;
    auto keyOf = [](const Vector3& p) {
        return Key{std::lround(p.x * 1e5f), std::lround(p.y * 1e5f), std::lround(p.z * 1e5f)};
    };
    std::map<Key, Vector3> sums;
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        std::uint32_t a = mesh.indices[i], b = mesh.indices[i + 1], c = mesh.indices[i + 2];
        Vector3 n = Orvane::cross(mesh.positions[b] - mesh.positions[a], mesh.positions[c] - mesh.positions[a]);
        for (std::uint32_t v : {a, b, c})
            sums[keyOf(mesh.positions[v])] += n;
    }
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        Vector3 sum = sums[keyOf(mesh.positions[i])];
        float l = Orvane::length(sum);
        mesh.normals[i] = l > 0 ? sum * (1.0f / l) : Vector3(0, 1, 0);
    }
}

Mesh makeBlob(float radius, int rings, int segments, float bumpiness, unsigned seed)
{
    Mesh mesh = makeSphere(radius, rings, segments);
    Noise noise(seed);
    for (Vector3& p : mesh.positions) {
        Vector3 d = p * (1.0f / radius);
        // Noise sampled on two planes blended by the direction keeps the surface seamless.
        float bump = noise.fbm(d.x * 1.7f + 5.0f, d.y * 1.7f, 3) * std::fabs(d.z)
            + noise.fbm(d.z * 1.7f - 3.0f, d.y * 1.7f + 2.0f, 3) * (1.0f - std::fabs(d.z));
        p = d * (radius * (1.0f + bumpiness * bump));
    }
    recomputeNormals(mesh);
    return mesh;
}

Mesh makeLathe(const std::vector<ProfilePoint>& profile, int segments)
{
    Mesh mesh;
    int rows = int(profile.size());
    for (int r = 0; r < rows; ++r) {
        float v = rows > 1 ? float(r) / (rows - 1) : 0.0f;
        for (int s = 0; s <= segments; ++s) {
            float u = float(s) / segments, angle = -u * TwoPi;
            Vector3 p(profile[size_t(r)].radius * std::cos(angle), profile[size_t(r)].height,
                      profile[size_t(r)].radius * std::sin(angle));
            mesh.addVertex(p, Vector3(0, 1, 0), {u, v});
        }
    }
    addGridTriangles(mesh, 0, rows, segments + 1, true);
    recomputeNormals(mesh);
    return mesh;
}

}
