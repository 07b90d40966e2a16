#pragma once

#include "orvane/State.h"

namespace Tavrin {

class Demo;

// Anything that renders at a time. Derives from the render state so that effects reach the
// matrix and switch operations as their own.
class Visual : public Orvane::State {
public:
    explicit Visual(Demo* owner)
        : demo(owner)
    {}
    virtual ~Visual() = default;
    Visual(const Visual&) = delete;
    Visual& operator=(const Visual&) = delete;

    virtual void draw(float time);

    Demo* demo;
};

}
