#pragma once

#include <string_view>

// Layout constants of FSG scene files, shared by the reader and the writer so the two cannot
// drift apart.
namespace Orvane::Utils::SceneGraph::FsgFormat {

inline constexpr std::string_view Magic = "FSG100";

// What a channel block stores for its components.
enum class ChannelKind { None, Linear, Bezier };

inline constexpr std::string_view ChannelNone = "none";
inline constexpr std::string_view ChannelLinear = "linear";
inline constexpr std::string_view ChannelBezier = "bezier";

constexpr std::string_view channelKindName(ChannelKind kind)
{
    switch (kind) {
    case ChannelKind::Linear: return ChannelLinear;
    case ChannelKind::Bezier: return ChannelBezier;
    case ChannelKind::None: break;
    }
    return ChannelNone;
}

enum class TransformKind { Translate, Rotate, Scale, Matrix };

struct TransformKindInfo {
    TransformKind kind;
    std::string_view name;
    int components;
};

inline constexpr TransformKindInfo TransformKinds[] = {
    {TransformKind::Translate, "translate", 3},
    {TransformKind::Rotate, "rotate", 4},
    {TransformKind::Scale, "scale", 3},
    {TransformKind::Matrix, "matrix", 16},
};

// Kinds that authoring tools export but the scene graph cannot animate.
inline constexpr std::string_view SkewKind = "skew";
inline constexpr std::string_view LookAtKind = "lookat";

constexpr const TransformKindInfo& transformKindInfo(TransformKind kind)
{
    for (const TransformKindInfo& info : TransformKinds)
        if (info.kind == kind)
            return info;
    return TransformKinds[0];
}

// "matrix" components are stored row by row in the file; Matrix4 keeps them column by column.
// The mapping is a transpose, so it converts in both directions.
constexpr int swapMatrixOrder(int index) { return index % 4 * 4 + index / 4; }

// Bounds that keep a damaged file from demanding huge allocations or deep recursion.
inline constexpr int MaxChannelComponents = 4096;
inline constexpr int MaxNodeDepth = 256;

}
