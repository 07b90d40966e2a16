#pragma once

#include "tavrin/edit/RocketClient.h"
#include "tavrin/edit/RocketTracks.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace Tavrin {
namespace Demoface {
class Demoface;
}
}

namespace Tavrin::Edit {

class Transport;

// Puts a running demo under a Rocket editor: the editor's keys go into the sync tracks at once,
// its row seeks the playhead and its pause holds it, the playhead's row goes back to it, and its
// save writes the track text and the binary track file.
//
// A component the editor sends keys for takes exactly the editor's keys from its first key of a
// connection on; the components it has sent nothing for keep the curve the demo had when the
// connection was made, or when the track files were last loaded.
class RocketLink {
public:
    struct TrackFiles {
        std::string text;
        std::string binary;
    };

    RocketLink(const std::string& address, Demoface::Demoface& demoface, Transport& transport,
               std::function<float()> tempo, TrackFiles files,
               RocketClient::Clock::duration retry = std::chrono::seconds(1));

    // Before the playhead moves: applies what the editor sent since the last frame.
    void receive();
    // After it moved: reports the playhead's row when it is not the one the editor last knew.
    void report(float time);
    // The track files were loaded again; keys the editor set stay in force over them. A reload by
    // the Demoface ("L") is noticed on the next receive.
    void tracksReloaded();

    bool connected() const { return client_.connected(); }

    // Sets a key in the editor on the row of time, for one component of a track, and puts it in
    // force here as if the editor had sent it. As with the editor's own keys, that component is
    // the editor's from then on.
    void setKey(int track, int component, float time, float value, Sync::InterpolationMode mode);

private:
    using EditorKeys = std::map<std::uint32_t, RocketKey>;

    void startConnection();
    void apply(const RocketCommand& command);
    EditorKeys& editorKeys(std::uint32_t rocketTrack);
    void rebuild(int track);
    void rebuildChanged();
    void save();

    RocketClient client_;
    Demoface::Demoface& demoface_;
    Transport& transport_;
    std::function<float()> tempo_;
    TrackFiles files_;
    Sync::SyncTrackKeys base_;
    std::array<std::optional<EditorKeys>, RocketTrackCount> editor_;
    std::set<int> changedTracks_;
    std::optional<std::uint32_t> knownRow_;
    int reloadsSeen_;
    float tempoSeen_;
};

}
