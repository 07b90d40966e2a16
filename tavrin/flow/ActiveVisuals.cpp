#include "tavrin/flow/ActiveVisuals.h"

#include "tavrin/flow/AtNode.h"
#include "tavrin/flow/TimeStretch.h"

#include <algorithm>

namespace Tavrin::Flow {

namespace {

// Follows the clock as evaluate hands it down; an effect's own children are its business.
void collect(const Node& node, float time, const VisualNames& names, std::vector<std::string>& active)
{
    if (auto named = names.find(&node); named != names.end()) {
        if (std::find(active.begin(), active.end(), named->second) == active.end())
            active.push_back(named->second);
        return;
    }
    if (const auto* at = dynamic_cast<const AtNode*>(&node)) {
        if (!(at->time < time && time < at->time + at->length))
            return;
        time -= at->time;
    } else if (const auto* stretch = dynamic_cast<const TimeStretch*>(&node)) {
        time = stretch->factor * time - stretch->offset;
    }
    for (const Node* child : node.children())
        collect(*child, time, names, active);
}

}

std::vector<std::string> activeVisualNames(const Node& root, float time, const VisualNames& names)
{
    std::vector<std::string> active;
    collect(root, time, names, active);
    return active;
}

}
