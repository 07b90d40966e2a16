#pragma once

#include "orvane/Vector.h"

#include <cstdint>
#include <vector>

namespace AssetKit {

struct TexCoord {
    float u = 0, v = 0;
};

// A triangle mesh built in code: one normal and one texture coordinate per vertex.
struct Mesh {
    std::vector<Orvane::Vector3> positions;
    std::vector<Orvane::Vector3> normals;
    std::vector<TexCoord> texCoords;
    std::vector<std::uint32_t> indices;  // three per triangle, counter-clockwise seen from outside

    std::uint32_t addVertex(const Orvane::Vector3& position, const Orvane::Vector3& normal, TexCoord uv);
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // Appends another mesh, offsetting its indices.
    void append(const Mesh& other);
    std::size_t triangleCount() const { return indices.size() / 3; }
};

// A rows x columns grid of vertices joined into quads of two triangles each; vertex (r, c) is
// at index r * columns + c.
void addGridTriangles(Mesh& mesh, std::uint32_t first, int rows, int columns, bool flip = false);

}
