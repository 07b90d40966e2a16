#include "BenchDemo.h"

#include "orvane/Device.h"
#include "orvane/Window.h"

#include <cstdlib>
#include <memory>

namespace Bench {

namespace {

struct Context {
    Context()
        : window(std::make_unique<Orvane::Window>(640, 360, Orvane::Window::Style{.windowed = true, .visible = false}))
        , device(std::make_unique<Orvane::Device>(window.get(), 24, 8, 0, Orvane::Device::ColourBuffer::FixedPoint))
    {
        demo.width = 640;
        demo.height = demo.viewportHeight = 360;
        demo.loadBuiltins();
        demo.createRenderTargets();
        setCamera(demo, 0, -250, 30, 0, 0, 40);
        demo.spectrum[0] = 0.15f;
    }
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
    Nightglass::Nightglass demo;
};

}

Nightglass::Nightglass* demo(benchmark::State& state)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("no X display: run under xvfb-run from the repository root");
        return nullptr;
    }
    static Context shared;
    return &shared.demo;
}

void setCamera(Nightglass::Nightglass& demo, float eyeX, float eyeY, float eyeZ, float targetX, float targetY,
               float targetZ, float fovDegrees)
{
    demo.syncValues[0] = {eyeX, eyeY, eyeZ, 0};
    demo.syncValues[1] = {targetX, targetY, targetZ, 0};
    demo.syncValues[2] = {0, 0, 1, 0};
    demo.syncValues[3] = {fovDegrees, 0, 0, 0};
}

}
