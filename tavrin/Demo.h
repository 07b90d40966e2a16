#pragma once

#include "orvane/Vector.h"
#include "tavrin/RunOptions.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tinyxml2 {
class XMLElement;
}

namespace Orvane {
class Device;
class Font;
class RenderTarget;
class Shader;
class Timer;
class Window;
namespace Utils::Loaders {
class DefaultResourceProxy;
}
}

namespace Tavrin {

class Visual;
struct CaptureFrame;

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

    float beatsToSeconds(float p1, float p2, float p3, float p4) const;
    float endTime() const { return beatsToSeconds(37, 0, 2, 0); }

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

private:
    void configureScreen(const RunOptions& options, int& samples);
    void openDisplay(const RunOptions& options, int samples);
    void load(const RunOptions& options);
    void frameLoop();
    void captureLoop(const RunOptions& options);
    void renderFrame();
    void readFrame(std::vector<unsigned char>& rgb) const;
    void teardown();

    std::unique_ptr<Orvane::Window> window_;
    std::unique_ptr<Orvane::Device> device_;
    std::unique_ptr<Orvane::Timer> timer_;
};

}
