#include "tavrin/edit/RocketLink.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "tavrin/Demoface.h"
#include "tavrin/edit/NumberedBackup.h"
#include "tavrin/edit/Transport.h"
#include "tavrin/sync/SyncTrackText.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace Tavrin::Edit {

namespace {

Sync::SyncTrackKeys keysOf(const Sync::SyncTracks& tracks)
{
    Sync::SyncTrackKeys keys;
    for (size_t i = 0; i < tracks.size(); ++i)
        keys[i] = tracks[i].keys();
    return keys;
}

}

RocketLink::RocketLink(const std::string& address, Demoface::Demoface& demoface, Transport& transport,
                       std::function<float()> tempo, TrackFiles files, RocketClient::Clock::duration retry)
    : client_(address, retry)
    , demoface_(demoface)
    , transport_(transport)
    , tempo_(std::move(tempo))
    , files_(std::move(files))
    , base_(keysOf(demoface.tracks()))
    , reloadsSeen_(demoface.reloadAttempts())
    , tempoSeen_(tempo_())
{}

void RocketLink::receive()
{
    // "L" re-reads the binary file behind the edit session's back.
    // A reloaded flow may bring another tempo: the editor's rows fall on other times.
    if (demoface_.reloadAttempts() != reloadsSeen_ || tempo_() != tempoSeen_) {
        reloadsSeen_ = demoface_.reloadAttempts();
        tempoSeen_ = tempo_();
        tracksReloaded();
    }
    std::vector<RocketCommand> commands = client_.poll();
    if (client_.takeNewConnection())
        startConnection();
    for (const RocketCommand& command : commands)
        apply(command);
    rebuildChanged();
}

void RocketLink::rebuildChanged()
{
    for (int track : changedTracks_)
        rebuild(track);
    changedTracks_.clear();
}

// The editor sends every key of a track it is asked for; until it does, the demo's curves hold.
void RocketLink::startConnection()
{
    base_ = keysOf(demoface_.tracks());
    editor_.fill(std::nullopt);
    knownRow_.reset();
    for (int track = 0; track < RocketTrackCount; ++track)
        client_.requestTrack(rocketTrackName(track));
}

void RocketLink::apply(const RocketCommand& command)
{
    switch (command.kind) {
    case RocketCommand::SetKey:
        editorKeys(command.track)[command.row] = {command.row, command.value, command.interpolation};
        changedTracks_.insert(int(command.track) / RocketComponents);
        break;
    case RocketCommand::DeleteKey:
        editorKeys(command.track).erase(command.row);
        changedTracks_.insert(int(command.track) / RocketComponents);
        break;
    case RocketCommand::SetRow:
        transport_.seek(rocketRowPlayhead(command.row, tempo_()));
        knownRow_ = command.row;
        break;
    case RocketCommand::Pause: transport_.setPaused(command.paused); break;
    case RocketCommand::SaveTracks:
        // Keys sent just before the save belong in it.
        rebuildChanged();
        save();
        break;
    }
}

// The client admits only the tracks this link asked for, so the number is in range.
RocketLink::EditorKeys& RocketLink::editorKeys(std::uint32_t rocketTrack)
{
    std::optional<EditorKeys>& keys = editor_[rocketTrack];
    if (!keys)
        keys.emplace();
    return *keys;
}

void RocketLink::rebuild(int track)
{
    std::array<ComponentKeys, RocketComponents> components;
    for (int c = 0; c < RocketComponents; ++c) {
        const std::optional<EditorKeys>& edited = editor_[size_t(track * RocketComponents + c)];
        if (!edited) {
            components[size_t(c)] = componentOf(base_[size_t(track)], c);
            continue;
        }
        std::vector<RocketKey> keys;
        for (const auto& [row, key] : *edited)
            keys.push_back(key);
        components[size_t(c)] = componentFromRocket(keys, tempo_());
    }
    try {
        demoface_.applyTrackKeys(track, mergeComponents(components));
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "Rocket: track %d keeps its keys: %s\n", track, e.getMessage().c_str());
    }
}

void RocketLink::report(float time)
{
    if (!client_.connected())
        return;
    std::uint32_t row = rocketRowAt(time, tempo_());
    if (knownRow_ == row)
        return;
    client_.reportRow(row);
    knownRow_ = row;
}

void RocketLink::setKey(int track, int component, float time, float value, Sync::InterpolationMode mode)
{
    auto rocketTrack = std::uint32_t(track * RocketComponents + component);
    RocketKey key{rocketRowAt(time, tempo_()), value, std::uint8_t(mode)};
    client_.sendKey(rocketTrack, key);
    editorKeys(rocketTrack)[key.row] = key;
    changedTracks_.insert(track);
    rebuildChanged();
}

void RocketLink::tracksReloaded()
{
    base_ = keysOf(demoface_.tracks());
    for (int track = 0; track < Sync::SyncTrackCount; ++track)
        for (int c = 0; c < RocketComponents; ++c)
            if (editor_[size_t(track * RocketComponents + c)])
                changedTracks_.insert(track);
    rebuildChanged();
}

// Only the tracks the editor changed are written anew; the hand-written rest of the text, comments
// and all, stays, and every earlier version is kept beside it.
void RocketLink::save()
{
    try {
        Sync::SyncTrackKeys keys = keysOf(demoface_.tracks());
        std::string text = std::filesystem::exists(files_.text)
            ? Sync::updateSyncTrackText(Orvane::Utils::readTextFile(files_.text), keys, files_.text,
                                        "keys saved from the Rocket editor")
            : Sync::decompileSyncTrackKeys(keys, tempo_());
        saveWithNumberedBackup(files_.text, text);
        Sync::writeSyncTrackFile(files_.binary, keys);
        std::fprintf(stderr, "Rocket: saved the tracks to %s and %s\n", files_.text.c_str(), files_.binary.c_str());
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "Rocket: the tracks were not saved: %s\n", e.getMessage().c_str());
    }
}

}
