#pragma once

#include <cstdint>
#include <vector>

namespace Tavrin::Dialog {

// The picture across the top of the settings dialog: a dusk sky over a dark horizon with a few
// stars, drawn in code so the dialog needs no file. RGBA, top row first.
std::vector<std::uint8_t> makeDialogBanner(int width, int height);

}
