#pragma once

namespace Orvane::Keyboard {

enum class Key {
    Escape,
    Left,
    Right,
    L,
    Space,
    P,
    I,
    O,
    PageUp,
    PageDown,
    Home,
    Backspace,
    Tab,
    T,
    F,
    K,
    W,
    A,
    S,
    D,
    Q,
    E,
    Z,
    Y,
    Shift,  // either
    Ctrl,  // either
};

// Polls the current key state, as the demo reads keys once per frame rather than from events.
bool isDown(Key key);

}
