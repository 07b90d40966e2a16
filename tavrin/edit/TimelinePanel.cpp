#include "tavrin/edit/TimelinePanel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Tavrin::Edit {

namespace {

constexpr float EdgeGrab = 5.0f;
constexpr float MinLineSpacing = 6.0f;
constexpr float ZoomPerNotch = 0.8f;
constexpr ImU32 Background = IM_COL32(14, 14, 20, 235);
constexpr ImU32 WaveColour = IM_COL32(60, 120, 95, 255);
constexpr ImU32 BarLineColour = IM_COL32(150, 150, 160, 255);
constexpr ImU32 BeatLineColour = IM_COL32(70, 70, 82, 255);
constexpr ImU32 BarFill = IM_COL32(70, 90, 170, 230);
constexpr ImU32 BarHovered = IM_COL32(100, 125, 215, 240);
constexpr ImU32 BarEdge = IM_COL32(190, 200, 240, 255);
constexpr ImU32 Proposed = IM_COL32(255, 160, 40, 255);
constexpr ImU32 Ink = IM_COL32(235, 235, 240, 255);
constexpr ImU32 PlayheadColour = IM_COL32(255, 215, 50, 255);

float rowSeconds(float bpm) { return 60.0f / (4.0f * bpm); }

// Each bar in the first lane where the bars before it have ended, so overlapping windows (nested
// ones among them) stand one below the other.
std::vector<int> lanesOf(const std::vector<TimelineBar>& bars)
{
    std::vector<size_t> order(bars.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return bars[a].span.start < bars[b].span.start; });
    std::vector<int> lanes(bars.size());
    std::vector<float> laneEnds;
    for (size_t index : order) {
        const BarSpan& span = bars[index].span;
        auto free = std::find_if(laneEnds.begin(), laneEnds.end(), [&](float end) { return end <= span.start; });
        if (free == laneEnds.end())
            free = laneEnds.insert(laneEnds.end(), 0.0f);
        *free = span.start + span.length;
        lanes[index] = int(free - laneEnds.begin());
    }
    return lanes;
}

BarHandle handleAt(float left, float right, float x)
{
    float edge = std::min(EdgeGrab, (right - left) / 3.0f);
    if (x - left <= edge)
        return BarHandle::Start;
    if (right - x <= edge)
        return BarHandle::End;
    return BarHandle::Whole;
}

const std::vector<TimelineBar>& barsOf(const TimelineScene& scene)
{
    static const std::vector<TimelineBar> none;
    return scene.timeline ? scene.timeline->bars() : none;
}

}

TimelineRequests TimelinePanel::draw(const TimelineScene& scene, float left, float top, float width, float height)
{
    ImGui::SetNextWindowPos(ImVec2(left, top));
    ImGui::SetNextWindowSize(ImVec2(width, height));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
    ImGui::Begin("##timeline", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings
                     | ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoBackground);
    ImGui::PopStyleVar(2);
    ImVec2 origin = ImGui::GetCursorScreenPos();
    ImVec2 size = ImGui::GetContentRegionAvail();
    ImGui::InvisibleButton("canvas", ImVec2(std::max(size.x, 1.0f), std::max(size.y, 1.0f)));
    frameView(scene, {origin.x, origin.y, size.x, size.y});
    std::vector<int> lanes = lanesOf(barsOf(scene));
    TimelineRequests requests = handlePointer(scene, lanes);
    ImGui::GetWindowDrawList()->AddRectFilled(origin, ImVec2(origin.x + size.x, origin.y + size.y), Background);
    drawWaveform(scene);
    drawGrid(scene);
    drawBars(scene, lanes);
    drawPlayhead(scene);
    showDetails(scene, lanes);
    ImGui::End();
    return requests;
}

