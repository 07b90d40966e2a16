#include "orvane/RenderEnums.h"

#include "orvane/exceptions/Exception.h"

namespace Orvane {

using Exceptions::IllegalEnumException;

GLenum toGl(BlendOperandEnum value)
{
    switch (value) {
    case BlendOperandEnum::Zero: return GL_ZERO;
    case BlendOperandEnum::One: return GL_ONE;
    case BlendOperandEnum::SrcColor: return GL_SRC_COLOR;
    case BlendOperandEnum::OneMinusSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case BlendOperandEnum::DstColor: return GL_DST_COLOR;
    case BlendOperandEnum::OneMinusDstColor: return GL_ONE_MINUS_DST_COLOR;
    case BlendOperandEnum::SrcAlpha: return GL_SRC_ALPHA;
    case BlendOperandEnum::OneMinusSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendOperandEnum::DstAlpha: return GL_DST_ALPHA;
    case BlendOperandEnum::OneMinusDstAlpha: return GL_ONE_MINUS_DST_ALPHA;
    }
    throw IllegalEnumException("Illegal BlendOperandEnum");
}

GLenum toGl(CompareFuncEnum value)
{
    switch (value) {
    case CompareFuncEnum::Always: return GL_ALWAYS;
    case CompareFuncEnum::Less: return GL_LESS;
    case CompareFuncEnum::LessEqual: return GL_LEQUAL;
    case CompareFuncEnum::Equal: return GL_EQUAL;
    case CompareFuncEnum::GreaterEqual: return GL_GEQUAL;
    case CompareFuncEnum::Greater: return GL_GREATER;
    case CompareFuncEnum::Never: return GL_NEVER;
    }
    throw IllegalEnumException("Illegal CompareFuncEnum");
}

GLenum toGl(PrimitiveTypeEnum value)
{
    switch (value) {
    case PrimitiveTypeEnum::Points: return GL_POINTS;
    case PrimitiveTypeEnum::Lines: return GL_LINES;
    case PrimitiveTypeEnum::LineStrip: return GL_LINE_STRIP;
    case PrimitiveTypeEnum::Triangles: return GL_TRIANGLES;
    case PrimitiveTypeEnum::Quads: return GL_QUADS;
    }
    throw IllegalEnumException("Illegal PrimitiveTypeEnum");
}

GLenum toGl(Capability value)
{
    switch (value) {
    case Capability::Blend: return GL_BLEND;
    case Capability::DepthTest: return GL_DEPTH_TEST;
    case Capability::StencilTest: return GL_STENCIL_TEST;
    case Capability::ScissorTest: return GL_SCISSOR_TEST;
    case Capability::CullFace: return GL_CULL_FACE;
    }
    return 0;
}

}
