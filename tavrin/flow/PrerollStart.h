#pragma once

#include <optional>

namespace Tavrin::Flow {

class Node;

// The earliest demo time from which the frames before time must be pre-rolled for every effect
// running at time to have the history continuous play gives it: each one's history start, no
// earlier than the start of its "at" window, time stretches applied on the way down and undone on
// the way up. None when no effect running then keeps a history.
std::optional<float> prerollStart(const Node& root, float time);

}
