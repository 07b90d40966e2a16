#include "tavrin/edit/EditorGui.h"

#include "orvane/Extensions.h"

#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>

#include <algorithm>

namespace Tavrin::Edit {

EditorGui::EditorGui()
    : context_(ImGui::CreateContext())
{
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is remembered between runs: no imgui.ini beside the demo.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.Fonts->AddFontDefault();
    ImGui::StyleColorsDark();
    ImGui_ImplOpenGL2_Init();
}

EditorGui::~EditorGui()
{
    ImGui::SetCurrentContext(context_);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui::DestroyContext(context_);
}

void EditorGui::beginFrame(const Orvane::Mouse::State& pointer, bool shift, bool ctrl, int width, int height,
                           float delta)
{
    ImGui::SetCurrentContext(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(float(width), float(height));
    io.DeltaTime = std::max(delta, 1e-4f);
    io.MousePos = ImVec2(float(pointer.x), float(pointer.y));
    for (int button = 0; button < Orvane::Mouse::ButtonCount; ++button)
        io.MouseDown[button] = pointer.down[button];
    io.MouseWheel = float(pointer.wheel);
    io.KeyShift = shift;
    io.KeyCtrl = ctrl;
    ImGui_ImplOpenGL2_NewFrame();
    ImGui::NewFrame();
}

// The backend draws with the fixed-function pipeline from client memory: no program and no
// buffer objects may be bound then.
void EditorGui::render()
{
    ImGui::SetCurrentContext(context_);
    ImGui::Render();
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    Orvane::Ext::glUseProgram(0);
    Orvane::Ext::glBindBuffer(GL_ARRAY_BUFFER, 0);
    Orvane::Ext::glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    Orvane::Ext::glUseProgram(GLuint(program));
}

bool EditorGui::wantsPointer() const
{
    ImGui::SetCurrentContext(context_);
    return ImGui::GetIO().WantCaptureMouse;
}

}
