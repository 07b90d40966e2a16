#include "tavrin/edit/RocketLink.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/Demoface.h"
#include "tavrin/edit/Transport.h"
#include "tavrin/sync/SyncTrackText.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace Tavrin::Edit {

namespace {

Sync::SyncTrackKeys keysOf(const Sync::SyncTracks& tracks)
{
    Sync::SyncTrackKeys keys;
    for (size_t i = 0; i < tracks.size(); ++i)
        keys[i] = tracks[i].keys();
    return keys;
}

// A text file is replaced whole, through a temporary file, so a watcher never reads half of it.
void writeTextFile(const std::string& path, const std::string& text)
{
    std::string temporary = path + ".saving";
    {
        std::ofstream file(temporary, std::ios::binary);
        file << text;
        if (!file.flush())
            throw Orvane::Exceptions::Exception("Cannot write " + temporary);
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error)
        throw Orvane::Exceptions::Exception("Cannot replace " + path + ": " + error.message());
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
        transport_.seek(rocketRowTime(command.row, tempo_()));
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
    // A row's own time divides back to a hair below the row; the margin keeps it on the row.
    double rows = std::floor(std::max(0.0, double(time) / rocketRowSeconds(tempo_())) + 1e-3);
    auto row = std::uint32_t(std::min(rows, 4294967295.0));
    if (knownRow_ == row)
        return;
    client_.reportRow(row);
    knownRow_ = row;
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

// The hand-written text loses its comments here, so the old one is kept beside it with a "~".
void RocketLink::save()
{
    try {
        Sync::SyncTrackKeys keys = keysOf(demoface_.tracks());
        std::string text = Sync::decompileSyncTrackKeys(keys, tempo_());
        std::error_code ignored;
        std::filesystem::copy_file(files_.text, files_.text + "~", std::filesystem::copy_options::overwrite_existing,
                                   ignored);
        writeTextFile(files_.text, text);
        Sync::writeSyncTrackFile(files_.binary, keys);
        std::fprintf(stderr, "Rocket: saved the tracks to %s and %s\n", files_.text.c_str(), files_.binary.c_str());
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "Rocket: the tracks were not saved: %s\n", e.getMessage().c_str());
    }
}

}
