#pragma once

#include "tavrin/Visual.h"
#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Base of the built-in render steps: they do their work inside evaluate, so draw stays a no-op.
class VisualNode : public Node, public Visual {
public:
    explicit VisualNode(Demo* owner)
        : Visual(owner)
    {}
};

}
