#pragma once

#include "orvane/AttributeSemantic.h"
#include "orvane/RenderEnums.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvane::Utils {

class Geometry;

// One float attribute of an FGM mesh: components floats per vertex, vertex after vertex.
struct FgmAttribute {
    AttributeSemantic semantic;
    int components;
    std::vector<float> values;

    bool operator==(const FgmAttribute&) const = default;
};

// What an FGM file holds, as plain data: built in code by the asset tools and written, or read
// from a file and turned into a drawable Geometry.
struct FgmMesh {
    int vertexCount = 0;
    std::vector<FgmAttribute> attributes;
    PrimitiveTypeEnum primitiveType = PrimitiveTypeEnum::Triangles;
    std::vector<std::uint32_t> indices;

    void addAttribute(AttributeSemantic semantic, int components, std::vector<float> values);

    // Throws Exception naming the first problem: more than 16 attributes, a semantic or primitive
    // type without an FGM name, components outside 1 to 4, a value count that is not
    // components * vertexCount, or an index not below vertexCount.
    void validate() const;

    // Every attribute in a vertex buffer of its own (slot = attribute order) with 32-bit indices,
    // all in the given BufferModeEnum. Validates first.
    std::unique_ptr<Geometry> toGeometry(int bufferMode) const;

    // The bound float attributes of a geometry in binding order; a geometry without an index
    // buffer gets the indices 0 to n - 1. Throws Exception for what FGM cannot hold.
    static FgmMesh fromGeometry(const Geometry& geometry);

    bool operator==(const FgmMesh&) const = default;
};

}
