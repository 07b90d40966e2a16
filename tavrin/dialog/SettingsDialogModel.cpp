#include "tavrin/dialog/SettingsDialogModel.h"

namespace Tavrin::Dialog {

int SettingsDialogModel::accept(DemoSettings& settings) const
{
    settings.resolutionIndex = resolution;
    settings.antialiasIndex = antialias;
    settings.aspectIndex = aspect;
    settings.fullscreen = fullscreen;
    settings.music = music;
    return Start;
}

}
