#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/Font.h"
#include "orvane/GlErrorCheck.h"
#include "orvane/Keyboard.h"
#include "orvane/MessageBox.h"
#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/StopSignals.h"
#include "orvane/Timer.h"
#include "orvane/Window.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/Random.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "tavrin/Demoface.h"
#include "tavrin/ScreenSetup.h"
#include "tavrin/audio/Music.h"
#include "tavrin/capture/CapturePlan.h"
#include "tavrin/capture/CaptureProgress.h"
#include "tavrin/capture/CaptureSink.h"
#include "tavrin/capture/FrameReadback.h"
#include "tavrin/dialog/SettingsDialog.h"
#include "tavrin/flow/FlowLoader.h"
#include "tavrin/flow/FlowPeek.h"
#include "tavrin/profile/FrameProfiler.h"
#include "tavrin/resources/TextureStrips.h"
#include "tavrin/startup/StartupReport.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <vector>

namespace Tavrin {

using Orvane::Utils::random;
using Orvane::Utils::RandomMax;
using Orvane::Utils::Loaders::DefaultResourceProxy;

Demo::Demo()
    : resourceCache_(std::make_unique<DefaultResourceProxy>([this] { return dataFolder; }))
    , textureStrips_(std::make_unique<Resources::TextureStrips>([this] { return dataFolder; }))
{
    // Unseeded on purpose: the points are the same on every run.
    randomPoints.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
        float z = float(random()) / RandomMax * 2.0f - 1.0f;
        float y = float(random()) / RandomMax * 2.0f - 1.0f;
        float x = float(random()) / RandomMax * 2.0f - 1.0f;
        randomPoints.emplace_back(x, y, z);
    }
}

Demo::~Demo() = default;

float Demo::beatsToSeconds(float p1, float p2, float p3, float p4) const
{
    return (((p1 * 4 + p2) * 4 + p3) * 4 + p4) * 60.0f / (bpm * 4.0f);
}

int Demo::run(const RunOptions& options)
{
    demoSettings = options.settings;
    if (!options.flowFile.empty())
        flowFileName = options.flowFile;
    if (options.showDialog && Dialog::SettingsDialog().run(demoSettings) == Dialog::SettingsDialogModel::Quit)
        return 0;
    // Unattended runs must never wait on a message box; the entry point also knows whether a
    // terminal is there, which is not the Demo's business.
    if (options.unattended(true))
        Orvane::MessageBox::setBatchMode(true);
    Orvane::StopSignals::install();
    endAfterFirstFrame_ = options.benchmarkStart;
    int samples = 0;
    configureScreen(options, samples);
    try {
        // Decoding the music is the longest stretch of start-up: begun before the display opens,
        // it runs beside everything else on the other cores.
        Flow::PeekedSettings peeked = Flow::peekFlowSettings(flowFileName, dataFolder);
        musicPrefetch_.start(peeked.musicPath);
        flowDataFolder_ = peeked.dataFolder;
        openDisplay(options, samples);
        load(options);
        if (options.profile)
            startProfiling();
        if (options.capture.enabled())
            captureLoop(options);
        else if (options.edit)
            editLoop(options);
        else
            frameLoop();
        if (profiler_)
            std::fputs(profiler_->report().c_str(), stdout);
        teardown();
    } catch (const Orvane::Exceptions::Exception& e) {
        Orvane::MessageBox::show("Orvane Exception", e.getMessage());
        teardown();
        return 1;
    } catch (const std::exception& e) {
        // Out of memory and the like: still a message and an orderly end, never an abort.
        Orvane::MessageBox::show("Orvane Exception", e.what());
        teardown();
        return 1;
    }
    return 0;
}

void Demo::loadingScreen(float progress) { loadingScreen_.show(progress); }

void Demo::addHitTime(float seconds)
{
    hitTimes.insert(std::upper_bound(hitTimes.begin(), hitTimes.end(), seconds), seconds);
}

void Demo::configureScreen(const RunOptions& options, int& samples)
{
    Resolution resolution = resolutionFor(demoSettings.resolutionIndex);
    width = options.width > 0 ? options.width : resolution.width;
    height = options.height > 0 ? options.height : resolution.height;
    samples = options.samples.value_or(samplesFor(demoSettings.antialiasIndex));
    aspect = 16.0f / 9.0f;
    Letterbox letterbox = letterboxFor(height, demoSettings.aspectIndex);
    viewportY = letterbox.viewportY;
    viewportHeight = letterbox.viewportHeight;
}

