#pragma once

#include "tavrin/edit/BarDrag.h"
#include "tavrin/edit/FlowTimeline.h"
#include "tavrin/edit/Waveform.h"

#include <array>
#include <optional>
#include <vector>

namespace Tavrin::Audio {
struct DecodedAudio;
}

namespace Tavrin::Edit {

// What the panel shows this frame.
struct TimelineScene {
    const FlowTimeline* timeline = nullptr;  // null: no flow could be read
    const Audio::DecodedAudio* audio = nullptr;  // null: no music
    float bpm = 162.0f;
    float playhead = 0.0f;
    float end = 0.0f;  // the demo's end time
    SnapUnit snap = SnapUnit::Bar;
};

// What the user asked for on the panel this frame.
struct TimelineRequests {
    std::optional<float> seek;
    struct Retime {
        TimelineBar bar;
        BarSpan span;
    };
    std::optional<Retime> retime;
};

// The flow's <at> elements as bars over the music's waveform, with bar and beat lines and the
// playhead, drawn with ImGui into a rectangle of the window. A click seeks; dragging a bar's start,
// end or middle proposes a new window, snapped as the scene says, which the release asks for.
// The wheel zooms about the pointer, the middle button pans.
class TimelinePanel {
public:
    static constexpr float LaneHeight = 18.0f;

    // Between EditorGui's beginFrame and render.
    TimelineRequests draw(const TimelineScene& scene, float left, float top, float width, float height);

private:
    struct Canvas {
        float left, top, width, height;
    };

    void frameView(const TimelineScene& scene, const Canvas& canvas);
    float xAt(float time) const;
    float timeAt(float x) const;
    void drawWaveform(const TimelineScene& scene);
    void drawGrid(const TimelineScene& scene) const;
    void drawBars(const TimelineScene& scene, const std::vector<int>& lanes) const;
    void drawPlayhead(const TimelineScene& scene) const;
    TimelineRequests handlePointer(const TimelineScene& scene, const std::vector<int>& lanes);
    void startDrag(const TimelineScene& scene, const std::vector<int>& lanes, float x, float y);
    std::optional<size_t> barAt(const TimelineScene& scene, const std::vector<int>& lanes, float x, float y) const;
    void showDetails(const TimelineScene& scene, const std::vector<int>& lanes) const;

    Canvas canvas_{};
    float viewStart_ = 0.0f, viewSpan_ = 0.0f;
    std::optional<BarDrag> drag_;
    std::optional<BarSpan> proposed_;
    bool dragged_ = false;
    // The waveform's columns, kept while the view stays: making them reads every sample in view.
    std::vector<WaveColumn> waveColumns_;
    std::array<float, 3> waveView_{};
    const Audio::DecodedAudio* waveAudio_ = nullptr;
};

}
