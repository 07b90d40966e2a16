#include "tavrin/flow/Quad.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/Demo.h"
#include "tavrin/flow/CurrentDevice.h"

#include <GL/gl.h>

namespace Tavrin::Flow {

Quad::Quad(Demo* owner)
    : VisualNode(owner)
    , x(addChild(std::make_unique<Node>(-0.5f)))
    , y(addChild(std::make_unique<Node>(-0.5f)))
    , width(addChild(std::make_unique<Node>(1.0f)))
    , height(addChild(std::make_unique<Node>(1.0f)))
    , color(addChild(std::make_unique<Color>(1.0f, 1.0f, 1.0f, 1.0f)))
{}

float Quad::evaluate(float time)
{
    if (demo->prerolling())
        return 0.0f;
    Orvane::Vector4t<float> rgba = color->colorAt(time);
    if (rgba.w < AlphaThreshold)
        return 0.0f;
    float left = x->evaluate(time);
    float bottom = y->evaluate(time);
    float w = width->evaluate(time);
    float h = height->evaluate(time);
    bindShader(rgba);
    submitCorners(left, bottom, w, h);
    return 0.0f;
}

void Quad::bindShader(const Orvane::Vector4t<float>& rgba) const
{
    int slot = texture ? TextureColorSlot : ConstantColorSlot;
    auto found = demo->builtinShaders.find(slot);
    if (found == demo->builtinShaders.end() || !found->second)
        throw Orvane::Exceptions::Exception("quad: built-in shader " + std::to_string(slot) + " is not loaded");
    Orvane::Shader& shader = *found->second;
    shader.bind();
    shader.updateState();
    shader.getParameter("color").setFloat4(rgba.data());
    if (texture)
        shader.getParameter("texture").setTexture(*texture);
}

void Quad::submitCorners(float left, float bottom, float w, float h)
{
    using Orvane::AttributeSemantic;
    Orvane::Device& device = currentDevice("quad");
    const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    device.beginPrimitives(Orvane::PrimitiveTypeEnum::Quads);
    for (const auto& corner : corners) {
        device.vertexAttribute(AttributeSemantic::TexCoord0, corner[0], corner[1], 0.0f, 1.0f);
        device.vertexAttribute(AttributeSemantic::Position, left + corner[0] * w, bottom + corner[1] * h, 0.0f, 1.0f);
    }
    glEnd();
}

}
