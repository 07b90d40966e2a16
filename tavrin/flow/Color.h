#pragma once

#include "orvane/Vector.h"
#include "tavrin/flow/Node.h"

namespace Tavrin::Flow {

// Four component parameters. The initial constants are owned but not listed; a component the
// loader replaces is adopted as a child. evaluate is the plain one and ignores the components.
class Color : public Node {
public:
    Color(float red, float green, float blue, float alpha);

    Orvane::Vector4t<float> colorAt(float time);

    Node* r;
    Node* g;
    Node* b;
    Node* a;
};

}
