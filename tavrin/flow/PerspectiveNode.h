#pragma once

#include "tavrin/Visual.h"
#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Sets the perspective projection and leaves it in force, also for later siblings.
class PerspectiveNode : public Node, public Visual {
public:
    explicit PerspectiveNode(Demo* demo);
    float evaluate(float time) override;

    Node* fov;
    Node* aspect;
    Node* nearPlane;
    Node* farPlane;
};

}
