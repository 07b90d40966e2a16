#include "tavrin/flow/Translate.h"

namespace Tavrin::Flow {

Translate::Translate(Demo* owner)
    : VisualNode(owner)
    , x(addChild(std::make_unique<Node>(0.0f)))
    , y(addChild(std::make_unique<Node>(0.0f)))
    , z(addChild(std::make_unique<Node>(0.0f)))
{}

float Translate::evaluate(float time)
{
    pushWorld();
    float dx = x->evaluate(time);
    float dy = y->evaluate(time);
    float dz = z->evaluate(time);
    translateWorld(dx, dy, dz);
    evaluateChildren(time);
    popWorld();
    return 0.0f;
}

}
