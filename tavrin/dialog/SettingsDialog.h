#pragma once

#include "tavrin/dialog/SettingsDialogModel.h"

struct SDL_Window;
typedef void* SDL_GLContext;

namespace Tavrin::Dialog {

// The settings dialog in a small window of its own, drawn with Dear ImGui: caption
// "Velkor Democonfig", a banner, the three lists, "Music" and "Fullscreen", "Demo" (Enter) and
// "Die" (Escape or closing the window).
class SettingsDialog {
public:
    SettingsDialog();
    ~SettingsDialog();
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Runs until a choice is made; on Start the choices are stored in settings.
    int run(DemoSettings& settings);

    // One pass: handles pending events and draws. Returns Start or Quit once chosen, -1 before.
    int step(DemoSettings& settings);

    SettingsDialogModel& model() { return model_; }
    SDL_Window* window() const { return window_; }

private:
    void drawControls(bool& demo, bool& die);

    SettingsDialogModel model_;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    unsigned bannerTexture_ = 0;
};

}
