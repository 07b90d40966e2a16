#include "orvane/Mouse.h"

#include <SDL2/SDL.h>

namespace Orvane::Mouse {

namespace {

// Filled by the event watch, on the thread that pumps events (the demo's).
struct Counted {
    bool pressed[ButtonCount] = {};
    int wheel = 0;
};
Counted counted;
int listeners = 0;

int countEvent(void*, SDL_Event* event)
{
    if (event->type == SDL_MOUSEWHEEL)
        counted.wheel += event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event->wheel.y : event->wheel.y;
    if (event->type == SDL_MOUSEBUTTONDOWN) {
        static const Uint8 buttons[ButtonCount] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
        for (int b = 0; b < ButtonCount; ++b)
            counted.pressed[b] = counted.pressed[b] || event->button.button == buttons[b];
    }
    return 0;
}

}

WindowPointer::WindowPointer()
{
    if (listeners++ > 0)
        return;
    counted = {};
    SDL_EventState(SDL_MOUSEWHEEL, SDL_ENABLE);
    SDL_EventState(SDL_MOUSEBUTTONDOWN, SDL_ENABLE);
    SDL_AddEventWatch(countEvent, nullptr);
}

WindowPointer::~WindowPointer()
{
    if (--listeners > 0)
        return;
    SDL_DelEventWatch(countEvent, nullptr);
    SDL_EventState(SDL_MOUSEWHEEL, SDL_IGNORE);
    SDL_EventState(SDL_MOUSEBUTTONDOWN, SDL_IGNORE);
    SDL_SetRelativeMouseMode(SDL_FALSE);
}

State WindowPointer::poll()
{
    SDL_PumpEvents();
    // Counted already: taken out of the queue, which the window reads one event a frame.
    SDL_FlushEvent(SDL_MOUSEWHEEL);
    SDL_FlushEvent(SDL_MOUSEBUTTONDOWN);
    State state;
    Uint32 held = SDL_GetMouseState(&state.x, &state.y);
    SDL_GetRelativeMouseState(&state.moveX, &state.moveY);
    static const Uint32 masks[ButtonCount] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK};
    for (int b = 0; b < ButtonCount; ++b)
        state.down[b] = (held & masks[b]) != 0 || counted.pressed[b];
    state.wheel = counted.wheel;
    counted = {};
    return state;
}

void WindowPointer::setCaptured(bool captured) { SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE); }

}
