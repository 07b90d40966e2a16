#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/Keyboard.h"
#include "orvane/Timer.h"
#include "tavrin/Demoface.h"
#include "tavrin/ScreenSetup.h"
#include "tavrin/audio/Music.h"
#include "tavrin/edit/EditSession.h"
#include "tavrin/flow/FlowLoader.h"
#include "tavrin/profile/FrameProfiler.h"

namespace Tavrin {

void Demo::reloadFlow()
{
    // Only the tempo may change while running: the folder is watched and the music already plays.
    const std::string folder = dataFolder, music = musicFileName;
    const float tempo = bpm;
    Flow::LoadOptions options;
    options.loadTexture = [this](const std::string& name) { return loadTexture(name); };
    options.nodeCountFile = nodeCountFile;
    Flow::VisualNames names;
    options.visualPlaced = [&names](const Flow::Node& node, const std::string& name) { names[&node] = name; };
    try {
        flowRoot_ = Flow::loadFlow(flowFileName, *this, options);
    } catch (...) {
        bpm = tempo;
        dataFolder = folder;
        musicFileName = music;
        throw;
    }
    dataFolder = folder;
    musicFileName = music;
    flowVisualNames_ = std::move(names);
}

std::vector<std::string> Demo::activeEffects(float playhead) const
{
    return flowRoot_ ? Flow::activeVisualNames(*flowRoot_, playhead, flowVisualNames_) : std::vector<std::string>{};
}

void Demo::editLoop(const RunOptions& options)
{
    time = startOffset_ + (musicDrivesTime() ? music_->position() : 0.0f);
    Edit::EditSession session(*this, *resourceCache_, *demoface_, music_.get());
    session.setFlowReloader([this] { reloadFlow(); });
    if (options.rocket)
        session.connectRocket(*options.rocket);
    for (;;) {
        float elapsed = timer_->delta();
        frameDelta = clampFrameDelta(elapsed);
        fps = timer_->fps();
        session.beginFrame(frameDelta);
        if (musicDrivesTime())
            music_->readSpectrum(spectrum);
        followLiveTime(time, elapsed);
        if (loadingScreen_.quitRequested() || Orvane::Keyboard::isDown(Orvane::Keyboard::Key::Escape))
            return;
        session.beforeDrawing();
        renderFrame();
        session.drawOverlay();
        bool open = device_->present();
        if (profiler_)
            profiler_->endFrame();
        if (!open)
            return;
    }
}

}
