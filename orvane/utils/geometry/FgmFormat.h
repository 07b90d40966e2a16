#pragma once

#include "orvane/AttributeSemantic.h"
#include "orvane/RenderEnums.h"

#include <optional>
#include <string_view>

// The layout knowledge that the FGM reader and writer share. A file is: the six magic bytes,
// vertex count, attribute count, per attribute (semantic name, component count, the floats of
// every vertex), the primitive type name, index count and 32-bit indices. Integers and floats
// are 32-bit little-endian; strings are a 32-bit length followed by the bytes.
namespace Orvane::Utils::Fgm {

inline constexpr std::string_view Magic = "FGM100";
inline constexpr int MaxAttributes = 16;
// What the fixed-function arrays and the attribute accessors can take.
inline constexpr int MaxComponents = 4;

struct SemanticName {
    std::string_view name;
    AttributeSemantic semantic;
};

// Both "texcoord" and "texcoord0" mean unit 0; the writer uses the first name of a semantic.
inline constexpr SemanticName SemanticNames[] = {
    {"position", AttributeSemantic::Position},   {"normal", AttributeSemantic::Normal},
    {"color", AttributeSemantic::Color},         {"texcoord", AttributeSemantic::TexCoord0},
    {"texcoord0", AttributeSemantic::TexCoord0}, {"texcoord1", AttributeSemantic::TexCoord1},
    {"texcoord2", AttributeSemantic::TexCoord2}, {"texcoord3", AttributeSemantic::TexCoord3},
    {"texcoord4", AttributeSemantic::TexCoord4}, {"texcoord5", AttributeSemantic::TexCoord5},
    {"texcoord6", AttributeSemantic::TexCoord6}, {"texcoord7", AttributeSemantic::TexCoord7},
};

struct PrimitiveName {
    std::string_view name;
    PrimitiveTypeEnum primitive;
};

inline constexpr PrimitiveName PrimitiveNames[] = {
    {"lines", PrimitiveTypeEnum::Lines},
    {"triangles", PrimitiveTypeEnum::Triangles},
};

constexpr std::optional<AttributeSemantic> semanticFromName(std::string_view name)
{
    for (const SemanticName& entry : SemanticNames)
        if (entry.name == name)
            return entry.semantic;
    return std::nullopt;
}

constexpr std::optional<std::string_view> nameOfSemantic(AttributeSemantic semantic)
{
    for (const SemanticName& entry : SemanticNames)
        if (entry.semantic == semantic)
            return entry.name;
    return std::nullopt;
}

constexpr std::optional<PrimitiveTypeEnum> primitiveFromName(std::string_view name)
{
    for (const PrimitiveName& entry : PrimitiveNames)
        if (entry.name == name)
            return entry.primitive;
    return std::nullopt;
}

constexpr std::optional<std::string_view> nameOfPrimitive(PrimitiveTypeEnum primitive)
{
    for (const PrimitiveName& entry : PrimitiveNames)
        if (entry.primitive == primitive)
            return entry.name;
    return std::nullopt;
}

}
