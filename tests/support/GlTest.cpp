#include "support/GlTest.h"

#include "orvane/Extensions.h"
#include "orvane/GlErrorCheck.h"
#include "orvane/exceptions/Exception.h"

#include <GL/gl.h>

#include <cstdlib>
#include <stdexcept>

namespace TestSupport {

namespace {

struct Context {
    std::unique_ptr<Orvane::Window> window;
    std::unique_ptr<Orvane::Device> device;
};

Context& context()
{
    static Context shared;
    if (!shared.device) {
        shared.window = std::make_unique<Orvane::Window>(GlTest::Width, GlTest::Height,
                                                         Orvane::Window::Style{.windowed = true, .visible = false});
        shared.device
            = std::make_unique<Orvane::Device>(shared.window.get(), 24, 8, 0, Orvane::Device::ColourBuffer::FixedPoint);
    }
    return shared;
}

}

bool displayAvailable()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

void GlTest::SetUp()
{
    if (!displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    // Thrown on as a standard exception so that gtest shows the reason and the fixtures built on
    // this one stop too.
    try {
        context();
    } catch (const Orvane::Exceptions::Exception& e) {
        throw std::runtime_error(e.getMessage());
    }
    glViewport(0, 0, Width, Height);
}

void GlTest::TearDown()
{
    if (!displayAvailable())
        return;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        ADD_FAILURE() << "the test left the GL error " << Orvane::GlErrorCheck::errorName(error) << " raised";
}

Orvane::Device& GlTest::device() { return *context().device; }

void GlTest::useFixedFunction()
{
    Orvane::Ext::glUseProgram(0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

std::vector<std::uint8_t> GlTest::readPixels(int x, int y, int width, int height)
{
    std::vector<std::uint8_t> pixels(size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

Rgba GlTest::pixelAt(int x, int y)
{
    std::vector<std::uint8_t> p = readPixels(x, y, 1, 1);
    return {p[0], p[1], p[2], p[3]};
}

float GlTest::depthAt(int x, int y)
{
    float depth = -1.0f;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

int GlTest::stencilAt(int x, int y)
{
    GLint stencil = -1;
    glReadPixels(x, y, 1, 1, GL_STENCIL_INDEX, GL_INT, &stencil);
    return stencil;
}

}
