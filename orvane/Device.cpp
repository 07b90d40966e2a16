#include "orvane/Device.h"

#include "orvane/Extensions.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/StopSignals.h"
#include "orvane/Window.h"
#include "orvane/exceptions/Exception.h"

#include <SDL2/SDL.h>

#include <vector>

namespace Orvane {

const char* const Device::NotCapableMessage
    = "Your system is not capable of running this application. This has usually one of the following causes: \n\n"
      " - The graphics hardware device might be Orvane-incompatible. Your hardware must support at least Shader "
      "Model 2.0 to be Orvane-compatible.\n"
      " - The drivers might be outdated. Try downloading the latest drivers from your vendor.";

const char* const Device::DefaultShaderSource
    = "#ifdef VERTEX\nvoid vsMain() { gl_Position = gl_Vertex; }\n#endif\n"
      "#ifdef FRAGMENT\nvoid psMain() { gl_FragColor = vec4(1.0, 1.0, 1.0, 1.0); }\n#endif\n";

namespace {

Device* currentDevice = nullptr;

void setPixelFormat(int depthBits, int stencilBits, int samples, Device::ColourBuffer colour)
{
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
    SDL_GL_SetAttribute(SDL_GL_FLOATBUFFERS, colour == Device::ColourBuffer::FloatingPoint ? 1 : 0);
}

// The demo polls the keyboard state and never reads these events; ignoring them keeps a queue
// that is drained one event per frame from backing up.
void ignoreUnreadEvents()
{
    const Uint32 ignored[] = {
        SDL_KEYDOWN,
        SDL_KEYUP,
        SDL_TEXTEDITING,
        SDL_TEXTINPUT,
        SDL_KEYMAPCHANGED,
        SDL_MOUSEMOTION,
        SDL_MOUSEBUTTONDOWN,
        SDL_MOUSEBUTTONUP,
        SDL_MOUSEWHEEL,
        SDL_JOYAXISMOTION,
        SDL_JOYBALLMOTION,
        SDL_JOYHATMOTION,
        SDL_JOYBUTTONDOWN,
        SDL_JOYBUTTONUP,
        SDL_CONTROLLERAXISMOTION,
        SDL_CONTROLLERBUTTONDOWN,
        SDL_CONTROLLERBUTTONUP,
        SDL_FINGERDOWN,
        SDL_FINGERUP,
        SDL_FINGERMOTION,
        SDL_DOLLARGESTURE,
        SDL_MULTIGESTURE,
        SDL_CLIPBOARDUPDATE,
        SDL_DROPFILE,
        SDL_DROPTEXT,
        SDL_DROPBEGIN,
        SDL_DROPCOMPLETE,
        SDL_AUDIODEVICEADDED,
        SDL_AUDIODEVICEREMOVED,
        SDL_SENSORUPDATE,
    };
    for (Uint32 type : ignored)
        SDL_EventState(type, SDL_IGNORE);
}

}

Device::Device(Window* window, int depthBits, int stencilBits, int samples, ColourBuffer colour)
    : window_(window)
{
    createContext(depthBits, stencilBits, samples, colour);
    if (!Ext::loadExtensions())
        throw Exceptions::DeviceNotCapableException(NotCapableMessage);
    defaultShader_ = std::make_unique<Shader>(DefaultShaderSource, "vsMain", "psMain");
    defaultShader_->bind();

    currentDevice = this;
    State::setViewport(0, 0, window_->clientWidth(), window_->clientHeight());
    State::identityView();
    ignoreUnreadEvents();
    SDL_DisableScreenSaver();
}

void Device::createContext(int depthBits, int stencilBits, int samples, ColourBuffer colour)
{
    // A multisampled format that cannot be had falls back to a plain one instead of failing.
    std::vector<int> attempts = {0};
    if (samples > 0)
        attempts.insert(attempts.begin(), samples);
    for (int trying : attempts) {
        setPixelFormat(depthBits, stencilBits, trying, colour);
        try {
            window_->rebuild();
        } catch (const Exceptions::Exception&) {
            continue;
        }
        context_ = SDL_GL_CreateContext(window_->handle());
        if (context_ != nullptr) {
            samples_ = trying;
            SDL_GL_MakeCurrent(window_->handle(), context_);
            return;
        }
    }
    throw Exceptions::DeviceNotCapableException(NotCapableMessage);
}

Device::~Device()
{
    defaultShader_.reset();
    if (currentDevice == this)
        currentDevice = nullptr;
    SDL_GL_MakeCurrent(window_->handle(), nullptr);
    SDL_GL_DeleteContext(context_);
    if (ownsWindow_)
        delete window_;
}

Device* Device::current() { return currentDevice; }

void* Device::handle(int kind) const
{
    switch (kind) {
    case 0: return window_->handle();
    case 2: return context_;
    default: return nullptr;
    }
}

bool Device::handleEvent()
{
    if (StopSignals::requested())
        return false;
    SDL_Event event;
    return !(SDL_PollEvent(&event) && event.type == SDL_QUIT);
}

bool Device::present()
{
    if (!handleEvent())
        return false;
    SDL_GL_SwapWindow(window_->handle());
    ++presentCount_;
    return true;
}

void Device::clear(ClearTarget target, float red, float green, float blue, float alpha, float depth, int stencil)
{
    glClearStencil(stencil);
    glClearDepth(depth);
    glClearColor(red, green, blue, alpha);
    GLbitfield mask = 0;
    switch (target) {
    case ClearTarget::Color: mask = GL_COLOR_BUFFER_BIT; break;
    case ClearTarget::Depth: mask = GL_DEPTH_BUFFER_BIT; break;
    case ClearTarget::Stencil: mask = GL_STENCIL_BUFFER_BIT; break;
    case ClearTarget::ColorDepth: mask = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT; break;
    case ClearTarget::ColorStencil: mask = GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT; break;
    case ClearTarget::DepthStencil: mask = GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT; break;
    case ClearTarget::All: mask = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT; break;
    }
    glClear(mask);
}

void Device::beginPrimitives(PrimitiveTypeEnum primitive) { glBegin(toGl(primitive)); }

void Device::vertexAttribute(AttributeSemantic semantic, float x, float y, float z, float w)
{
    const float v[4] = {x, y, z, w};
    int value = static_cast<int>(semantic);
    if (value == 0)
        glVertex4fv(v);
    else if (value == 2)
        glTexCoord4fv(v);
    else if (value >= 3 && value <= 9)
        Ext::glMultiTexCoord4fv(GL_TEXTURE1 + value - 3, v);
    else if (value == 10)
        glNormal3fv(v);
    else if (value == 11)
        glColor4fv(v);
    else if (value >= 100 && value <= 115)
        Ext::glVertexAttrib4fv(value - 100, v);
}

void Device::setDisplayMode(int width, int height, int bitsPerPixel)
{
    SDL_Window* window = window_->handle();
    SDL_DisplayMode wanted{};
    wanted.w = width;
    wanted.h = height;
    wanted.format = bitsPerPixel == 32 ? SDL_PIXELFORMAT_RGB888 : 0;
    SDL_DisplayMode closest{};
    int display = SDL_GetWindowDisplayIndex(window);
    const SDL_DisplayMode* mode = SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest);
    SDL_SetWindowDisplayMode(window, mode != nullptr ? mode : &wanted);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
    SDL_ShowCursor(SDL_DISABLE);
}

}
