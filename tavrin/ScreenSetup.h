#pragma once

namespace Tavrin {

struct Resolution {
    int width, height;
};

struct Letterbox {
    int viewportY, viewportHeight;
};

// The dialog's nine resolutions; an index outside the table gives 640x480.
Resolution resolutionFor(int resolutionIndex);

// Multisample count of the anti-aliasing entries "No AA", "2X AA", "4X AA", "6X AA": 0, 2, 4, 6.
// An index outside them gives no multisampling.
int samplesFor(int antialiasIndex);

// The picture is always 16:9; the aspect choice only letterboxes it to the physical screen shape
// ("4:3", "16:9", "16:10"). An unknown choice shows the full height.
Letterbox letterboxFor(int height, int aspectIndex);

// A stall (negative or more than half a second) counts as 0.01 s, so delta-driven motion never jumps.
float clampFrameDelta(float delta);

}
