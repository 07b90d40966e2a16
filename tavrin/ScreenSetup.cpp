#include "tavrin/ScreenSetup.h"

namespace Tavrin {

Resolution resolutionFor(int resolutionIndex)
{
    static const Resolution table[] = {
        {640, 480},  {800, 600},  {960, 600},  {1024, 768},  {1280, 720},
        {1280, 768}, {1280, 960}, {1440, 900}, {1680, 1050},
    };
    if (resolutionIndex < 0 || resolutionIndex >= int(sizeof(table) / sizeof(table[0])))
        return {640, 480};
    return table[resolutionIndex];
}

int samplesFor(int antialiasIndex)
{
    static const int samples[] = {0, 2, 4, 6};
    if (antialiasIndex < 0 || antialiasIndex > 3)
        return 0;
    return samples[antialiasIndex];
}

Letterbox letterboxFor(int height, int aspectIndex)
{
    switch (aspectIndex) {
    case 0: return {height / 8, height - height / 4};
    case 2: return {(height * 6) / 160, height - (height * 12) / 160};
    default: return {0, height};
    }
}

float clampFrameDelta(float delta)
{
    if (delta > 0.5f || delta < 0.0f)
        return 0.01f;
    return delta;
}

}
