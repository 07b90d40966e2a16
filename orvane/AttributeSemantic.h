#pragma once

namespace Orvane {

// Where a vertex attribute goes: fixed-function arrays, texture units 0 to 7, or generic
// attribute index (value - 100).
enum class AttributeSemantic : int {
    Position = 0,
    Unused = 1,
    TexCoord0 = 2,
    TexCoord1 = 3,
    TexCoord2 = 4,
    TexCoord3 = 5,
    TexCoord4 = 6,
    TexCoord5 = 7,
    TexCoord6 = 8,
    TexCoord7 = 9,
    Normal = 10,
    Color = 11,
    Generic0 = 100,
    Generic15 = 115,
};

}