// The whole timeline at first; the wheel zooms about the pointer, the middle button pans.
void TimelinePanel::frameView(const TimelineScene& scene, const Canvas& canvas)
{
    canvas_ = canvas;
    float total = scene.end;
    for (const TimelineBar& bar : barsOf(scene))
        total = std::max(total, bar.span.start + bar.span.length);
    total = std::max(total, 16.0f * rowSeconds(scene.bpm));
    if (viewSpan_ <= 0.0f)
        viewSpan_ = total;
    const ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsItemHovered() && io.MouseWheel != 0.0f) {
        float pivot = timeAt(io.MousePos.x);
        float span = std::clamp(viewSpan_ * std::pow(ZoomPerNotch, io.MouseWheel), 4.0f * rowSeconds(scene.bpm), total);
        viewStart_ = pivot - (pivot - viewStart_) * span / viewSpan_;
        viewSpan_ = span;
    }
    if (ImGui::IsItemHovered() && ImGui::IsMouseDragging(ImGuiMouseButton_Middle))
        viewStart_ -= io.MouseDelta.x / std::max(canvas_.width, 1.0f) * viewSpan_;
    viewSpan_ = std::min(viewSpan_, total);
    viewStart_ = std::clamp(viewStart_, 0.0f, total - viewSpan_);
}

float TimelinePanel::xAt(float time) const
{
    return canvas_.left + (time - viewStart_) / viewSpan_ * canvas_.width;
}

float TimelinePanel::timeAt(float x) const
{
    return viewStart_ + (x - canvas_.left) / std::max(canvas_.width, 1.0f) * viewSpan_;
}

void TimelinePanel::drawWaveform(const TimelineScene& scene)
{
    if (!scene.audio)
        return;
    int columns = int(canvas_.width);
    std::array<float, 3> view = {viewStart_, viewSpan_, canvas_.width};
    if (scene.audio != waveAudio_ || view != waveView_) {
        waveColumns_ = waveformColumns(*scene.audio, viewStart_, viewStart_ + viewSpan_, columns);
        waveAudio_ = scene.audio;
        waveView_ = view;
    }
    ImDrawList* draw = ImGui::GetWindowDrawList();
    float middle = canvas_.top + canvas_.height / 2.0f, half = canvas_.height / 2.0f * 0.9f;
    for (size_t i = 0; i < waveColumns_.size(); ++i) {
        const WaveColumn& column = waveColumns_[i];
        if (!(column.high > column.low))
            continue;
        float x = canvas_.left + float(i);
        draw->AddRectFilled(ImVec2(x, middle - column.high * half), ImVec2(x + 1.0f, middle - column.low * half + 1.0f),
                            WaveColour);
    }
}

// Rows, beats and bars each where their lines stand far enough apart; bars every second, fourth,
// ... one when even they crowd.
void TimelinePanel::drawGrid(const TimelineScene& scene) const
{
    ImDrawList* draw = ImGui::GetWindowDrawList();
    float pixelsPerSecond = canvas_.width / viewSpan_;
    // A panel without width has no lines to space out.
    if (!(pixelsPerSecond > 0.0f))
        return;
    float beat = 4.0f * rowSeconds(scene.bpm), bar = 4.0f * beat;
    float bottom = canvas_.top + canvas_.height;
    if (beat * pixelsPerSecond >= MinLineSpacing)
        for (float n = std::ceil(viewStart_ / beat); n * beat <= viewStart_ + viewSpan_; n += 1.0f)
            draw->AddLine(ImVec2(xAt(n * beat), bottom - canvas_.height / 4.0f), ImVec2(xAt(n * beat), bottom),
                          BeatLineColour);
    float every = 1.0f;
    while (every * bar * pixelsPerSecond < MinLineSpacing)
        every *= 2.0f;
    for (float n = std::ceil(viewStart_ / (every * bar)); n * every * bar <= viewStart_ + viewSpan_; n += 1.0f) {
        float x = xAt(n * every * bar);
        draw->AddLine(ImVec2(x, canvas_.top), ImVec2(x, bottom), BarLineColour);
        if (every * bar * pixelsPerSecond >= 40.0f) {
            char label[16];
            std::snprintf(label, sizeof label, "%d", int(n * every) + 1);
            draw->AddText(ImVec2(x + 2.0f, bottom - ImGui::GetFontSize()), BarLineColour, label);
        }
    }
}

