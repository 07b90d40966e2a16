#include "orvane/Mouse.h"

#include "support/GlTest.h"

#include <SDL2/SDL.h>

using TestSupport::GlTest;

namespace {

void pushWheel(int notches, bool flipped)
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    event.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&event);
}

void pushPress(Uint8 button)
{
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    event.button.state = SDL_PRESSED;
    SDL_PushEvent(&event);
}

}

class MouseGlTest : public GlTest {};

// Presses and the wheel come only as events, which the demo's window leaves in its queue one a
// frame: they must be counted once, between polls, and not stay in the queue.
TEST_F(MouseGlTest, PressesAndWheelNotchesBetweenPollsCountOnceAndLeaveTheQueue)
{
    Orvane::Mouse::WindowPointer pointer;
    pointer.poll();
    pushWheel(2, false);
    pushWheel(1, true);
    pushPress(SDL_BUTTON_RIGHT);
    Orvane::Mouse::State state = pointer.poll();
    EXPECT_EQ(state.wheel, 1) << "a flipped wheel counts the other way";
    EXPECT_TRUE(state.down[Orvane::Mouse::Right]) << "a press released before the poll still shows";
    EXPECT_FALSE(state.down[Orvane::Mouse::Left]);
    EXPECT_FALSE(SDL_HasEvent(SDL_MOUSEWHEEL));
    EXPECT_FALSE(SDL_HasEvent(SDL_MOUSEBUTTONDOWN));

    state = pointer.poll();
    EXPECT_EQ(state.wheel, 0);
    EXPECT_FALSE(state.down[Orvane::Mouse::Right]);
}
