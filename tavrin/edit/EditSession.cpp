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
#include "tavrin/edit/EditorGui.h"
#include "tavrin/edit/RocketLink.h"
#include "tavrin/edit/RocketTracks.h"
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
constexpr int MinTimelineHeight = 96;
constexpr float LookDegreesPerPixel = 0.2f;
// Errors of undo and redo are not about one file's reload; they stand under this name.
const std::string UndoErrors = "undo/redo";

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
                         Audio::Music* music, KeyState keyState, std::unique_ptr<Orvane::Mouse::Pointer> pointer)
    : demo_(demo)
    , cache_(cache)
    , demoface_(demoface)
    , music_(music)
    , keyState_(std::move(keyState))
    , watcher_(demo.dataFolder)
    , transport_(barSeconds(demo), demo.time)
    , errorPanel_({255, 255, 255}, {140, 16, 16})
    , hudPanel_({230, 230, 230}, {20, 20, 28})
    , pointer_(std::move(pointer))
    , camera_(demo)
{}

EditSession::~EditSession() = default;

void EditSession::beginFrame(float delta)
{
    reloadSaved();
    transport_.setBarSeconds(barSeconds(demo_));
    frameSeconds_ = delta;
    pointerState_ = pointer_->poll();
    readKeys();
    readEditingKeys();
    steerCamera(delta);
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
        return;
    }
    if (name.ends_with(".flow") && timelineVisible_)
        readTimeline();
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

void EditSession::readEditingKeys()
{
    bool undoKey = pressed(Key::Z), redoKey = pressed(Key::Y);
    bool ctrl = keyState_(Key::Ctrl), shift = keyState_(Key::Shift);
    if (pressed(Key::T)) {
        timelineVisible_ = !timelineVisible_;
        if (timelineVisible_)
            readTimeline();
    }
    if (pressed(Key::F)) {
        camera_.toggle();
        std::fprintf(stderr, camera_.flying() ? "Fly camera on\n" : "Fly camera off: the tracks' camera again\n");
    }
    if (pressed(Key::K))
        writeCameraKey();
    if (ctrl && (undoKey || redoKey))
        undo(redoKey || shift);
}

// W/S forward and back, A/D sideways, E/Q up and down; the right button held looks around and the
// wheel sets the speed, unless the pointer is on the timeline panel.
void EditSession::steerCamera(float delta)
{
    bool onPanel = timelineVisible_ && gui_ && gui_->wantsPointer();
    bool look = camera_.flying() && pointerState_.down[Orvane::Mouse::Right] && (looking_ || !onPanel);
    if (look != looking_) {
        looking_ = look;
        pointer_->setCaptured(look);
    }
    if (!camera_.flying())
        return;
    auto axis = [this](Key plus, Key minus) { return float(keyState_(plus)) - float(keyState_(minus)); };
    FlyControls controls;
    controls.forward = axis(Key::W, Key::S);
    controls.right = axis(Key::D, Key::A);
    controls.rise = axis(Key::E, Key::Q);
    if (looking_) {
        controls.lookRight = float(pointerState_.moveX) * LookDegreesPerPixel;
        controls.lookUp = -float(pointerState_.moveY) * LookDegreesPerPixel;
    }
    controls.speedNotches = onPanel ? 0 : pointerState_.wheel;
    camera_.steer(controls, delta);
}

void EditSession::beforeDrawing() { camera_.standIn(); }

// With a Rocket editor connected the editor holds the keys, and its Remote Export saves them;
// otherwise they go into the track text.
void EditSession::writeCameraKey()
{
    if (!camera_.flying()) {
        std::fprintf(stderr, "K keys the fly camera's view: press F to fly first\n");
        return;
    }
    auto row = int(rocketRowAt(transport_.time(), demo_.bpm));
    if (rocket_ && rocket_->connected()) {
        camera_.keyInEditor(*rocket_, demoface_.tracks(), transport_.time());
        std::fprintf(stderr, "Rocket: keyed the fly camera at row %d in the editor\n", row);
        return;
    }
    std::string path = demo_.dataFolder + trackTextName();
    try {
        applyEdit(camera_.keyEdit(path, transport_.time()), "Keyed the fly camera at row " + std::to_string(row));
    } catch (const Orvane::Exceptions::Exception& e) {
        errors_.fail(trackTextName(), e.getMessage());
    }
}

