#pragma once

#include "tavrin/sync/SyncKey.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Tavrin::Edit {

// The Rocket sync editor keys one float per track at whole rows. Each of our four-component tracks
// appears there as four tracks "NN.x" .. "NN.w", numbered 4 × NN + component.
constexpr int RocketComponents = 4;
constexpr int RocketTrackCount = Sync::SyncTrackCount * RocketComponents;

enum RocketInterpolation : std::uint8_t { RocketStep = 0, RocketLinear = 1, RocketSmooth = 2, RocketRamp = 3 };

struct RocketKey {
    std::uint32_t row = 0;
    float value = 0.0f;
    std::uint8_t interpolation = RocketStep;
};

std::string rocketTrackName(int rocketTrack);
// The number of a name rocketTrackName gives, or nothing for any other name.
std::optional<int> rocketTrackNumber(const std::string& name);

// Rows are sixteenth notes: four to the beat.
double rocketRowSeconds(float bpm);
// The time of a key on a row.
float rocketRowTime(std::uint32_t row, float bpm);
// Where the playhead goes for a row: the first time past the row's own time that the music, which
// seeks to whole frames and reports its position as a float, also plays from past it. There the
// row's own keys are in force (on a key's time a track still shows the segment before it, which
// for a step key is the previous value) and the row comes back as itself.
float rocketRowPlayhead(std::uint32_t row, float bpm);
// The row a time lies in. A key's time and a row's playhead both give their row back, although a
// row's time divides back to a hair below the row.
std::uint32_t rocketRowAt(float time, float bpm);
// Rocket's ramp (a quadratic ease-in) has no counterpart; linear is the nearest of ours.
Sync::InterpolationMode syncModeOfRocket(std::uint8_t interpolation);

// One component of a track: the scalar keys it is built from, in time order.
struct ComponentKey {
    float time = 0.0f;
    float inValue = 0.0f, outValue = 0.0f;
    Sync::InterpolationMode mode = Sync::InterpolationMode::Linear;
};
using ComponentKeys = std::vector<ComponentKey>;

ComponentKeys componentOf(const std::vector<Sync::SyncKey>& keys, int component);
// Keys sorted by row, one per row.
ComponentKeys componentFromRocket(const std::vector<RocketKey>& keys, float bpm);

// One of our keys at every time any component has a key. A component without a key at that time
// contributes its own curve's value there (zero for a component without keys, as in the editor);
// the mode comes from the first component, x to w, that has a key at that time. Components keyed
// at the same times, as in any track we wrote, come back unchanged.
std::vector<Sync::SyncKey> mergeComponents(const std::array<ComponentKeys, RocketComponents>& components);

// The editor's view of one component: each key at its nearest row (rows below zero go to row 0, a
// later key on the same row wins) with the value after the key. A jump, which the editor cannot
// key, becomes a step key one row before it holding the value arriving there.
std::vector<RocketKey> rocketKeysOf(const ComponentKeys& component, float bpm);

}
