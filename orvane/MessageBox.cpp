#include "orvane/MessageBox.h"

#include "orvane/Device.h"
#include "orvane/MessageBoxChild.h"
#include "orvane/ProcessState.h"
#include "orvane/StopSignals.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>

namespace Orvane::MessageBox {

namespace {

bool displayAvailable()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}

void setBatchMode(bool batch) { processState().messageBoxes.batchMode = batch; }
bool isBatchMode() { return processState().messageBoxes.batchMode; }
void setSink(Sink sink) { processState().messageBoxes.sink = std::move(sink); }

void show(const std::string& caption, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    const ProcessState::MessageBoxes& boxes = processState().messageBoxes;
    if (!boxes.sink && (boxes.batchMode || !displayAvailable() || StopSignals::requested()))
        return;
    MessageBoxChild::begin();
    if (boxes.sink) {
        boxes.sink(caption, text);
    } else {
        // Owned by the demo window when there is one, so a fullscreen picture cannot hide the box.
        Device* device = Device::current();
        auto* owner = device != nullptr ? static_cast<SDL_Window*>(device->handle(0)) : nullptr;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), owner);
    }
    MessageBoxChild::end();
}

}
