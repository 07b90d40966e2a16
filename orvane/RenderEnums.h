#pragma once

#include <GL/gl.h>

namespace Orvane {

enum class Capability : int { Blend = 0, DepthTest = 1, StencilTest = 2, ScissorTest = 3, CullFace = 4 };

enum class BlendOperandEnum : int {
    Zero = 0,
    One,
    SrcColor,
    OneMinusSrcColor,
    DstColor,
    OneMinusDstColor,
    SrcAlpha,
    OneMinusSrcAlpha,
    DstAlpha,
    OneMinusDstAlpha
};

// Not the GL order, and there is no not-equal entry.
enum class CompareFuncEnum : int { Always = 0, Less, LessEqual, Equal, GreaterEqual, Greater, Never };

enum class PrimitiveTypeEnum : int { Points = 0, Lines, LineStrip, Triangles, Quads };

// Each conversion throws IllegalEnumException ("Illegal <EnumName>") for a value outside its table.
GLenum toGl(BlendOperandEnum value);
GLenum toGl(CompareFuncEnum value);
GLenum toGl(PrimitiveTypeEnum value);

// Returns 0 for a value outside the table: unknown capabilities are ignored, not errors.
GLenum toGl(Capability value);

}
