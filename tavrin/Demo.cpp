#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/Keyboard.h"
#include "orvane/MessageBox.h"
#include "orvane/PngWriter.h"
#include "orvane/State.h"
#include "orvane/Timer.h"
#include "orvane/Window.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/Random.h"
#include "tavrin/CapturePlan.h"
#include "tavrin/CaptureProgress.h"
#include "tavrin/CaptureSink.h"
#include "tavrin/ScreenSetup.h"
#include "tavrin/SettingsDialog.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

namespace Tavrin {

using Orvane::Utils::random;
using Orvane::Utils::RandomMax;

Demo::Demo()
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
    if (options.showDialog && SettingsDialog().run(demoSettings) == SettingsDialogModel::Quit)
        return 0;
    int samples = 0;
    configureScreen(options, samples);
    try {
        openDisplay(options, samples);
        load(options);
        if (options.capture.enabled())
            captureLoop(options);
        else
            frameLoop();
        teardown();
    } catch (const Orvane::Exceptions::Exception& e) {
        Orvane::MessageBox::show("Orvane Exception", e.getMessage());
        teardown();
        return 1;
    }
    return 0;
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
    window_ = std::make_unique<Orvane::Window>(width, height, !fullscreen, !capturing);
    device_ = std::make_unique<Orvane::Device>(window_.get(), 24, 8, samples, false);
    if (fullscreen)
        device_->setDisplayMode(width, height, 32);
}

void Demo::load(const RunOptions&)
{
    timer_ = std::make_unique<Orvane::Timer>();
    timer_->start();
}

void Demo::renderFrame()
{
    device_->clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1.0f, 0);
    Orvane::State::setViewport(0, viewportY, width, viewportHeight);
    device_->clear(Orvane::ClearTarget::Depth, 0, 0, 0, 0, 1.0f, 0);
}

void Demo::frameLoop()
{
    for (;;) {
        time = timer_->time();
        frameDelta = clampFrameDelta(timer_->delta());
        fps = timer_->fps();
        if (Orvane::Keyboard::isDown(Orvane::Keyboard::Key::Escape))
            return;
        renderFrame();
        if (time > endTime())
            return;
        if (!device_->present())
            return;
    }
}

void Demo::captureLoop(const RunOptions& options)
{
    Orvane::MessageBox::setBatchMode(true);
    const CaptureOptions& capture = options.capture;
    std::string musicPath = musicFileName.empty() ? std::string() : dataFolder + musicFileName;
    std::unique_ptr<CaptureSink> sink = makeCaptureSink(capture, width, viewportHeight, musicPath);
    std::vector<CaptureFrame> frames = planCapture(capture, endTime());
    frameDelta = 1.0f / float(capture.fps);
    fps = float(capture.fps);
    CaptureProgress progress(frames.size());
    std::vector<unsigned char> pixels(size_t(width) * viewportHeight * 3);
    for (const CaptureFrame& frame : frames) {
        time = frame.time;
        renderFrame();
        readFrame(pixels);
        sink->write(frame, pixels);
        progress.report(frame);
    }
    sink->finish();
    progress.done();
}

void Demo::readFrame(std::vector<unsigned char>& rgb) const
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, viewportY, width, viewportHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

void Demo::teardown()
{
    timer_.reset();
    device_.reset();
    window_.reset();
}

}
