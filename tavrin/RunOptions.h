#pragma once

#include "tavrin/DemoSettings.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Tavrin {

struct CaptureOptions {
    std::string path;  // a folder of PNG frames, or a video file (.mp4, .mkv, .webm)
    int fps = 60;
    float from = 0.0f;
    std::optional<float> to;  // default: the end time
    std::vector<float> times;  // only these times, when not empty
    std::optional<std::pair<long, long>> frames;  // only frames first to last of the fps grid
    bool lossless = false;  // a video of exactly the pixels, FFV1 in Matroska, without sound

    bool enabled() const { return !path.empty(); }
    bool isVideo() const;
};

// What a run asked only to be told prints and does: the values scripts need of a flow.
enum class Query { None, EndTime, MusicPath };

// How this run was asked for: the dialog's five settings plus what only the command line sets.
struct RunOptions {
    bool showDialog = true;
    DemoSettings settings;
    int width = 0, height = 0;  // any size; 0 takes the resolution from the settings
    std::optional<int> samples;  // multisample count; unset takes it from the settings
    std::string flowFile;  // empty: the production's flow file
    float start = 0.0f;
    CaptureOptions capture;
    bool profile = false;  // print where the frames' time went when the run ends
    bool benchmarkStart = false;  // end after the first presented frame and report it
    bool glDebug = false;  // report every GL error with the flow node that raised it
    bool edit = false;  // live editing: hot reload, transport keys, timeline HUD
    std::optional<std::string> rocket;  // with edit: a Rocket editor's "HOST[:PORT]" (empty: default)
    Query query = Query::None;

    // Whether nobody is there to answer a message box: a capture, a start-up measure, a question
    // of a script, or a run without the dialog whose standard input is not a terminal.
    bool unattended(bool inputIsTerminal) const
    {
        return capture.enabled() || benchmarkStart || query != Query::None || (!showDialog && !inputIsTerminal);
    }
};

}
