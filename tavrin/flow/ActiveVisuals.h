#pragma once

#include <map>
#include <string>
#include <vector>

namespace Tavrin::Flow {

class Node;

// The element name each effect was placed under ("dome", "mars"), by its node.
using VisualNames = std::map<const Node*, std::string>;

// The names of the effects below root that run at time: every "at" window above them contains
// it, time stretches applied on the way down. In flow order, each name once.
std::vector<std::string> activeVisualNames(const Node& root, float time, const VisualNames& names);

}
