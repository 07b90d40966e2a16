#pragma once

#include "Mesh.h"

#include <string>

namespace AssetKit {

// Solid letters: the font's outlines flattened, the faces triangulated with GLU's tessellator,
// and side walls joining the front (facing +z) to the back. The text is centred on the origin,
// capital height `height`, `depth` deep. Throws Exception naming the font on failure.
Mesh makeExtrudedText(const std::string& fontPath, const std::string& text, float height, float depth,
                      int curveSteps = 6);

}
