#pragma once

#include "orvane/Forward.h"

namespace Tavrin {
class Demo;
}

namespace Nightglass {

// The sky most scenes share: the dome mesh with a horizon picture around the viewer, turned with
// the sync camera but never moved by it, drawn with the built-in texture shader in the colour tint
// (r, g, b, a). Depth testing is left off; the camera stays the sky camera.
void drawSkyDome(Tavrin::Demo& demo, Orvane::Utils::Geometry& mesh, const Orvane::Texture& horizon,
                 const float tint[4]);

}
