#pragma once

#include "Dsp.h"

#include <cmath>
#include <cstdint>

namespace Nightglass::Synth {

constexpr double BeatsPerMinute = 162.0;
constexpr int RowsPerBeat = 4;
constexpr double RowSeconds = 60.0 / (RowsPerBeat * BeatsPerMinute);
constexpr int EndRow = 2376;
constexpr double TailSeconds = 3.0;

inline double rowToSeconds(double row) { return row * RowSeconds; }
inline int64_t secondsToFrame(double seconds) { return int64_t(std::llround(seconds * SampleRate)); }
inline int64_t rowToFrame(double row) { return secondsToFrame(rowToSeconds(row)); }
inline int64_t pieceFrames() { return secondsToFrame(rowToSeconds(EndRow) + TailSeconds); }

}
