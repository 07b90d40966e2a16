#include "orvane/StopSignals.h"

#include "orvane/MessageBoxChild.h"

#include <SDL2/SDL_hints.h>

#include <atomic>
#include <csignal>

namespace Orvane::StopSignals {

namespace {

std::atomic<bool> stop{false};

void onStopSignal(int)
{
    stop.store(true);
    MessageBoxChild::closeShownBox();
}

}

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // SDL would turn the signals into a quit event that only an event loop sees, never a box.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool requested() { return stop.load(); }

}
