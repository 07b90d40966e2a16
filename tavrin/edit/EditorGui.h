#pragma once

#include "orvane/Mouse.h"

struct ImGuiContext;

namespace Tavrin::Edit {

// Dear ImGui over the demo's picture, in a context of its own: fed from the pointer and the
// modifiers the session polls (the window reads no events), drawn with the GL 2 backend after the
// frame. Needs the demo's GL context current from construction to destruction.
class EditorGui {
public:
    EditorGui();
    ~EditorGui();
    EditorGui(const EditorGui&) = delete;
    EditorGui& operator=(const EditorGui&) = delete;

    // Between here and render the ImGui calls build this frame, for a window width x height pixels.
    void beginFrame(const Orvane::Mouse::State& pointer, bool shift, bool ctrl, int width, int height, float delta);
    void render();

    // Whether the pointer is over one of its windows (or dragging in one), so the demo leaves it be.
    bool wantsPointer() const;

private:
    ImGuiContext* context_;
};

}
