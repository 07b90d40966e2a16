#pragma once

#include "tavrin/flow/Color.h"
#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// A flat rectangle in the matrices in force. Nearly transparent quads (alpha below 0.001) are
// skipped; children are not evaluated.
class Quad : public VisualNode {
public:
    static constexpr float AlphaThreshold = 0.001f;

    explicit Quad(Demo* demo);
    float evaluate(float time) override;

    Node* x;
    Node* y;
    Node* width;
    Node* height;
    Color* color;

private:
    static void submitCorners(float left, float bottom, float w, float h);
};

}
