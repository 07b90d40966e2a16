#pragma once

#include "orvane/GlErrorCheck.h"
#include "orvane/MatrixStack.h"
#include "orvane/MessageBox.h"
#include "orvane/State.h"
#include "orvane/utils/Random.h"

#include <cstdint>
#include <string>

struct FT_LibraryRec_;

namespace Orvane {

// Everything the framework keeps for the whole process, in one place: the render state, GL error
// checking, message boxes, the extension table's outcome, the font library and the random
// generator. They are process-wide as the GL context and the C runtime they stand for are.
struct ProcessState {
    struct Render {
        State::Matrices matrices;
        MatrixStack world, view, projection;
    } render;
    struct GlErrors {
        bool enabled = false;
        int errorCount = 0;
        GlErrorCheck::Reporter reporter;
        // The driver's words for the last error, kept until the check that reports it.
        std::string driverMessage;
    } glErrors;
    struct MessageBoxes {
        bool batchMode = false;
        MessageBox::Sink sink;
    } messageBoxes;
    struct Extensions {
        bool allPresent = true;
    } extensions;
    struct Fonts {
        FT_LibraryRec_* library = nullptr;
        int starts = 0;
    } fonts;
    Utils::RandomGenerator random;
};

ProcessState& processState();

// Back to the state of a fresh process, for tests that try one thing after another: the font
// library is shut down, error checking and message box sinks are off, the generator is at seed 1.
// The GL entry points stay loaded; they belong to the context, not to this state.
void resetProcessState();

}
