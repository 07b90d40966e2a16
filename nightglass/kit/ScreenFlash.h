#pragma once

namespace Tavrin {
class Demo;
}

namespace Nightglass {

// Adds light over the whole screen: colour (r, g, b) weighted by its alpha, for flashes on hits.
// Leaves blending off, as the effects expect after it.
void flashScreen(Tavrin::Demo& demo, float r, float g, float b, float a);

}
