#pragma once

namespace Orvane::Keyboard {

enum class Key { Escape, Left, Right, L, Space, P, I, O, PageUp, PageDown, Home, Backspace, Tab };

// Polls the current key state, as the demo reads keys once per frame rather than from events.
bool isDown(Key key);

}
