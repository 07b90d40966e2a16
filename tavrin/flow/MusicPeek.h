#pragma once

#include <string>

namespace Tavrin::Flow {

// The music file a flow will name, read ahead of loading it so that decoding can start first:
// the "data_folder" and "music" settings of its top-level "demo" elements, in document order,
// starting from dataFolder. Empty when the file cannot be read or names no music there; loading
// the flow still reports the settings that count.
std::string peekMusicPath(const std::string& flowFile, std::string dataFolder);

}
