#include "tavrin/dialog/SettingsDialog.h"
#include "support/GlTest.h"
#include "tavrin/dialog/DialogBanner.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include <gtest/gtest.h>

using Tavrin::DemoSettings;
using Tavrin::Dialog::SettingsDialog;
using Tavrin::Dialog::SettingsDialogModel;

TEST(SettingsDialogModel, DefaultsAndIndexMeanings)
{
    SettingsDialogModel model;
    DemoSettings settings;
    settings.resolutionIndex = settings.antialiasIndex = settings.aspectIndex = 7;
    settings.fullscreen = settings.music = false;
    EXPECT_EQ(model.accept(settings), SettingsDialogModel::Start);
    EXPECT_STREQ(SettingsDialogModel::Resolutions[settings.resolutionIndex], "800x600");
    EXPECT_STREQ(SettingsDialogModel::Antialiasing[settings.antialiasIndex], "4X AA");
    EXPECT_STREQ(SettingsDialogModel::Aspects[settings.aspectIndex], "4:3");
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.music);

    model.resolution = 8;
    model.aspect = 2;
    model.music = false;
    model.accept(settings);
    EXPECT_STREQ(SettingsDialogModel::Resolutions[settings.resolutionIndex], "1680x1050");
    EXPECT_STREQ(SettingsDialogModel::Aspects[settings.aspectIndex], "16:10");
    EXPECT_FALSE(settings.music);
    EXPECT_EQ(SettingsDialogModel::cancel(), SettingsDialogModel::Quit);
}

TEST(DialogBanner, IsADuskSkyOverADarkHorizon)
{
    auto banner = Tavrin::Dialog::makeDialogBanner(374, 56);
    ASSERT_EQ(banner.size(), 374u * 56u * 4u);
    auto at = [&](int x, int y) { return &banner[(size_t(y) * 374 + x) * 4]; };
    // Top: deep blue; bottom: dark ground; every pixel opaque.
    EXPECT_GT(at(10, 1)[2], at(10, 1)[0]);
    EXPECT_LT(at(10, 55)[0] + at(10, 55)[1] + at(10, 55)[2], 40);
    EXPECT_EQ(at(200, 20)[3], 255);
    EXPECT_EQ(Tavrin::Dialog::makeDialogBanner(374, 56), banner);
}

namespace {

void pushKey(SDL_Keycode key)
{
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&event);
}

}

TEST(SettingsDialogGlTest, DrawsItsBannerAndAnswersEnterEscapeAndClose)
{
    if (!TestSupport::displayAvailable())
        GTEST_SKIP() << "No X display: run GL tests under xvfb-run (the README's test command does).";
    DemoSettings settings;
    settings.resolutionIndex = 5;
    {
        SettingsDialog dialog;
        EXPECT_STREQ(SDL_GetWindowTitle(dialog.window()), "Velkor Democonfig");
        EXPECT_EQ(dialog.step(settings), -1);
        EXPECT_EQ(dialog.step(settings), -1);
        // The banner spans the top of the window; its sky is lit, the rest of the dialog is dark.
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(dialog.window(), &w, &h);
        unsigned char sky[4], body[4];
        // Mesa keeps the back buffer through the swap, so the frame just shown can be read there.
        glReadBuffer(GL_BACK);
        glReadPixels(w / 2, h - 30, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, sky);
        glReadPixels(w / 2, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, body);
        EXPECT_GT(sky[0] + sky[1] + sky[2], 60);
        EXPECT_LT(body[0] + body[1] + body[2], 80);
        EXPECT_EQ(settings.resolutionIndex, 5) << "nothing stored before a choice";
        pushKey(SDLK_RETURN);
        EXPECT_EQ(dialog.step(settings), SettingsDialogModel::Start);
        EXPECT_EQ(settings.resolutionIndex, 1);
    }
    {
        SettingsDialog dialog;
        pushKey(SDLK_ESCAPE);
        EXPECT_EQ(dialog.step(settings), SettingsDialogModel::Quit);
    }
    {
        SettingsDialog dialog;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        EXPECT_EQ(dialog.step(settings), SettingsDialogModel::Quit);
    }
}
