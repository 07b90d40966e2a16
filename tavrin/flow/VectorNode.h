#pragma once

#include "orvane/Vector.h"
#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Three component parameters, owned like Color's. evaluate is the plain one.
class VectorNode : public Node {
public:
    VectorNode(float initialX, float initialY, float initialZ);

    Orvane::Vector3t<float> vectorAt(float time);

    Node* x;
    Node* y;
    Node* z;
};

}
