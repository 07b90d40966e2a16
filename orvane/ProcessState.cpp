#include "orvane/ProcessState.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace Orvane {

ProcessState& processState()
{
    static ProcessState state;
    return state;
}

void resetProcessState()
{
    ProcessState& state = processState();
    if (state.fonts.library != nullptr)
        FT_Done_FreeType(state.fonts.library);
    state = ProcessState{};
}

}