void EditSession::applyEdit(FileEdit edit, const std::string& done)
{
    std::string name = nameOf(edit.path);
    history_.apply(std::move(edit));
    errors_.succeed(UndoErrors);
    std::fprintf(stderr, "%s in %s\n", done.c_str(), name.c_str());
    reload(name);
}

void EditSession::undo(bool redo)
{
    try {
        std::optional<std::string> path = redo ? history_.redo() : history_.undo();
        errors_.succeed(UndoErrors);
        if (!path) {
            std::fprintf(stderr, redo ? "Nothing to redo\n" : "Nothing to undo\n");
            return;
        }
        std::fprintf(stderr, redo ? "Redid the change to %s\n" : "Undid the change to %s\n", nameOf(*path).c_str());
        reload(nameOf(*path));
    } catch (const Orvane::Exceptions::Exception& e) {
        errors_.fail(UndoErrors, e.getMessage());
    }
}

// The drag was made on the text the panel read; a file changed since is not written over.
void EditSession::retime(const TimelineRequests::Retime& request)
{
    const std::string path = timeline_->path();
    try {
        FlowTimeline onDisk = FlowTimeline::read(path, demo_.bpm);
        if (onDisk.text() != timeline_->text()) {
            timeline_ = std::move(onDisk);
            throw Orvane::Exceptions::Exception(path + " changed while the bar was dragged; drag it again");
        }
        std::string retimed = onDisk.retimed(request.bar, request.span);
        if (retimed != onDisk.text())
            applyEdit({path, onDisk.text(), retimed, false},
                      "Retimed the <at> element on line " + std::to_string(request.bar.line));
    } catch (const Orvane::Exceptions::Exception& e) {
        errors_.fail(nameOf(path), e.getMessage());
    }
}

void EditSession::readTimeline()
{
    try {
        timeline_ = FlowTimeline::read(demo_.flowFileName, demo_.bpm);
    } catch (const Orvane::Exceptions::Exception& e) {
        timeline_.reset();
        errors_.fail(nameOf(demo_.flowFileName), "the timeline panel cannot read it: " + e.getMessage());
    }
}

// Files are reloaded by their names under the data folder, as the watcher reports them.
std::string EditSession::nameOf(const std::string& path) const
{
    return path.starts_with(demo_.dataFolder) ? path.substr(demo_.dataFolder.size()) : path;
}

void EditSession::drawOverlay()
{
    if (demo_.font == nullptr)
        return;
    Orvane::State::setViewport(0, demo_.viewportY, demo_.width, demo_.viewportHeight);
    int bottom = timelineVisible_ ? drawTimeline() : 0;
    int panelWidth = demo_.width - 2 * Margin;
    errorPanel_.setLines(*demo_.font, errors_.lines(), panelWidth);
    errorPanel_.draw(demo_, Margin, Margin);
    if (hudVisible_)
        drawHud(bottom);
}

// Along the bottom of the picture; returns its height. Ctrl snaps drags to rows, Shift to beats.
int EditSession::drawTimeline()
{
    if (!gui_)
        gui_ = std::make_unique<EditorGui>();
    bool ctrl = keyState_(Key::Ctrl), shift = keyState_(Key::Shift);
    gui_->beginFrame(pointerState_, shift, ctrl, demo_.width, demo_.height, frameSeconds_);
    int height = std::max(MinTimelineHeight, demo_.viewportHeight / 4);
    TimelineScene scene;
    scene.timeline = timeline();
    scene.audio = music_ != nullptr ? music_->decoded() : nullptr;
    scene.bpm = demo_.bpm;
    scene.playhead = transport_.time();
    scene.end = demo_.endTime();
    scene.snap = ctrl ? SnapUnit::Row : shift ? SnapUnit::Beat : SnapUnit::Bar;
    float top = float(demo_.height - demo_.viewportY - height);
    TimelineRequests requests = timelinePanel_.draw(scene, 0.0f, top, float(demo_.width), float(height));
    gui_->render();
    if (requests.seek)
        transport_.seek(*requests.seek);
    if (requests.retime)
        retime(*requests.retime);
    return height;
}

