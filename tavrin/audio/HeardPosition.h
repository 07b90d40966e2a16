#pragma once

#include <atomic>
#include <cstdint>

namespace Tavrin::Audio {

// What the audio side last said about playback: the frame being heard at a moment (anchor, at
// timeNs on the steady clock) and the end of what had been handed to the output (limit).
struct PositionSnapshot {
    std::int64_t anchorFrame = 0;
    std::int64_t limitFrame = 0;
    std::int64_t timeNs = 0;
};

// Carries snapshots from the audio callback to the main thread without locks (a sequence counter:
// the reader retries while a write is in progress) and turns them into the frame being heard now.
class HeardPosition {
public:
    // Audio side: the callback, or the main thread while it holds the device lock. One writer.
    void publish(const PositionSnapshot& snapshot);
    PositionSnapshot snapshot() const;

    // Main thread: the anchor advanced by the time since the snapshot, never ahead of the limit and
    // never behind the frame this returned before.
    std::int64_t heardFrame(std::int64_t nowNs);

    // Main thread, after a seek was published: the next reading starts from the target, even backwards.
    void restartFrom(std::int64_t frame) { lastHeard_ = frame; }

private:
    std::atomic<std::uint64_t> sequence_{0};
    std::atomic<std::int64_t> anchorFrame_{0};
    std::atomic<std::int64_t> limitFrame_{0};
    std::atomic<std::int64_t> timeNs_{0};
    std::int64_t lastHeard_ = 0;
};

// Nanoseconds on std::chrono::steady_clock, the clock every snapshot is stamped with.
std::int64_t steadyNowNs();

}
