#pragma once

#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// A group: evaluates its children in order. Every loaded flow file becomes one.
class ParentNode : public Node {
public:
    using Node::Node;
    float evaluate(float time) override;
};

}
