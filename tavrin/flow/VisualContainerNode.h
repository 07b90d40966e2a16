#pragma once

#include "tavrin/Visual.h"
#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Base of every production effect. The effect draws inside a saved copy of all three matrices,
// so nothing it sets leaks to its siblings; it sees only the time its parent hands it and its
// children are not evaluated.
class VisualContainerNode : public Node, public Visual {
public:
    explicit VisualContainerNode(Demo* owner)
        : Visual(owner)
    {}
    float evaluate(float time) final;
};

}
