#pragma once

#include "orvane/Forward.h"
#include "orvane/Vector.h"
#include "tavrin/DemoSettings.h"
#include "tavrin/RunOptions.h"
#include "tavrin/audio/MusicPrefetch.h"
#include "tavrin/flow/ActiveVisuals.h"
#include "tavrin/loading/LoadingScreen.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}

namespace Tavrin {

class Visual;
namespace Audio {
class Music;
}
namespace Capture {
struct CaptureFrame;
}
namespace Profile {
class FrameProfiler;
}
namespace Resources {
class TextureStrips;
}
namespace Demoface {
class Demoface;
}
namespace Flow {
class ParentNode;
}

// The seven built-in shaders by the slot they hold in builtinShaders.
enum class BuiltinShader : int {
    ConstantColor = 0,
    TextureColor = 1,
    VertexNormals = 2,
    VertexColor = 3,
    SphericalEnvmap = 4,
    PlanarEnvmap = 5,
    BoxBlur = 6,
};

// The application object: the state every effect shares, and run, which takes the demo from the
// settings through window, device and loading to the frame loop and teardown.
class Demo {
public:
    Demo();
    virtual ~Demo();
    Demo(const Demo&) = delete;
    Demo& operator=(const Demo&) = delete;

    // Builds the effect a flow element names, or returns null when the name is unknown.
    virtual Visual* createVisual(const tinyxml2::XMLElement& element) = 0;

    // Returns the exit status: 0 after a normal end or a cancelled dialog, 1 when an error ended it.
    int run(const RunOptions& options);

    // The end of every demo, in rows: beatsToSeconds(37, 0, 2, 0).
    static constexpr float EndRows = ((37 * 4 + 0) * 4 + 2) * 4 + 0;

    float beatsToSeconds(float p1, float p2, float p3, float p4) const;
    // Sixteenth-note rows of the demo's tempo in seconds.
    float rowsToSeconds(float rows) const { return rows * 60.0f / (4.0f * bpm); }
    float endTime() const { return beatsToSeconds(37, 0, 2, 0); }

    // Assets by name relative to dataFolder, each loaded once and kept until the end.
    Orvane::Shader* loadShader(const std::string& name);
    Orvane::Texture* loadTexture(const std::string& name);
    Orvane::Utils::Geometry* loadGeometry(const std::string& name);
    // An FSG scene of the caller's own (scenes carry animation state), kept until the end; its
    // material textures come from resolveTexture when one is given.
    Orvane::Utils::SceneGraph::Scene* loadScene(const std::string& name,
                                                std::function<Orvane::Texture*(const std::string&)> resolveTexture
                                                = {});
    // count images named by pattern with its "%d" or "%i" replaced by 0 .. count - 1, side by side in one
    // mipmapped RGBA texture; all must share one size. Each call reads the files into a texture of
    // its own, kept until the end like the cached assets.
    Orvane::Texture* loadTextureStrip(const std::string& pattern, int count);
    // For --edit: decodes again the strips that have the saved image among them; false when none has.
    bool reloadTextureStrips(const std::string& name);
    // The font and the seven built-in shaders (slots 0 to 6).
    void loadBuiltins();
    Orvane::Shader& builtinShader(BuiltinShader which) const { return *builtinShaders.at(int(which)); }
    // Adds a musical hit for the beat envelope, keeping hitTimes in time order whoever adds first.
    void addHitTime(float seconds);
    // The six render targets: two of the screen size with depth, two of 128 x 128, two of 256 x 256.
    void createRenderTargets();
    // For --edit: reads the flow file again into a new node tree; the effects keep their single
    // instances and the data folder and music stay as they are. A flow that fails to load throws
    // and leaves the tree and the tempo in force.
    void reloadFlow();
    // Frames the flow has been evaluated for, drawn or pre-rolled: an effect not evaluated in the
    // frame before starts a new showing (Flow::VisualContainerNode).
    std::int64_t frameNumber() const { return frameNumber_; }
    // Counts the frame about to be evaluated; the frame loops do it, and so can code that evaluates
    // flow nodes itself.
    void countFrame() { ++frameNumber_; }
    // Whether the frame being evaluated is pre-rolled after a jump: simulated, not drawn.
    bool prerolling() const { return prerollTarget_.has_value(); }
    // While pre-rolling, the demo time of the frame the pre-roll leads to: a history whose older
    // part cannot show there may skip that part.
    std::optional<float> prerollTarget() const { return prerollTarget_; }

    // The flow's names of the effects that run at a time, for the editing HUD.
    std::vector<std::string> activeEffects(float playhead) const;
    // The loading picture with a red bar at progress (0 to 100), presented at once.
    void loadingScreen(float progress);

