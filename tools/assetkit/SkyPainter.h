#pragma once

#include "Canvas.h"

namespace AssetKit {

enum class HorizonMood { Dusk, Dark };

// Row 0 of the horizon picture is the zenith; the horizon line sits at HorizonRow of the height;
// below it, distant hills. Tileable left to right, so it wraps once around the sky dome.
constexpr float HorizonRow = 0.78f;

Canvas paintHorizon(HorizonMood mood, int width = 1024, int height = 512);

}
