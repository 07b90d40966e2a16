#include "tavrin/edit/RocketTracks.h"

#include "tavrin/audio/DecodedAudio.h"
#include "tavrin/audio/Music.h"
#include "tavrin/sync/SyncTrack.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

namespace Tavrin::Edit {

namespace {

constexpr char ComponentNames[RocketComponents] = {'x', 'y', 'z', 'w'};

float valueOf(const Orvane::Vector4t<float>& v, int component)
{
    const float values[RocketComponents] = {v.x, v.y, v.z, v.w};
    return values[component];
}

void setValue(Orvane::Vector4t<float>& v, int component, float value)
{
    float* values[RocketComponents] = {&v.x, &v.y, &v.z, &v.w};
    *values[component] = value;
}

// A component's curve, evaluated as the engine evaluates a track.
class ComponentCurve {
public:
    explicit ComponentCurve(const ComponentKeys& keys)
        : empty_(keys.empty())
    {
        if (empty_)
            return;
        std::vector<Sync::SyncKey> track;
        for (const ComponentKey& key : keys) {
            Sync::SyncKey scalar;
            scalar.time = key.time;
            scalar.mode = key.mode;
            scalar.inValue.x = key.inValue;
            scalar.outValue.x = key.outValue;
            track.push_back(scalar);
        }
        track_.setKeys(std::move(track));
    }

    float at(float time) { return empty_ ? 0.0f : track_.evaluate(time).x; }

private:
    bool empty_;
    Sync::SyncTrack track_;
};

const ComponentKey* keyAt(const ComponentKeys& keys, float time)
{
    auto found = std::lower_bound(keys.begin(), keys.end(), time,
                                  [](const ComponentKey& key, float t) { return key.time < t; });
    return found != keys.end() && found->time == time ? &*found : nullptr;
}

}

std::string rocketTrackName(int rocketTrack)
{
    int track = rocketTrack / RocketComponents;
    std::string name = (track < 10 ? "0" : "") + std::to_string(track) + ".";
    return name + ComponentNames[rocketTrack % RocketComponents];
}

std::optional<int> rocketTrackNumber(const std::string& name)
{
    if (name.size() != 4 || name[2] != '.' || !std::isdigit(static_cast<unsigned char>(name[0]))
        || !std::isdigit(static_cast<unsigned char>(name[1])))
        return std::nullopt;
    int track = (name[0] - '0') * 10 + (name[1] - '0');
    const char* component = std::find(std::begin(ComponentNames), std::end(ComponentNames), name[3]);
    if (track >= Sync::SyncTrackCount || component == std::end(ComponentNames))
        return std::nullopt;
    return track * RocketComponents + int(component - ComponentNames);
}

double rocketRowSeconds(float bpm) { return 60.0 / (4.0 * double(bpm)); }

// The same product the track text uses for "r<row>", so rows survive a trip through the text.
float rocketRowTime(std::uint32_t row, float bpm) { return float(double(row) * rocketRowSeconds(bpm)); }

float rocketRowPlayhead(std::uint32_t row, float bpm)
{
    auto heardAfterSeek = [](float seconds) {
        std::int64_t frame = Audio::secondsToMusicBytes(seconds) / Audio::MusicBytesPerFrame;
        return float(double(frame) / Audio::MusicSampleRate);
    };
    float key = rocketRowTime(row, bpm);
    double nextFrame = std::floor(double(key) * Audio::MusicSampleRate) + 1.0;
    float playhead = std::max(float(nextFrame / Audio::MusicSampleRate), std::nextafter(key, INFINITY));
    while (heardAfterSeek(playhead) <= key)
        playhead = std::nextafter(playhead, INFINITY);
    return playhead;
}

std::uint32_t rocketRowAt(float time, float bpm)
{
    double rows = std::floor(std::max(0.0, double(time) / rocketRowSeconds(bpm)) + 1e-3);
    return std::uint32_t(std::min(rows, 4294967295.0));
}

Sync::InterpolationMode syncModeOfRocket(std::uint8_t interpolation)
{
    switch (interpolation) {
    case RocketStep: return Sync::InterpolationMode::Step;
    case RocketSmooth: return Sync::InterpolationMode::Smooth;
    default: return Sync::InterpolationMode::Linear;
    }
}

ComponentKeys componentOf(const std::vector<Sync::SyncKey>& keys, int component)
{
    ComponentKeys result;
    for (const Sync::SyncKey& key : keys)
        result.push_back({key.time, valueOf(key.inValue, component), valueOf(key.outValue, component), key.mode});
    return result;
}

ComponentKeys componentFromRocket(const std::vector<RocketKey>& keys, float bpm)
{
    ComponentKeys result;
    for (const RocketKey& key : keys)
        result.push_back({rocketRowTime(key.row, bpm), key.value, key.value, syncModeOfRocket(key.interpolation)});
    return result;
}

std::vector<Sync::SyncKey> mergeComponents(const std::array<ComponentKeys, RocketComponents>& components)
{
    std::set<float> times;
    for (const ComponentKeys& keys : components)
        for (const ComponentKey& key : keys)
            times.insert(key.time);
    if (times.empty())
        return {Sync::SyncKey{}};
    std::vector<ComponentCurve> curves(components.begin(), components.end());
    std::vector<Sync::SyncKey> merged;
    for (float time : times) {
        Sync::SyncKey key;
        key.time = time;
        std::optional<Sync::InterpolationMode> mode;
        for (int c = 0; c < RocketComponents; ++c) {
            const ComponentKey* own = keyAt(components[size_t(c)], time);
            float in = own ? own->inValue : curves[size_t(c)].at(time);
            setValue(key.inValue, c, in);
            setValue(key.outValue, c, own ? own->outValue : in);
            if (own && !mode)
                mode = own->mode;
        }
        key.mode = *mode;
        merged.push_back(key);
    }
    return merged;
}

// The editor has no jumps: a key whose segment before it arrives at another value than it leaves
// with gets a step key one row earlier holding the value arriving there, when that row is free.
std::vector<RocketKey> rocketKeysOf(const ComponentKeys& component, float bpm)
{
    ComponentCurve curve(component);
    std::map<std::uint32_t, RocketKey> byRow;
    std::optional<std::uint32_t> previousRow;
    Sync::InterpolationMode previousMode = Sync::InterpolationMode::Step;
    for (const ComponentKey& key : component) {
        auto row = std::uint32_t(std::max(0.0, std::round(double(key.time) / rocketRowSeconds(bpm))));
        bool arrivesElsewhere
            = key.inValue != key.outValue && (!previousRow || previousMode != Sync::InterpolationMode::Step);
        if (arrivesElsewhere && row > 0 && (!previousRow || *previousRow + 1 < row)) {
            float before = previousRow ? curve.at(rocketRowTime(row - 1, bpm)) : key.inValue;
            byRow[row - 1] = {row - 1, before, RocketStep};
        }
        byRow[row] = {row, key.outValue, std::uint8_t(key.mode)};
        previousRow = row;
        previousMode = key.mode;
    }
    std::vector<RocketKey> keys;
    for (const auto& [row, key] : byRow)
        keys.push_back(key);
    return keys;
}

}