    // Drawing helpers; each leaves the matrices as it found them.
    void drawQuad(float x, float y, float w, float h, float u, float v, float du, float dv);
    void drawTexturedRect(float x, float y, float w, float h, const Orvane::Texture& texture);
    void drawFullscreenTexture(Orvane::Shader& shader, const Orvane::Texture& texture);
    void copyTarget(Orvane::RenderTarget& source, Orvane::RenderTarget& destination);
    void blurTarget(Orvane::RenderTarget& target, Orvane::RenderTarget& scratch, int passes, float stepX, float stepY);
    void drawFullscreenColor(const Orvane::Vector4t<float>& rgba);
    void drawFullscreenTextureAlpha(const Orvane::Texture& texture, float alpha);
    // The sync-track camera: eye track 0 (scaled), target track 1, up track 2, field of view 3.x.
    void setCamera(float scale, float nearPlane, float farPlane);
    // Turns with the sync camera but stays at the origin, for skies.
    void setSkyCamera();
    void restoreScreenViewport();

    float cosineEase(float x) const;
    float envelope(float t, float peak, float attack, float decay, float power) const;
    float beatEnvelope(float t, float attack, float decay);
    Orvane::Vector3t<float> randomPath(float t) const;

    // What the settings dialog (or the command line) chose for this run.
    DemoSettings demoSettings;
    std::map<int, Orvane::Shader*> builtinShaders;
    std::array<Orvane::RenderTarget*, 6> renderTargets{};
    std::vector<float> hitTimes;
    int lastHitIndex = 0;
    std::vector<Orvane::Vector3t<float>> randomPoints;
    Orvane::Utils::Loaders::DefaultResourceProxy* resourceProxy = nullptr;
    float spectrum[512] = {};
    Orvane::Vector4t<float> syncValues[64];
    std::string trackFileName = "tracks/default.track";
    std::string flowFileName = "data/test.flow";
    // Where the flow loader remembers its node count for the next run's progress bar.
    std::string nodeCountFile = "data/lol.dat";
    std::string dataFolder = "data/";
    float aspect = 16.0f / 9.0f;
    int width = 0, height = 0;
    std::string musicFileName;
    float bpm = 162.0f;
    Orvane::Font* font = nullptr;
    float time = 0.0f;
    float frameDelta = 0.0f;
    float fps = 0.0f;
    int viewportY = 0, viewportHeight = 0;

protected:
    Orvane::Device* device() const { return device_.get(); }
    // Frees what the production built for the flow while the GL context still exists.
    virtual void releaseVisuals() {}
    // After each frame the live loop presents; returning false ends the run there.
    virtual bool framePresented() { return true; }
    // Moves the demo clock to seconds, as the seek keys do: the music when it drives the time
    // (clamped to its length), the timer otherwise. The next frame starts from there.
    void seekTo(float seconds);

private:
    void configureScreen(const RunOptions& options, int& samples);
    void openDisplay(const RunOptions& options, int samples);
    void load(const RunOptions& options);
    void frameLoop();
    // The frame loop of --edit (DemoEditing.cpp).
    void editLoop(const RunOptions& options);
    void captureLoop(const RunOptions& options);
    void renderFrame();
    // Before the frame at target when time jumped there: evaluates without drawing every frame that
    // continuous play at step seconds a frame would have shown since the earliest moment the history
    // of an effect running at target reaches back to, each with its sync values and the decoded
    // music's spectrum (DemoPreroll.cpp). frameTime(k) is the time of the frame k steps before target.
    void prerollTo(float target, float step, const std::function<float(long)>& frameTime);
    // A live frame at target, elapsed wall-clock seconds after the one before.
    void followLiveTime(float target, float elapsed);
    void simulateFrame(float frameTime, float step);
    void readSpectrumAt(float seconds);
    void checkGl(const char* step) const;
    void teardown();
    void startProfiling();

    void loadFlow();
    void startMusic(const RunOptions& options);
    void drawFullscreenQuad();
    void releaseResources();
    void evaluateFlow();
    bool musicDrivesTime() const;

    std::unique_ptr<Orvane::Utils::Loaders::DefaultResourceProxy> resourceCache_;
    std::unique_ptr<Orvane::Utils::Loaders::DefaultResourceProxy> ownedResourceProxy_;
    std::unique_ptr<Resources::TextureStrips> textureStrips_;
    std::unique_ptr<Orvane::Font> ownedFont_;
    std::array<std::unique_ptr<Orvane::RenderTarget>, 6> ownedRenderTargets_;
    std::unique_ptr<Orvane::Window> window_;
    std::unique_ptr<Orvane::Device> device_;
    std::unique_ptr<Demoface::Demoface> demoface_;
    std::unique_ptr<Audio::Music> music_;
    std::unique_ptr<Flow::ParentNode> flowRoot_;
    Flow::VisualNames flowVisualNames_;
    std::unique_ptr<Orvane::Timer> timer_;
    std::unique_ptr<Profile::FrameProfiler> profiler_;
    bool endAfterFirstFrame_ = false;
    Loading::LoadingScreen loadingScreen_{*this};
    Audio::MusicPrefetch musicPrefetch_;
    float startOffset_ = 0.0f;
    std::int64_t frameNumber_ = 0;
    std::optional<float> prerollTarget_;
    // The time of the last live frame, to tell a jump from a frame that follows it.
    std::optional<float> lastLiveTime_;
    // Where the flow keeps its data, as read ahead of loading it.
    std::string flowDataFolder_;
};

}
