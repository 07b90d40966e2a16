#include "tavrin/SettingsDialogModel.h"

namespace Tavrin {

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
