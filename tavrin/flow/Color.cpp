#include "tavrin/flow/Color.h"

namespace Tavrin::Flow {

Color::Color(float red, float green, float blue, float alpha)
    : r(keepUnlisted(std::make_unique<Node>(red)))
    , g(keepUnlisted(std::make_unique<Node>(green)))
    , b(keepUnlisted(std::make_unique<Node>(blue)))
    , a(keepUnlisted(std::make_unique<Node>(alpha)))
{}

Orvane::Vector4t<float> Color::colorAt(float time)
{
    float red = r->evaluate(time);
    float green = g->evaluate(time);
    float blue = b->evaluate(time);
    float alpha = a->evaluate(time);
    return {red, green, blue, alpha};
}

}
