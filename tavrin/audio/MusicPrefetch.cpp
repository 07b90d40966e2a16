#include "tavrin/audio/MusicPrefetch.h"

namespace Tavrin::Audio {

void MusicPrefetch::start(const std::string& path)
{
    if (path.empty() || (decoding_.valid() && path_ == path))
        return;
    if (decoding_.valid())
        replaced_.push_back(std::move(decoding_));
    path_ = path;
    decoding_ = decodeAudioFileAsync(path);
}

std::future<DecodedAudio> MusicPrefetch::take(const std::string& path)
{
    if (path != path_)
        return {};
    return std::move(decoding_);
}

}
