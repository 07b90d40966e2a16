#pragma once

#include "tavrin/DemoSettings.h"

#include <array>

namespace Tavrin::Dialog {

// What the settings dialog shows and returns, apart from how it is drawn: the three lists in the
// order that gives their indices meaning, the defaults, and the two ways out.
class SettingsDialogModel {
public:
    static constexpr int Start = 0;
    static constexpr int Quit = 1;

    static constexpr std::array<const char*, 9> Resolutions
        = {"640x480", "800x600", "960x600", "1024x768", "1280x720", "1280x768", "1280x960", "1440x900", "1680x1050"};
    static constexpr std::array<const char*, 4> Antialiasing = {"No AA", "2X AA", "4X AA", "6X AA"};
    static constexpr std::array<const char*, 3> Aspects = {"4:3", "16:9", "16:10"};

    int resolution = 1;
    int antialias = 2;
    int aspect = 0;
    bool fullscreen = true;
    bool music = true;

    // "Demo" or Enter: stores the five settings and returns Start.
    int accept(DemoSettings& settings) const;
    // "Die", Escape or closing the dialog.
    static int cancel() { return Quit; }
};

}
