#include "tavrin/dialog/SettingsDialog.h"

#include "orvane/StopSignals.h"
#include "orvane/exceptions/Exception.h"
#include "tavrin/dialog/DialogBanner.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <backends/imgui_impl_opengl2.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <filesystem>
#include <string>

namespace Tavrin::Dialog {

namespace {

// The dialog is laid out in the units of its original template; two pixels a unit reads well.
constexpr float Unit = 2.0f;
constexpr int WidthUnits = 204, HeightUnits = 104;
constexpr int BannerWidth = 187, BannerHeight = 28;

ImVec2 at(float x, float y) { return ImVec2(x * Unit, y * Unit); }

void loadFont()
{
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    for (const char* path : {"data/fonts/eurostile.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"})
        if (std::filesystem::exists(path)) {
            io.Fonts->AddFontFromFileTTF(path, 15.0f);
            return;
        }
    io.Fonts->AddFontDefault();
}

void applyStyle()
{
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 0.0f;
    style.FrameRounding = 3.0f;
    style.Colors[ImGuiCol_WindowBg] = ImVec4(0.07f, 0.06f, 0.11f, 1.0f);
    style.Colors[ImGuiCol_Button] = ImVec4(0.36f, 0.18f, 0.42f, 1.0f);
    style.Colors[ImGuiCol_ButtonHovered] = ImVec4(0.55f, 0.28f, 0.52f, 1.0f);
    style.Colors[ImGuiCol_FrameBg] = ImVec4(0.16f, 0.13f, 0.24f, 1.0f);
    style.Colors[ImGuiCol_CheckMark] = ImVec4(0.98f, 0.62f, 0.34f, 1.0f);
}

template <size_t N>
void combo(const char* id, float x, float y, float width, const std::array<const char*, N>& entries, int& selected)
{
    ImGui::SetCursorPos(at(x, y));
    ImGui::SetNextItemWidth(width * Unit);
    ImGui::Combo(id, &selected, entries.data(), int(N));
}

void label(const char* text, float x, float y)
{
    ImGui::SetCursorPos(at(x, y));
    ImGui::TextUnformatted(text);
}

bool button(const char* text, float x, float y)
{
    ImGui::SetCursorPos(at(x, y));
    return ImGui::Button(text, at(50, 14));
}

}

SettingsDialog::SettingsDialog()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw Orvane::Exceptions::DeviceNotCapableException(std::string("Unable to open a display: ") + SDL_GetError());
    // The demo window ignores key events; the dialog needs them.
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP, SDL_TEXTINPUT, SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
                        SDL_MOUSEWHEEL})
        SDL_EventState(type, SDL_ENABLE);
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window_ = SDL_CreateWindow("Velkor Democonfig", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               int(WidthUnits * Unit), int(HeightUnits * Unit), SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window_ == nullptr)
        throw Orvane::Exceptions::DeviceNotCapableException(std::string("Unable to open the settings dialog: ")
                                                            + SDL_GetError());
    context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr) {
        SDL_DestroyWindow(window_);
        throw Orvane::Exceptions::DeviceNotCapableException(std::string("Unable to open the settings dialog: ")
                                                            + SDL_GetError());
    }
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(1);

    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    loadFont();
    applyStyle();
    ImGui_ImplSDL2_InitForOpenGL(window_, context_);
    ImGui_ImplOpenGL2_Init();

    int w = int(BannerWidth * Unit), h = int(BannerHeight * Unit);
    std::vector<std::uint8_t> banner = makeDialogBanner(w, h);
    glGenTextures(1, &bannerTexture_);
    glBindTexture(GL_TEXTURE_2D, bannerTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, banner.data());
}

SettingsDialog::~SettingsDialog()
{
    glDeleteTextures(1, &bannerTexture_);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    SDL_DestroyWindow(window_);
}

int SettingsDialog::run(DemoSettings& settings)
{
    for (;;) {
        int result = step(settings);
        if (result >= 0)
            return result;
        SDL_WaitEventTimeout(nullptr, 50);
    }
}

int SettingsDialog::step(DemoSettings& settings)
{
    bool demo = false, die = false, enter = false, escape = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        ImGui_ImplSDL2_ProcessEvent(&event);
        if (event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
            die = true;
        if (event.type == SDL_KEYDOWN) {
            SDL_Keycode key = event.key.keysym.sym;
            enter |= key == SDLK_RETURN || key == SDLK_KP_ENTER;
            escape |= key == SDLK_ESCAPE;
        }
    }

    // A stop signal is the dialog being closed.
    die |= Orvane::StopSignals::requested();
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    // Enter and Escape belong to an open list first; otherwise they are "Demo" and "Die".
    bool listOpen = ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId);
    drawControls(demo, die);
    ImGui::Render();
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window_, &w, &h);
    glViewport(0, 0, w, h);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(window_);

    if (die || (escape && !listOpen))
        return SettingsDialogModel::cancel();
    if (demo || (enter && !listOpen))
        return model_.accept(settings);
    return -1;
}

void SettingsDialog::drawControls(bool& demo, bool& die)
{
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(at(WidthUnits, HeightUnits));
    ImGui::Begin("settings", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings
                     | ImGuiWindowFlags_NoBringToFrontOnFocus);
    ImGui::SetCursorPos(at(7, 7));
    ImGui::Image(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(bannerTexture_)), at(BannerWidth, BannerHeight));
    ImGui::GetWindowDrawList()->AddText(ImGui::GetFont(), 30.0f, at(14, 12), IM_COL32(255, 236, 214, 235),
                                        "NIGHTGLASS");

    label("Resolution:", 15, 41);
    combo("##resolution", 59, 39, 129, SettingsDialogModel::Resolutions, model_.resolution);
    label("Anti-Aliasing:", 15, 56);
    combo("##antialias", 63, 54, 42, SettingsDialogModel::Antialiasing, model_.antialias);
    label("Aspect:", 111, 56);
    combo("##aspect", 142, 54, 46, SettingsDialogModel::Aspects, model_.aspect);

    ImGui::SetCursorPos(at(15, 71));
    ImGui::Checkbox("Music", &model_.music);
    ImGui::SetCursorPos(at(15, 85));
    ImGui::Checkbox("Fullscreen", &model_.fullscreen);
    demo = button("Demo", 85, 83);
    die |= button("Die", 137, 83);
    ImGui::End();
}

}
