#pragma once

struct SDL_Window;

namespace Orvane {

// The one window the demo draws into. The GL pixel format of an X11 window is fixed when the
// window is made, so the device rebuilds the window once it has set the format it wants.
class Window {
public:
    struct Style {
        bool windowed = true;  // a framed window at (5, 5); otherwise borderless at the corner
        bool visible = true;  // hidden for offline rendering
    };

    Window(int width, int height, Style style);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int clientWidth() const;
    int clientHeight() const;
    SDL_Window* handle() const { return window_; }

    // Destroys the SDL window and makes it again with the GL attributes now in force.
    void rebuild();
    void destroy();

private:
    void create();

    SDL_Window* window_ = nullptr;
    int width_, height_;
    Style style_;
};

}
