#pragma once

namespace Tavrin {

// What the settings dialog (or the command line) chose. Defaults are the dialog's defaults:
// 800x600, "4X AA", "4:3", fullscreen, music.
struct DemoSettings {
    int resolutionIndex = 1;
    int antialiasIndex = 2;
    int aspectIndex = 0;
    bool fullscreen = true;
    bool music = true;
};

}
