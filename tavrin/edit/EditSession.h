#pragma once

#include "orvane/Forward.h"
#include "orvane/Keyboard.h"
#include "orvane/Mouse.h"
#include "tavrin/edit/CameraEditing.h"
#include "tavrin/edit/EditHistory.h"
#include "tavrin/edit/FileWatcher.h"
#include "tavrin/edit/FlowTimeline.h"
#include "tavrin/edit/ReloadErrors.h"
#include "tavrin/edit/TextPanel.h"
#include "tavrin/edit/TimelinePanel.h"
#include "tavrin/edit/Transport.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace Tavrin {
class Demo;
namespace Audio {
class Music;
}
namespace Demoface {
class Demoface;
}
}

namespace Tavrin::Edit {

class EditorGui;
class RocketLink;

// What --edit adds to a running demo: assets reloaded when their files are saved (the last good
// version kept, failures shown over the picture), the transport keys, the timeline HUD, the panel
// of the flow's time windows that retimes them by dragging, and the fly camera that keys the camera
// tracks. Every change it writes can be undone.
class EditSession {
public:
    using KeyState = std::function<bool(Orvane::Keyboard::Key)>;

    // Watches demo.dataFolder. music may be null (the playhead then runs on frame time).
    EditSession(Demo& demo, Orvane::Utils::Loaders::DefaultResourceProxy& cache, Demoface::Demoface& demoface,
                Audio::Music* music, KeyState keyState = Orvane::Keyboard::isDown,
                std::unique_ptr<Orvane::Mouse::Pointer> pointer = std::make_unique<Orvane::Mouse::WindowPointer>());
    ~EditSession();

    // Called when a flow file (*.flow) was saved; it throws when the flow does not load.
    void setFlowReloader(std::function<void()> reloadFlow) { reloadFlow_ = std::move(reloadFlow); }
    // Follows a Rocket editor at address ("HOST[:PORT]", empty for localhost:1338) from the next frame.
    void connectRocket(const std::string& address);

    // Between frames: reloads what was saved, applies the keys and sets demo.time.
    void beginFrame(float delta);
    // Once the frame's sync values are in place, just before it is drawn: the fly camera, while it
    // flies, takes the place of the tracks' camera.
    void beforeDrawing();
    // Over the finished picture: the timeline panel and the HUD when toggled on, and the reload
    // errors; a click or drag on the panel acts from here.
    void drawOverlay();

    // Reloads one file named relative to the data folder; unknown names are ignored.
    void reload(const std::string& name);
    void reloadSaved();

    const ReloadErrors& errors() const { return errors_; }
    const Transport& transport() const { return transport_; }
    const CameraEditing& camera() const { return camera_; }
    // The flow's time windows as the panel shows them; null when the flow file cannot be read.
    const FlowTimeline* timeline() const { return timeline_ ? &*timeline_ : nullptr; }

private:
    bool pressed(Orvane::Keyboard::Key key);
    void readKeys();
    void readEditingKeys();
    void steerCamera(float delta);
    void writeCameraKey();
    void undo(bool redo);
    void applyEdit(FileEdit edit, const std::string& done);
    void retime(const TimelineRequests::Retime& request);
    void readTimeline();
    std::string nameOf(const std::string& path) const;
    int drawTimeline();
    void moveClock(float delta);
    bool reloadAsset(const std::string& name);
    void reloadTracks(const std::string& name);
    std::string trackTextName() const;
    void drawHud(int bottom);
    void drawStrip(int bottom);
    void drawWaveform(float from, float span, float base, float top);

    Demo& demo_;
    Orvane::Utils::Loaders::DefaultResourceProxy& cache_;
    Demoface::Demoface& demoface_;
    Audio::Music* music_;
    KeyState keyState_;
    std::function<void()> reloadFlow_;
    FileWatcher watcher_;
    ReloadErrors errors_;
    Transport transport_;
    TextPanel errorPanel_;
    TextPanel hudPanel_;
    std::map<Orvane::Keyboard::Key, bool> wasDown_;
    bool hudVisible_ = false;
    std::unique_ptr<RocketLink> rocket_;
    std::unique_ptr<Orvane::Mouse::Pointer> pointer_;
    Orvane::Mouse::State pointerState_;
    bool looking_ = false;
    float frameSeconds_ = 0.0f;
    std::unique_ptr<EditorGui> gui_;
    TimelinePanel timelinePanel_;
    std::optional<FlowTimeline> timeline_;
    bool timelineVisible_ = false;
    EditHistory history_;
    CameraEditing camera_;
};

}
