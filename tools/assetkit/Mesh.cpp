#include "Mesh.h"

namespace AssetKit {

std::uint32_t Mesh::addVertex(const Orvane::Vector3& position, const Orvane::Vector3& normal, TexCoord uv)
{
    positions.push_back(position);
    normals.push_back(normal);
    texCoords.push_back(uv);
    return std::uint32_t(positions.size() - 1);
}

void Mesh::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) { indices.insert(indices.end(), {a, b, c}); }

void Mesh::append(const Mesh& other)
{
    auto offset = std::uint32_t(positions.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    normals.insert(normals.end(), other.normals.begin(), other.normals.end());
    texCoords.insert(texCoords.end(), other.texCoords.begin(), other.texCoords.end());
    for (std::uint32_t i : other.indices)
        indices.push_back(i + offset);
}

void addGridTriangles(Mesh& mesh, std::uint32_t first, int rows, int columns, bool flip)
{
    for (int r = 0; r + 1 < rows; ++r)
        for (int c = 0; c + 1 < columns; ++c) {
            std::uint32_t a = first + std::uint32_t(r * columns + c), b = a + 1;
            std::uint32_t d = a + std::uint32_t(columns), e = d + 1;
            if (flip) {
                mesh.addTriangle(a, b, d);
                mesh.addTriangle(b, e, d);
            } else {
                mesh.addTriangle(a, d, b);
                mesh.addTriangle(b, d, e);
            }
        }
}

}
