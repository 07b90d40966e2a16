#pragma once

#include <optional>
#include <string>

namespace Tavrin::Flow {

// What a flow's top-level "demo" elements set, read ahead of loading it: where its data lives (for
// the sync tracks, which are read before the flow) and which music it plays (so that decoding can
// start first). The settings count in document order, starting from dataFolder; a file that cannot
// be read leaves the data folder as given and names no music, and loading the flow still reports
// the settings that count.
struct PeekedSettings {
    std::string dataFolder;
    std::string musicPath;  // data folder + music file; empty when no music is named there
    std::optional<float> bpm;  // the tempo, when the flow names one there
};

PeekedSettings peekFlowSettings(const std::string& flowFile, std::string dataFolder);

}
