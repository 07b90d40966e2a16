#pragma once

namespace Orvane::Mouse {

enum Button { Left = 0, Right = 1, Middle = 2, ButtonCount = 3 };

struct State {
    int x = 0, y = 0;  // window pixels from the top-left corner
    int moveX = 0, moveY = 0;  // motion since the last poll, also while captured
    bool down[ButtonCount] = {};  // held now, or pressed since the last poll
    int wheel = 0;  // notches since the last poll, away from the user positive
};

// The pointer as the demo reads it: polled once a frame, as the keys are.
class Pointer {
public:
    virtual ~Pointer() = default;
    virtual State poll() = 0;
    // While captured the pointer is hidden and held in the window, and motion has no bounds.
    virtual void setCaptured(bool captured) = 0;
};

// The window's pointer. The window ignores mouse events; while one of these lives, presses and the
// wheel (which come only as events) are counted between polls. Several share one count.
class WindowPointer : public Pointer {
public:
    WindowPointer();
    ~WindowPointer() override;
    WindowPointer(const WindowPointer&) = delete;
    WindowPointer& operator=(const WindowPointer&) = delete;
    State poll() override;
    void setCaptured(bool captured) override;
};

}
