#include "tavrin/edit/EditSession.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"
#include "orvane/utils/loaders/DefaultResourceProxy.h"
#include "tavrin/Demo.h"
#include "tavrin/DemoSettings.h"
#include "tavrin/Demoface.h"
#include "tavrin/audio/Music.h"
#include "tavrin/edit/RocketLink.h"
#include "tavrin/edit/Waveform.h"
#include "tavrin/sync/SyncTrackFile.h"
#include "tavrin/sync/SyncTrackText.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace Tavrin::Edit {

using Orvane::Keyboard::Key;

namespace {

constexpr int Margin = 8;
constexpr int StripHeight = 48;
constexpr float StripBarsEachSide = 4.0f;

// Sixteen rows of four to the beat.
float barSeconds(const Demo& demo) { return demo.beatsToSeconds(0, 1, 0, 0); }

std::string formatted(const char* format, auto... values)
{
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

}

EditSession::EditSession(Demo& demo, Orvane::Utils::Loaders::DefaultResourceProxy& cache, Demoface::Demoface& demoface,
                         Audio::Music* music, KeyState keyState)
    : demo_(demo)
    , cache_(cache)
    , demoface_(demoface)
    , music_(music)
    , keyState_(std::move(keyState))
    , watcher_(demo.dataFolder)
    , transport_(barSeconds(demo), demo.time)
    , errorPanel_({255, 255, 255}, {140, 16, 16})
    , hudPanel_({230, 230, 230}, {20, 20, 28})
{}

EditSession::~EditSession() = default;

void EditSession::beginFrame(float delta)
{
    reloadSaved();
    transport_.setBarSeconds(barSeconds(demo_));
    readKeys();
    if (rocket_)
        rocket_->receive();
    moveClock(delta);
    demo_.time = transport_.time();
    if (rocket_)
        rocket_->report(demo_.time);
}

void EditSession::connectRocket(const std::string& address)
{
    RocketLink::TrackFiles files{demo_.dataFolder + trackTextName(), demo_.dataFolder + demo_.trackFileName};
    rocket_ = std::make_unique<RocketLink>(
        address, demoface_, transport_, [this] { return demo_.bpm; }, files);
}

void EditSession::reloadSaved()
{
    for (const std::string& name : watcher_.takeSettled())
        reload(name);
}

void EditSession::reload(const std::string& name)
{
    try {
        if (name == demo_.trackFileName || name == trackTextName())
            reloadTracks(name);
        else if (name.ends_with(".flow") && reloadFlow_)
            reloadFlow_();
        else if (!reloadAsset(name))
            return;
        errors_.succeed(name);
        std::fprintf(stderr, "Reloaded %s\n", name.c_str());
    } catch (const Orvane::Exceptions::Exception& e) {
        errors_.fail(name, e.getMessage());
    }
}

// An image may be a texture of its own and a member of texture strips at once.
bool EditSession::reloadAsset(const std::string& name)
{
    bool cached = cache_.reload(name);
    bool inStrip = demo_.reloadTextureStrips(name);
    return cached || inStrip;
}

// The text form sits beside the binary one the demo reads, as the build compiles it.
std::string EditSession::trackTextName() const
{
    const std::string& binary = demo_.trackFileName;
    return binary.substr(0, binary.rfind('.')) + ".txt";
}

void EditSession::reloadTracks(const std::string& name)
{
    std::string path = demo_.dataFolder + name;
    if (name == demo_.trackFileName) {
        demoface_.applyKeys(Sync::readSyncTrackFile(path));
    } else {
        Sync::SyncTrackKeys keys = Sync::compileSyncTrackText(Orvane::Utils::readTextFile(path), path);
        demoface_.applyKeys(keys);
        // The next run, and "L", read the binary file: keep it in step with the text.
        Sync::writeSyncTrackFile(demo_.dataFolder + demo_.trackFileName, keys);
    }
    if (rocket_)
        rocket_->tracksReloaded();
}

bool EditSession::pressed(Key key)
{
    bool down = keyState_(key);
    bool& was = wasDown_[key];
    bool edge = down && !was;
    was = down;
    return edge;
}

void EditSession::readKeys()
{
    TransportKeys keys;
    keys.pause = pressed(Key::P);
    keys.barBack = pressed(Key::PageUp);
    keys.barForward = pressed(Key::PageDown);
    keys.home = pressed(Key::Home);
    keys.loopStart = pressed(Key::I);
    keys.loopEnd = pressed(Key::O);
    keys.clearLoop = pressed(Key::Backspace);
    transport_.press(keys);
    if (pressed(Key::Tab))
        hudVisible_ = !hudVisible_;
}

void EditSession::moveClock(float delta)
{
    bool musicPlays = music_ != nullptr && music_->hasStream();
    if (musicPlays)
        transport_.follow(music_->position());
    else
        transport_.advance(delta);
    transport_.stopAt(demo_.endTime());
    if (!musicPlays)
        return;
    // Paused, the music is silenced and held at the playhead so that it resumes from there.
    music_->setMuted(transport_.paused() || !demo_.demoSettings.music);
    if (transport_.takeJump() || transport_.paused())
        music_->seek(transport_.time());
}

void EditSession::drawOverlay()
{
    if (demo_.font == nullptr)
        return;
    Orvane::State::setViewport(0, demo_.viewportY, demo_.width, demo_.viewportHeight);
    int panelWidth = demo_.width - 2 * Margin;
    errorPanel_.setLines(*demo_.font, errors_.lines(), panelWidth);
    errorPanel_.draw(demo_, Margin, Margin);
    if (hudVisible_)
        drawHud();
}

void EditSession::drawHud()
{
    float time = transport_.time();
    float beats = time * demo_.bpm / 60.0f;
    // The same row the Rocket editor is told, which an editor's row comes back as.
    auto row = int(rocketRowAt(time, demo_.bpm));
    int bar = int(std::floor(beats / 4.0f)) + 1, beat = int(std::floor(beats)) % 4 + 1;
    std::vector<std::string> lines = {
        formatted("%8.3f s   row %d   bar %d.%d   %.1f fps  %.1f ms", time, row, bar, beat, demo_.fps,
                  demo_.fps > 0 ? 1000.0f / demo_.fps : 0.0f),
    };
    std::vector<std::string> effects = demo_.activeEffects(time);
    lines.push_back(effects.empty() ? "no effect" : joined(effects));
    if (transport_.paused())
        lines.push_back("paused");
    if (transport_.loopStart() || transport_.loopEnd())
        lines.push_back(
            formatted("loop %.3f - %.3f", transport_.loopStart().value_or(0.0f), transport_.loopEnd().value_or(0.0f)));
    hudPanel_.setLines(*demo_.font, lines, demo_.width - 2 * Margin);
    hudPanel_.draw(demo_, Margin, demo_.viewportHeight - StripHeight - Margin - hudPanel_.height());
    drawStrip();
}

// The bars around the playhead along the bottom: loop region, the music's waveform, beat and bar
// lines, hits, playhead.
void EditSession::drawStrip()
{
    Orvane::Shader& shader = demo_.builtinShader(BuiltinShader::ConstantColor);
    shader.bind();
    Orvane::State::pushAll();
    Orvane::State::resetMatrices();
    shader.updateState();
    float bar = barSeconds(demo_), beatSeconds = bar / 4.0f;
    float from = transport_.time() - StripBarsEachSide * bar;
    float span = 2.0f * StripBarsEachSide * bar;
    float top = -1.0f + 2.0f * StripHeight / float(demo_.viewportHeight);
    float pixel = 2.0f / float(demo_.width);
    auto x = [&](float t) { return -1.0f + 2.0f * (t - from) / span; };
    auto box = [&](float x0, float x1, float y0, float y1, Orvane::Vector4t<float> rgba) {
        shader.getParameter("color").setFloat4(rgba);
        demo_.drawQuad(x0, y0, x1 - x0, y1 - y0, 0, 0, 1, 1);
    };
    box(-1.0f, 1.0f, -1.0f, top, {0.08f, 0.08f, 0.11f, 1});
    if (transport_.loopStart() && transport_.loopEnd())
        box(x(*transport_.loopStart()), x(*transport_.loopEnd()), -1.0f, top, {0.15f, 0.25f, 0.5f, 1});
    shader.getParameter("color").setFloat4(Orvane::Vector4t<float>{0.3f, 0.62f, 0.5f, 1});
    drawWaveform(from, span, top);
    for (float beat = std::ceil(from / beatSeconds); beat * beatSeconds < from + span; beat += 1.0f) {
        bool barLine = std::fmod(beat, 4.0f) == 0.0f;
        float height = barLine ? 1.0f : 0.5f;
        box(x(beat * beatSeconds), x(beat * beatSeconds) + pixel, -1.0f, -1.0f + (top + 1.0f) * height,
            barLine ? Orvane::Vector4t<float>{0.8f, 0.8f, 0.8f, 1} : Orvane::Vector4t<float>{0.4f, 0.4f, 0.45f, 1});
    }
    for (float hit : demo_.hitTimes)
        if (hit >= from && hit <= from + span)
            box(x(hit) - pixel, x(hit) + pixel, -1.0f + (top + 1.0f) * 0.6f, top, {1.0f, 0.3f, 0.2f, 1});
    box(-pixel, pixel, -1.0f, top, {1.0f, 0.85f, 0.2f, 1});
    Orvane::State::popAll();
}

// One column a pixel wide per screen column, from the lowest to the highest sample under it;
// all in one batch, as there are as many as the window is wide.
void EditSession::drawWaveform(float from, float span, float top)
{
    const Audio::DecodedAudio* audio = music_ != nullptr ? music_->decoded() : nullptr;
    if (audio == nullptr)
        return;
    std::vector<WaveColumn> columns = waveformColumns(*audio, from, from + span, demo_.width);
    float middle = (top - 1.0f) / 2.0f, halfHeight = (top + 1.0f) / 2.0f * 0.9f;
    float columnWidth = 2.0f / float(demo_.width);
    Orvane::Device* device = Orvane::Device::current();
    auto corner
        = [device](float x, float y) { device->vertexAttribute(Orvane::AttributeSemantic::Position, x, y, 0, 1); };
    device->beginPrimitives(Orvane::PrimitiveTypeEnum::Quads);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!(columns[i].high > columns[i].low))
            continue;
        float x0 = -1.0f + float(i) * columnWidth, x1 = x0 + columnWidth;
        float y0 = middle + columns[i].low * halfHeight, y1 = middle + columns[i].high * halfHeight;
        corner(x0, y0);
        corner(x1, y0);
        corner(x1, y1);
        corner(x0, y1);
    }
    glEnd();
}

}
