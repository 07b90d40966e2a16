#include "nightglass/effects/Desp.h"

#include "nightglass/kit/FarSideCulling.h"
#include "orvane/Shader.h"
#include "orvane/utils/geometry/Geometry.h"
#include "tavrin/Demo.h"

#include <cmath>

namespace Nightglass {

Desp::Desp(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , mesh_(owner->loadGeometry("objects/lol.fgm"))
    , shader_(&owner->builtinShader(Tavrin::BuiltinShader::VertexNormals))
    , texture_(owner->loadTexture("textures/lolmap2.jpg"))
{}

float Desp::strength(float x) const
{
    return demo->cosineEase((x - 1) * 0.5f) - demo->cosineEase(x - 8) + demo->cosineEase(x - 8.5f)
        - demo->cosineEase((x - 10) / 5);
}

void Desp::draw(float time)
{
    demo->setCamera(1, 1, 1000);
    shader_->bind();
    shader_->getParameter("texture").setTexture(*texture_);
    float k = strength(time);
    float ry = std::sin(time) * k, rx = std::sin(time / 4) * k, rz = std::sin(time / 2) * k;
    // The copies cut through each other as they turn; only a depth test keeps each one whole.
    enable(Orvane::Capability::DepthTest);
    FarSideCulling closedTubes(FarSideCulling::OutsideWinding::Clockwise);
    identityWorld();
    scaleWorld(OuterScale, OuterScale, OuterScale);
    for (int i = 0; i < Copies; ++i) {
        scaleWorld(Shrink, Shrink, Shrink);
        float o = 1 + 0.02f * float(i);
        rotateWorld(10 * o * ry, 0, 1, 0);
        rotateWorld(10 * o * rx, 1, 0, 0);
        rotateWorld(10 * o * rz, 0, 0, 1);
        shader_->updateState();
        mesh_->draw();
    }
    disable(Orvane::Capability::DepthTest);
}

}
