#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/Keyboard.h"
#include "orvane/Timer.h"
#include "tavrin/Demoface.h"
#include "tavrin/Music.h"
#include "tavrin/ScreenSetup.h"
#include "tavrin/edit/EditSession.h"
#include "tavrin/profile/FrameProfiler.h"

namespace Tavrin {

void Demo::editLoop()
{
    time = startOffset_ + (musicDrivesTime() ? music_->position() : 0.0f);
    Edit::EditSession session(*this, *resourceCache_, *demoface_, music_.get());
    for (;;) {
        frameDelta = clampFrameDelta(timer_->delta());
        fps = timer_->fps();
        session.beginFrame(frameDelta);
        if (musicDrivesTime())
            music_->readSpectrum(spectrum);
        if (quitRequested_ || Orvane::Keyboard::isDown(Orvane::Keyboard::Key::Escape))
            return;
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
