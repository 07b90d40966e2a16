#pragma once

#include <vector>

namespace Tavrin::Audio {
struct DecodedAudio;
}

namespace Tavrin::Edit {

// The lowest and highest sample (-1 to 1, both channels) under one column of a waveform picture.
struct WaveColumn {
    float low = 0.0f;
    float high = 0.0f;
};

// The audio between from and to seconds cut into columns of equal time, each reduced to its
// extremes. Columns before the start or past the end of the audio stay empty (0, 0).
std::vector<WaveColumn> waveformColumns(const Audio::DecodedAudio& audio, float from, float to, int columns);

}