void TimelinePanel::drawBars(const TimelineScene& scene, const std::vector<int>& lanes) const
{
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const std::vector<TimelineBar>& bars = barsOf(scene);
    std::optional<size_t> hovered = barAt(scene, lanes, ImGui::GetIO().MousePos.x, ImGui::GetIO().MousePos.y);
    for (size_t i = 0; i < bars.size(); ++i) {
        float top = canvas_.top + 2.0f + float(lanes[i]) * LaneHeight;
        ImVec2 from(xAt(bars[i].span.start), top);
        ImVec2 to(std::max(xAt(bars[i].span.start + bars[i].span.length) - 1.0f, from.x + 1.0f), top + LaneHeight - 2.0f);
        draw->AddRectFilled(from, to, hovered == i && ImGui::IsItemHovered() ? BarHovered : BarFill);
        draw->AddRect(from, to, BarEdge);
        draw->PushClipRect(from, to, true);
        draw->AddText(ImVec2(from.x + 3.0f, from.y + 1.0f), Ink, bars[i].name.c_str());
        draw->PopClipRect();
    }
    if (drag_ && proposed_) {
        float top = canvas_.top + 2.0f;
        for (size_t i = 0; i < bars.size(); ++i)
            if (bars[i].element == drag_->bar().element)
                top += float(lanes[i]) * LaneHeight;
        draw->AddRect(ImVec2(xAt(proposed_->start), top),
                      ImVec2(xAt(proposed_->start + proposed_->length) - 1.0f, top + LaneHeight - 2.0f), Proposed, 0.0f,
                      0, 2.0f);
    }
}

void TimelinePanel::drawPlayhead(const TimelineScene& scene) const
{
    float x = xAt(scene.playhead);
    ImGui::GetWindowDrawList()->AddLine(ImVec2(x, canvas_.top), ImVec2(x, canvas_.top + canvas_.height),
                                        PlayheadColour, 2.0f);
}

std::optional<size_t> TimelinePanel::barAt(const TimelineScene& scene, const std::vector<int>& lanes, float x,
                                           float y) const
{
    const std::vector<TimelineBar>& bars = barsOf(scene);
    for (size_t i = 0; i < bars.size(); ++i) {
        float top = canvas_.top + 2.0f + float(lanes[i]) * LaneHeight;
        float left = xAt(bars[i].span.start), right = xAt(bars[i].span.start + bars[i].span.length);
        if (y >= top && y < top + LaneHeight && x >= left && x < right)
            return i;
    }
    return std::nullopt;
}

// A press on a bar takes it; a release without moving, anywhere, seeks there.
TimelineRequests TimelinePanel::handlePointer(const TimelineScene& scene, const std::vector<int>& lanes)
{
    TimelineRequests requests;
    const ImGuiIO& io = ImGui::GetIO();
    if (ImGui::IsItemActivated()) {
        dragged_ = false;
        startDrag(scene, lanes, io.MousePos.x, io.MousePos.y);
    }
    if (ImGui::IsItemActive() && ImGui::IsMouseDragging(ImGuiMouseButton_Left))
        dragged_ = true;
    if (drag_ && dragged_)
        proposed_ = drag_->spanAt(timeAt(io.MousePos.x), scene.bpm, scene.snap);
    if (ImGui::IsItemDeactivated()) {
        if (!dragged_)
            requests.seek = std::max(0.0f, timeAt(io.MousePos.x));
        else if (drag_ && proposed_)
            requests.retime = TimelineRequests::Retime{drag_->bar(), *proposed_};
        drag_.reset();
        proposed_.reset();
    }
    return requests;
}

void TimelinePanel::startDrag(const TimelineScene& scene, const std::vector<int>& lanes, float x, float y)
{
    std::optional<size_t> index = barAt(scene, lanes, x, y);
    if (!index)
        return;
    const TimelineBar& bar = barsOf(scene)[*index];
    drag_.emplace(bar, handleAt(xAt(bar.span.start), xAt(bar.span.start + bar.span.length), x), timeAt(x));
}

void TimelinePanel::showDetails(const TimelineScene& scene, const std::vector<int>& lanes) const
{
    std::optional<size_t> hovered = barAt(scene, lanes, ImGui::GetIO().MousePos.x, ImGui::GetIO().MousePos.y);
    const TimelineBar* bar = drag_ ? &drag_->bar() : hovered && ImGui::IsItemHovered() ? &barsOf(scene)[*hovered] : nullptr;
    if (!bar)
        return;
    BarSpan span = proposed_ ? *proposed_ : bar->span;
    float row = rowSeconds(scene.bpm);
    ImGui::SetTooltip("%s (line %d)\nrow %.0f, %.0f rows\n%.3f s to %.3f s", bar->name.c_str(), bar->line,
                      span.start / row, span.length / row, span.start, span.start + span.length);
}

}
