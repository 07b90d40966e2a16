#pragma once

#include "orvane/Forward.h"
#include "tavrin/flow/Color.h"
#include "tavrin/flow/VisualNode.h"

namespace Tavrin::Flow {

// A rectangle in the matrices in force, flat coloured with the demo's constant-colour built-in
// shader or, with a texture, tinted by the colour through the texture built-in. Nearly
// transparent quads (alpha below 0.001) are skipped; children are not evaluated.
class Quad : public VisualNode {
public:
    static constexpr float AlphaThreshold = 0.001f;
    static constexpr int ConstantColorSlot = 0;
    static constexpr int TextureColorSlot = 1;

    explicit Quad(Demo* demo);
    float evaluate(float time) override;

    Node* x;
    Node* y;
    Node* width;
    Node* height;
    Color* color;
    Orvane::Texture* texture = nullptr;

private:
    void bindShader(const Orvane::Vector4t<float>& rgba) const;
    static void submitCorners(float left, float bottom, float w, float h);
};

}
