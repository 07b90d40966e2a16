#include "tavrin/flow/PrerollStart.h"

#include "tavrin/flow/AtNode.h"
#include "tavrin/flow/TimeStretch.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <algorithm>

namespace Tavrin::Flow {

namespace {

std::optional<float> earlier(std::optional<float> a, std::optional<float> b)
{
    if (!a)
        return b;
    if (!b)
        return a;
    return std::min(*a, *b);
}

// The start in the time of node's parent, found as evaluate hands the clock down.
std::optional<float> startBelow(const Node& node, float time, float demoTime)
{
    if (const auto* effect = dynamic_cast<const VisualContainerNode*>(&node))
        return effect->historyStart(time, demoTime);
    if (const auto* at = dynamic_cast<const AtNode*>(&node)) {
        if (!(at->time < time && time < at->time + at->length))
            return std::nullopt;
        std::optional<float> start;
        for (const Node* child : node.children())
            start = earlier(start, startBelow(*child, time - at->time, demoTime));
        if (start)
            return at->time + std::max(0.0f, *start);
        return std::nullopt;
    }
    if (const auto* stretch = dynamic_cast<const TimeStretch*>(&node)) {
        std::optional<float> start;
        for (const Node* child : node.children())
            start = earlier(start, startBelow(*child, stretch->factor * time - stretch->offset, demoTime));
        // Stopped or reversed time keeps no order to pre-roll in.
        if (start && stretch->factor > 0.0f)
            return (*start + stretch->offset) / stretch->factor;
        return std::nullopt;
    }
    std::optional<float> start;
    for (const Node* child : node.children())
        start = earlier(start, startBelow(*child, time, demoTime));
    return start;
}

}

std::optional<float> prerollStart(const Node& root, float time) { return startBelow(root, time, time); }

}
