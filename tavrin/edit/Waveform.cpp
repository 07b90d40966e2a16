#include "tavrin/edit/Waveform.h"

#include "tavrin/audio/DecodedAudio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Tavrin::Edit {

std::vector<WaveColumn> waveformColumns(const Audio::DecodedAudio& audio, float from, float to, int columns)
{
    std::vector<WaveColumn> result(size_t(std::max(columns, 0)));
    if (columns <= 0 || !(to > from))
        return result;
    const double framesPerColumn = double(to - from) * Audio::MusicSampleRate / columns;
    const std::int64_t frames = audio.frameCount();
    for (int column = 0; column < columns; ++column) {
        std::int64_t first = std::int64_t(std::floor(from * double(Audio::MusicSampleRate) + column * framesPerColumn));
        std::int64_t last
            = std::int64_t(std::floor(from * double(Audio::MusicSampleRate) + (column + 1) * framesPerColumn));
        first = std::clamp<std::int64_t>(first, 0, frames);
        last = std::clamp<std::int64_t>(std::max(last, first + 1), 0, frames);
        if (first >= last)
            continue;
        auto [low, high] = std::minmax_element(audio.samples.begin() + first * Audio::MusicChannels,
                                               audio.samples.begin() + last * Audio::MusicChannels);
        result[size_t(column)] = {Audio::fromPcm16(*low), Audio::fromPcm16(*high)};
    }
    return result;
}

}
