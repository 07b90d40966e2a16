#pragma once

#include "orvane/AttributeSemantic.h"
#include "orvane/RenderEnums.h"

#include <memory>
#include <string>

typedef void* SDL_GLContext;

namespace Orvane {

class Shader;
class Window;

enum class ClearTarget : int { Color = 0, Depth, Stencil, ColorDepth, ColorStencil, DepthStencil, All };

// The GL context on a window: pixel format, extension loading, clears, immediate-mode vertices
// and the per-frame event pump with buffer swap.
class Device {
public:
    // The colour buffer's components: fixed point (the demo's) or floating point.
    enum class ColourBuffer { FixedPoint, FloatingPoint };

    static const char* const NotCapableMessage;
    // Compiled and bound at start-up, so a missing or broken GLSL compiler shows at once.
    static const char* const DefaultShaderSource;

    Device(Window* window, int depthBits, int stencilBits, int samples, ColourBuffer colour);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // 0 the SDL window, 2 the GL context, anything else null (there is no device context or
    // shader runtime context on this platform).
    void* handle(int kind) const;

    // Handles at most one pending event; false on a quit request or a stop signal (no swap then).
    bool present();
    // The event half of present, for times when there is nothing new to show.
    bool handleEvent();
    // Buffer swaps so far.
    int presentCount() const { return presentCount_; }

    void clear(ClearTarget target, float red, float green, float blue, float alpha, float depth, int stencil);
    void beginPrimitives(PrimitiveTypeEnum primitive);
    void vertexAttribute(AttributeSemantic semantic, float x, float y, float z, float w);
    void setDisplayMode(int width, int height, int bitsPerPixel);

    int samples() const { return samples_; }
    Window* window() const { return window_; }
    Shader* defaultShader() const { return defaultShader_.get(); }

    static Device* current();

private:
    void createContext(int depthBits, int stencilBits, int samples, ColourBuffer colour);

    Window* window_;
    SDL_GLContext context_ = nullptr;
    bool ownsWindow_ = false;
    int samples_ = 0;
    int presentCount_ = 0;
    std::unique_ptr<Shader> defaultShader_;
};

}
