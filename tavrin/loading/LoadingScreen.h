#pragma once

#include "tavrin/loading/PresentPacer.h"

namespace Tavrin {
class Demo;
}

namespace Tavrin::Loading {

// The loading picture with a red progress bar along its foot, over the demo's letterboxed
// viewport. While the flow loads, progress is shown at the pace of PresentPacer; a close request
// seen meanwhile is kept for the first frame instead of being lost.
class LoadingScreen {
public:
    explicit LoadingScreen(Demo& demo)
        : demo_(demo)
    {}

    // Draws progress (0 to 100) and presents it at once.
    void show(float progress);
    // Shows progress when the pacer says a present is due; otherwise only takes one event.
    void report(float progress);
    bool quitRequested() const { return quitRequested_; }

private:
    Demo& demo_;
    PresentPacer pacer_;
    bool quitRequested_ = false;
};

}