void Demo::openDisplay(const RunOptions& options, int samples)
{
    bool capturing = options.capture.enabled();
    bool fullscreen = demoSettings.fullscreen && !capturing;
    window_ = std::make_unique<Orvane::Window>(width, height,
                                               Orvane::Window::Style{.windowed = !fullscreen, .visible = !capturing});
    device_ = std::make_unique<Orvane::Device>(window_.get(), 24, 8, samples, Orvane::Device::ColourBuffer::FixedPoint);
    if (options.glDebug)
        Orvane::GlErrorCheck::enable();
    if (fullscreen)
        device_->setDisplayMode(width, height, 32);
}

void Demo::createRenderTargets()
{
    using Orvane::RenderTarget;
    const int sizes[6][2] = {{width, height}, {width, height}, {128, 128}, {128, 128}, {256, 256}, {256, 256}};
    for (int i = 0; i < 6; ++i) {
        RenderTarget::Attachments attachments
            = i < 2 ? RenderTarget::Colour | RenderTarget::Depth : RenderTarget::Colour;
        ownedRenderTargets_[size_t(i)] = std::make_unique<RenderTarget>(sizes[i][0], sizes[i][1], attachments);
        renderTargets[size_t(i)] = ownedRenderTargets_[size_t(i)].get();
    }
}

void Demo::load(const RunOptions& options)
{
    loadingScreen(1);
    ownedResourceProxy_ = std::make_unique<DefaultResourceProxy>(dataFolder);
    resourceProxy = ownedResourceProxy_.get();
    loadBuiltins();
    loadingScreen(5);
    // The tracks belong to the flow's data folder, which only its loading will set.
    demoface_ = std::make_unique<Demoface::Demoface>(*this, flowDataFolder_);
    // The first frame draws before the first update; give it the values at the start.
    demoface_->evaluateTracks(options.start);
    loadingScreen(10);
    createRenderTargets();
    loadFlow();
    loadingScreen(80);
    if (!musicFileName.empty())
        startMusic(options);
    timer_ = std::make_unique<Orvane::Timer>();
    timer_->start();
    // Music that could not be opened plays on a silent clock that does not know the start time.
    startOffset_ = musicDrivesTime() ? 0.0f : options.start;
    loadingScreen(100);
    checkGl("loading");
}

void Demo::loadFlow()
{
    Flow::LoadOptions flowOptions;
    flowOptions.progress = [this](float percent) { loadingScreen_.report(percent); };
    // In case the flow names its music where peeking did not find it (in an inline file).
    flowOptions.settingsRead = [this] {
        if (!musicFileName.empty())
            musicPrefetch_.start(dataFolder + musicFileName);
    };
    flowOptions.loadTexture = [this](const std::string& name) { return loadTexture(name); };
    flowOptions.nodeCountFile = nodeCountFile;
    flowOptions.visualPlaced
        = [this](const Flow::Node& node, const std::string& name) { flowVisualNames_[&node] = name; };
    flowRoot_ = Flow::loadFlow(flowFileName, *this, flowOptions);
}

void Demo::startMusic(const RunOptions& options)
{
    Audio::MusicOptions musicOptions;
    musicOptions.muted = !demoSettings.music;
    musicOptions.capture = options.capture.enabled();
    std::string path = dataFolder + musicFileName;
    music_ = Audio::Music::start(path, musicOptions, musicPrefetch_.take(path));
    // Live, the demo goes on silently; a capture would be a video without its soundtrack.
    if (options.capture.enabled() && !music_->hasStream())
        throw Orvane::Exceptions::Exception("Cannot capture: the music " + path + " could not be opened");
    demoface_->setMusic(music_.get());
    if (options.start > 0)
        music_->seek(options.start);
}

void Demo::evaluateFlow()
{
    if (flowRoot_)
        flowRoot_->evaluate(time);
}

bool Demo::musicDrivesTime() const { return music_ && music_->hasStream(); }

void Demo::renderFrame()
{
    countFrame();
    if (profiler_)
        profiler_->beginFrame();
    device_->clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1.0f, 0);
    Orvane::State::setViewport(0, viewportY, width, viewportHeight);
    Orvane::Shader& constantColor = builtinShader(BuiltinShader::ConstantColor);
    constantColor.bind();
    const float white[4] = {1, 1, 1, 1};
    constantColor.getParameter("color").setFloat4(white);
    constantColor.updateState();
    checkGl("the frame's set-up");
    evaluateFlow();
    device_->clear(Orvane::ClearTarget::Depth, 0, 0, 0, 0, 1.0f, 0);
    demoface_->update();
    checkGl("the end of the frame");
}

