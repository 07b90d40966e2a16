#pragma once

#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// Moves its children; world is restored afterwards.
class Translate : public VisualNode {
public:
    explicit Translate(Demo* demo);
    float evaluate(float time) override;

    Node* x;
    Node* y;
    Node* z;
};

}
