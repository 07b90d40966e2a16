#pragma once

#include "orvane/Forward.h"
#include "orvane/Keyboard.h"
#include "tavrin/edit/FileWatcher.h"
#include "tavrin/edit/ReloadErrors.h"
#include "tavrin/edit/TextPanel.h"
#include "tavrin/edit/Transport.h"

#include <functional>
#include <map>
#include <memory>
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

class RocketLink;

// What --edit adds to a running demo: assets reloaded when their files are saved (the last good
// version kept, failures shown over the picture), the transport keys and the timeline HUD.
class EditSession {
public:
    using KeyState = std::function<bool(Orvane::Keyboard::Key)>;

    // Watches demo.dataFolder. music may be null (the playhead then runs on frame time).
    EditSession(Demo& demo, Orvane::Utils::Loaders::DefaultResourceProxy& cache, Demoface::Demoface& demoface,
                Audio::Music* music, KeyState keyState = Orvane::Keyboard::isDown);
    ~EditSession();

    // Called when a flow file (*.flow) was saved; it throws when the flow does not load.
    void setFlowReloader(std::function<void()> reloadFlow) { reloadFlow_ = std::move(reloadFlow); }
    // Follows a Rocket editor at address ("HOST[:PORT]", empty for localhost:1338) from the next frame.
    void connectRocket(const std::string& address);

    // Between frames: reloads what was saved, applies the keys and sets demo.time.
    void beginFrame(float delta);
    // Over the finished picture: the reload errors and, when toggled on, the HUD.
    void drawOverlay();

    // Reloads one file named relative to the data folder; unknown names are ignored.
    void reload(const std::string& name);
    void reloadSaved();

    const ReloadErrors& errors() const { return errors_; }
    const Transport& transport() const { return transport_; }

private:
    bool pressed(Orvane::Keyboard::Key key);
    void readKeys();
    void moveClock(float delta);
    bool reloadAsset(const std::string& name);
    void reloadTracks(const std::string& name);
    std::string trackTextName() const;
    void drawHud();
    void drawStrip();
    void drawWaveform(float from, float span, float top);

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
};

}