void EditSession::drawHud(int bottom)
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
    if (const FlyCamera* fly = camera_.camera())
        lines.push_back(formatted("fly camera, %.2f units/s (K keys it at row %d)", fly->speed(), row));
    hudPanel_.setLines(*demo_.font, lines, demo_.width - 2 * Margin);
    hudPanel_.draw(demo_, Margin, demo_.viewportHeight - bottom - StripHeight - Margin - hudPanel_.height());
    drawStrip(bottom);
}

// The bars around the playhead along the bottom: loop region, the music's waveform, beat and bar
// lines, hits, playhead.
void EditSession::drawStrip(int bottom)
{
    Orvane::Shader& shader = demo_.builtinShader(BuiltinShader::ConstantColor);
    shader.bind();
    Orvane::State::pushAll();
    Orvane::State::resetMatrices();
    shader.updateState();
    float bar = barSeconds(demo_), beatSeconds = bar / 4.0f;
    float from = transport_.time() - StripBarsEachSide * bar;
    float span = 2.0f * StripBarsEachSide * bar;
    float base = -1.0f + 2.0f * float(bottom) / float(demo_.viewportHeight);
    float top = base + 2.0f * StripHeight / float(demo_.viewportHeight);
    float pixel = 2.0f / float(demo_.width);
    auto x = [&](float t) { return -1.0f + 2.0f * (t - from) / span; };
    auto box = [&](float x0, float x1, float y0, float y1, Orvane::Vector4t<float> rgba) {
        shader.getParameter("color").setFloat4(rgba);
        demo_.drawQuad(x0, y0, x1 - x0, y1 - y0, 0, 0, 1, 1);
    };
    box(-1.0f, 1.0f, base, top, {0.08f, 0.08f, 0.11f, 1});
    if (transport_.loopStart() && transport_.loopEnd())
        box(x(*transport_.loopStart()), x(*transport_.loopEnd()), base, top, {0.15f, 0.25f, 0.5f, 1});
    shader.getParameter("color").setFloat4(Orvane::Vector4t<float>{0.3f, 0.62f, 0.5f, 1});
    drawWaveform(from, span, base, top);
    for (float beat = std::ceil(from / beatSeconds); beat * beatSeconds < from + span; beat += 1.0f) {
        bool barLine = std::fmod(beat, 4.0f) == 0.0f;
        float height = barLine ? 1.0f : 0.5f;
        box(x(beat * beatSeconds), x(beat * beatSeconds) + pixel, base, base + (top - base) * height,
            barLine ? Orvane::Vector4t<float>{0.8f, 0.8f, 0.8f, 1} : Orvane::Vector4t<float>{0.4f, 0.4f, 0.45f, 1});
    }
    for (float hit : demo_.hitTimes)
        if (hit >= from && hit <= from + span)
            box(x(hit) - pixel, x(hit) + pixel, base + (top - base) * 0.6f, top, {1.0f, 0.3f, 0.2f, 1});
    box(-pixel, pixel, base, top, {1.0f, 0.85f, 0.2f, 1});
    Orvane::State::popAll();
}

// One column a pixel wide per screen column, from the lowest to the highest sample under it;
// all in one batch, as there are as many as the window is wide.
void EditSession::drawWaveform(float from, float span, float base, float top)
{
    const Audio::DecodedAudio* audio = music_ != nullptr ? music_->decoded() : nullptr;
    if (audio == nullptr)
        return;
    std::vector<WaveColumn> columns = waveformColumns(*audio, from, from + span, demo_.width);
    float middle = (top + base) / 2.0f, halfHeight = (top - base) / 2.0f * 0.9f;
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
