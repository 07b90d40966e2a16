#pragma once

#include "tavrin/audio/DecodedAudio.h"

#include <future>
#include <string>
#include <vector>

namespace Tavrin::Audio {

// The music decoded on a worker thread while the flow loads: started as soon as the flow names
// the file, collected when the music starts.
class MusicPrefetch {
public:
    // Starts decoding path unless that is already under way; an empty path starts nothing. A
    // decoding that another path replaces runs on unused and is waited for at destruction.
    void start(const std::string& path);
    // The decoding of path if it was started; otherwise an empty future (the caller decodes).
    std::future<DecodedAudio> take(const std::string& path);

private:
    std::string path_;
    std::future<DecodedAudio> decoding_;
    std::vector<std::future<DecodedAudio>> replaced_;
};

}