void Demo::checkGl(const char* step) const
{
    if (Orvane::GlErrorCheck::enabled())
        Orvane::GlErrorCheck::check(step);
}

void Demo::frameLoop()
{
    for (;;) {
        time = timer_->time() + startOffset_;
        float elapsed = timer_->delta();
        frameDelta = clampFrameDelta(elapsed);
        fps = timer_->fps();
        if (musicDrivesTime()) {
            time = music_->position();
            music_->readSpectrum(spectrum);
        }
        if (loadingScreen_.quitRequested() || Orvane::Keyboard::isDown(Orvane::Keyboard::Key::Escape))
            return;
        followLiveTime(time, elapsed);
        renderFrame();
        if (time > endTime())
            return;
        bool open = device_->present();
        if (profiler_)
            profiler_->endFrame();
        if (!open)
            return;
        if (endAfterFirstFrame_) {
            Startup::printStartupReport(device_->presentCount() - 1);
            return;
        }
        if (!framePresented())
            return;
    }
}

void Demo::seekTo(float seconds)
{
    if (musicDrivesTime())
        music_->seek(seconds);
    else
        startOffset_ = seconds - timer_->time();
}

void Demo::captureLoop(const RunOptions& options)
{
    const CaptureOptions& capture = options.capture;
    std::string musicPath = musicDrivesTime() ? dataFolder + musicFileName : std::string();
    std::vector<Capture::CaptureFrame> frames = Capture::planCapture(capture, endTime());
    std::unique_ptr<Capture::CaptureSink> sink = Capture::makeCaptureSink(capture, width, viewportHeight, musicPath);
    frameDelta = 1.0f / float(capture.fps);
    fps = float(capture.fps);
    Capture::CaptureProgress progress(frames.size());
    Capture::FrameReadback readback(0, viewportY, width, viewportHeight);
    std::deque<Capture::CaptureFrame> inFlight;
    std::optional<long> lastIndex;
    auto writeOldest = [&] {
        readback.collect([&](const unsigned char* rgb) { sink->write(inFlight.front(), rgb); });
        progress.report(inFlight.front());
        inFlight.pop_front();
    };
    for (const Capture::CaptureFrame& frame : frames) {
        if (Orvane::StopSignals::requested())
            throw Orvane::Exceptions::Exception("The capture was stopped by a signal after "
                                                + std::to_string(&frame - frames.data()) + " of "
                                                + std::to_string(frames.size()) + " frames");
        // A frame that does not follow the one before starts from the history play would give it.
        if (!lastIndex || frame.index != *lastIndex + 1)
            prerollTo(frame.time, frameDelta,
                      [&](long k) { return float(double(frame.index - k) / double(capture.fps)); });
        lastIndex = frame.index;
        // Live, a frame draws with the sync values the frame before it left; a captured frame
        // computes those itself, so it looks the same whatever was captured before it.
        demoface_->evaluateTracks(frame.time - frameDelta);
        time = frame.time;
        if (musicDrivesTime()) {
            music_->setCaptureTime(frame.time);
            music_->readSpectrum(spectrum);
        }
        renderFrame();
        if (readback.full())
            writeOldest();
        readback.submit();
        inFlight.push_back(frame);
        if (profiler_)
            profiler_->endFrame();
    }
    while (!inFlight.empty())
        writeOldest();
    sink->finish();
    progress.done();
}

void Demo::releaseResources()
{
    // GL objects go while their context still exists.
    releaseVisuals();
    for (size_t i = 0; i < ownedRenderTargets_.size(); ++i) {
        ownedRenderTargets_[i].reset();
        renderTargets[i] = nullptr;
    }
    builtinShaders.clear();
    if (ownedResourceProxy_)
        ownedResourceProxy_->clear();
    resourceCache_->clear();
    textureStrips_->clear();
    ownedFont_.reset();
    font = nullptr;
}

void Demo::startProfiling()
{
    profiler_ = std::make_unique<Profile::FrameProfiler>();
    Profile::FrameProfiler::install(profiler_.get());
}

void Demo::teardown()
{
    // Its GL queries go while the context still exists.
    profiler_.reset();
    demoface_.reset();
    music_.reset();
    timer_.reset();
    if (device_)
        releaseResources();
    Orvane::GlErrorCheck::disable();
    device_.reset();
    window_.reset();
}

}
