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
    }
    return SDL_SCANCODE_UNKNOWN;
}

}

bool isDown(Key key)
{
    SDL_PumpEvents();
    return SDL_GetKeyboardState(nullptr)[scancodeOf(key)] != 0;
}

}
