#include "orvane/utils/scenegraph/ChannelBlock.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/FsgFormat.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

namespace Orvane::Utils::SceneGraph {

using Exceptions::Exception;
using Exceptions::UnsupportedFormatException;
using FsgFormat::ChannelKind;

namespace {

ChannelKind parseChannelKind(const std::string& name)
{
    for (ChannelKind kind : {ChannelKind::None, ChannelKind::Linear, ChannelKind::Bezier})
        if (FsgFormat::channelKindName(kind) == name)
            return kind;
    throw UnsupportedFormatException("readChannelBlock(): unknown channel kind \"" + name
                                     + "\" (expected \"bezier\", \"linear\" or \"none\")");
}

int readKeyCount(InputStream& stream, ChannelKind kind, int componentCount)
{
    std::int32_t count = readInt32(stream);
    if (count < 0)
        throw UnsupportedFormatException("readChannelBlock(): negative key count " + std::to_string(count));
    std::int64_t floatsPerKey
        = kind == ChannelKind::Bezier ? 1 + 5 * std::int64_t(componentCount) : 1 + std::int64_t(componentCount);
    if (count * floatsPerKey * 4 > std::numeric_limits<std::int32_t>::max())
        throw UnsupportedFormatException("readChannelBlock(): " + std::to_string(count)
                                         + " keys are more than a file can hold");
    return count;
}

template <typename Track>
std::vector<Track*> addTracks(ScalarControllers& controllers, int count)
{
    std::vector<Track*> tracks;
    for (int i = 0; i < count; ++i) {
        auto track = std::make_unique<Track>();
        tracks.push_back(track.get());
        controllers.push_back(std::move(track));
    }
    return tracks;
}

void readLinearKeys(InputStream& stream, const std::vector<LinearTrack*>& tracks, int keyCount)
{
    for (int k = 0; k < keyCount; ++k) {
        float time = readFloat(stream);
        for (LinearTrack* track : tracks)
            track->addKey(time, readFloat(stream));
    }
}

BezierTrack::Tangent readTangent(InputStream& stream)
{
    float a = readFloat(stream);
    float b = readFloat(stream);
    return {a, b};
}

void readBezierKeys(InputStream& stream, const std::vector<BezierTrack*>& tracks, int keyCount)
{
    std::vector<BezierTrack::Key> key(tracks.size());
    for (int k = 0; k < keyCount; ++k) {
        float time = readFloat(stream);
        for (BezierTrack::Key& component : key)
            component.value = readFloat(stream);
        for (BezierTrack::Key& component : key)
            component.tangent1 = readTangent(stream);
        for (BezierTrack::Key& component : key)
            component.tangent2 = readTangent(stream);
        for (size_t i = 0; i < tracks.size(); ++i)
            tracks[i]->addKey(time, key[i].value, key[i].tangent1, key[i].tangent2);
    }
}

}

ScalarControllers readChannelBlock(InputStream& stream, int componentCount)
{
    if (componentCount < 0 || componentCount > FsgFormat::MaxChannelComponents)
        throw UnsupportedFormatException("readChannelBlock(): component count " + std::to_string(componentCount)
                                         + " is outside 0 to " + std::to_string(FsgFormat::MaxChannelComponents));
    ChannelKind kind = parseChannelKind(readString(stream));
    ScalarControllers controllers;
    if (kind == ChannelKind::Linear) {
        int keyCount = readKeyCount(stream, kind, componentCount);
        readLinearKeys(stream, addTracks<LinearTrack>(controllers, componentCount), keyCount);
    } else if (kind == ChannelKind::Bezier) {
        int keyCount = readKeyCount(stream, kind, componentCount);
        readBezierKeys(stream, addTracks<BezierTrack>(controllers, componentCount), keyCount);
    }
    for (int i = 0; i < componentCount; ++i) {
        float fallback = readFloat(stream);
        if (kind == ChannelKind::None)
            controllers.push_back(std::make_unique<ConstantController<float>>(fallback));
    }
    return controllers;
}

namespace {

template <typename Track>
std::vector<const Track*> castAll(const std::vector<const Controller<float>*>& components)
{
    std::vector<const Track*> tracks;
    for (const Controller<float>* c : components) {
        const auto* track = dynamic_cast<const Track*>(c);
        if (!track)
            return {};
        tracks.push_back(track);
    }
    return tracks;
}

template <typename Track>
bool sameKeyTimes(const std::vector<const Track*>& tracks)
{
    for (const Track* track : tracks) {
        if (track->keys().size() != tracks.front()->keys().size())
            return false;
        for (size_t k = 0; k < track->keys().size(); ++k)
            if (track->keys()[k].time != tracks.front()->keys()[k].time)
                return false;
    }
    return true;
}

template <typename Track>
bool sharesTrackBlock(const std::vector<const Controller<float>*>& components)
{
    std::vector<const Track*> tracks = castAll<Track>(components);
    return !tracks.empty() && sameKeyTimes(tracks);
}

void writeTangent(OutputStream& stream, const BezierTrack::Tangent& tangent)
{
    writeFloat(stream, tangent[0]);
    writeFloat(stream, tangent[1]);
}

template <typename Track>
void writeKeys(OutputStream& stream, const std::vector<const Track*>& tracks)
{
    const auto& timeline = tracks.front()->keys();
    writeInt32(stream, std::int32_t(timeline.size()));
    for (size_t k = 0; k < timeline.size(); ++k) {
        writeFloat(stream, timeline[k].time);
        for (const Track* track : tracks)
            writeFloat(stream, track->keys()[k].value);
        if constexpr (std::is_same_v<Track, BezierTrack>) {
            for (const Track* track : tracks)
                writeTangent(stream, track->keys()[k].tangent1);
            for (const Track* track : tracks)
                writeTangent(stream, track->keys()[k].tangent2);
        }
    }
    // The defaults of a keyed block are never used; the first value keeps them meaningful.
    for (const Track* track : tracks)
        writeFloat(stream, track->keys().empty() ? 0.0f : track->keys().front().value);
}

void writeConstants(OutputStream& stream, const std::vector<const ConstantController<float>*>& constants)
{
    for (const ConstantController<float>* constant : constants)
        writeFloat(stream, constant->value());
}

void writeKind(OutputStream& stream, ChannelKind kind)
{
    writeString(stream, std::string(FsgFormat::channelKindName(kind)));
}

}

bool sharesOneChannelBlock(const std::vector<const Controller<float>*>& components)
{
    if (components.empty())
        return true;
    return !castAll<ConstantController<float>>(components).empty() || sharesTrackBlock<LinearTrack>(components)
        || sharesTrackBlock<BezierTrack>(components);
}

void writeChannelBlock(OutputStream& stream, const std::vector<const Controller<float>*>& components)
{
    if (components.size() > size_t(FsgFormat::MaxChannelComponents))
        throw Exception("writeChannelBlock(): more than " + std::to_string(FsgFormat::MaxChannelComponents)
                        + " components");
    if (components.empty()) {
        writeKind(stream, ChannelKind::None);
    } else if (auto constants = castAll<ConstantController<float>>(components); !constants.empty()) {
        writeKind(stream, ChannelKind::None);
        writeConstants(stream, constants);
    } else if (sharesTrackBlock<LinearTrack>(components)) {
        writeKind(stream, ChannelKind::Linear);
        writeKeys(stream, castAll<LinearTrack>(components));
    } else if (sharesTrackBlock<BezierTrack>(components)) {
        writeKind(stream, ChannelKind::Bezier);
        writeKeys(stream, castAll<BezierTrack>(components));
    } else {
        throw Exception("writeChannelBlock(): the components are not all constants, linear tracks or bezier "
                        "tracks with the same key times");
    }
}

}
