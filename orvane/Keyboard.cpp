#include "orvane/Keyboard.h"

#include <SDL2/SDL.h>

namespace Orvane::Keyboard {

namespace {

SDL_Scancode scancodeOf(Key key)
{
    switch (key) {
    case Key::Escape: return SDL_SCANCODE_ESCAPE;
    case Key::Left: return SDL_SCANCODE_LEFT;
    case Key::Right: return SDL_SCANCODE_RIGHT;
    case Key::L: return SDL_SCANCODE_L;
    case Key::Space: return SDL_SCANCODE_SPACE;
    case Key::P: return SDL_SCANCODE_P;
    case Key::I: return SDL_SCANCODE_I;
    case Key::O: return SDL_SCANCODE_O;
    case Key::PageUp: return SDL_SCANCODE_PAGEUP;
    case Key::PageDown: return SDL_SCANCODE_PAGEDOWN;
    case Key::Home: return SDL_SCANCODE_HOME;
    case Key::Backspace: return SDL_SCANCODE_BACKSPACE;
    case Key::Tab: return SDL_SCANCODE_TAB;
    case Key::T: return SDL_SCANCODE_T;
    case Key::F: return SDL_SCANCODE_F;
    case Key::K: return SDL_SCANCODE_K;
    case Key::W: return SDL_SCANCODE_W;
    case Key::A: return SDL_SCANCODE_A;
    case Key::S: return SDL_SCANCODE_S;
    case Key::D: return SDL_SCANCODE_D;
    case Key::Q: return SDL_SCANCODE_Q;
    case Key::E: return SDL_SCANCODE_E;
    case Key::Z: return SDL_SCANCODE_Z;
    case Key::Y: return SDL_SCANCODE_Y;
    case Key::Shift: return SDL_SCANCODE_LSHIFT;
    case Key::Ctrl: return SDL_SCANCODE_LCTRL;
    }
    return SDL_SCANCODE_UNKNOWN;
}

// The right-hand twin of a modifier, which counts the same.
SDL_Scancode twinOf(Key key)
{
    switch (key) {
    case Key::Shift: return SDL_SCANCODE_RSHIFT;
    case Key::Ctrl: return SDL_SCANCODE_RCTRL;
    default: return SDL_SCANCODE_UNKNOWN;
    }
}

}

bool isDown(Key key)
{
    SDL_PumpEvents();
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    return state[scancodeOf(key)] != 0 || state[twinOf(key)] != 0;
}

}
