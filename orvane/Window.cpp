#include "orvane/Window.h"

#include "orvane/exceptions/Exception.h"

#include <SDL2/SDL.h>

#include <string>

namespace Orvane {

namespace {

void startVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw Exceptions::DeviceNotCapableException(std::string("Unable to open a display: ") + SDL_GetError());
}

}

Window::Window(int width, int height, Style style)
    : width_(width)
    , height_(height)
    , style_(style)
{
    startVideo();
    create();
}

Window::~Window() { destroy(); }

void Window::create()
{
    Uint32 flags = SDL_WINDOW_OPENGL | (style_.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    if (!style_.windowed)
        flags |= SDL_WINDOW_BORDERLESS;
    int position = style_.windowed ? 5 : 0;
    window_ = SDL_CreateWindow("Orvane Window", position, position, width_, height_, flags);
    if (window_ == nullptr)
        throw Exceptions::DeviceNotCapableException(std::string("Unable to create the window: ") + SDL_GetError());
    if (style_.visible)
        SDL_RaiseWindow(window_);
}

void Window::rebuild()
{
    destroy();
    create();
}

void Window::destroy()
{
    if (window_ != nullptr)
        SDL_DestroyWindow(window_);
    window_ = nullptr;
}

int Window::clientWidth() const
{
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window_, &w, &h);
    return w;
}

int Window::clientHeight() const
{
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window_, &w, &h);
    return h;
}

}
