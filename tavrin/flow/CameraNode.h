#pragma once

#include "tavrin/flow/Node.h"
#include "tavrin/flow/VectorNode.h"

namespace Tavrin::Flow {

// Replaces the view with a look-at and leaves it in force, also for later siblings.
class CameraNode : public Node {
public:
    CameraNode();
    float evaluate(float time) override;

    VectorNode* position;
    VectorNode* target;
    VectorNode* up;
};

}
