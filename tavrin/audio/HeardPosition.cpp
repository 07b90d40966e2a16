#include "tavrin/audio/HeardPosition.h"

#include "tavrin/audio/DecodedAudio.h"

#include <algorithm>
#include <chrono>

namespace Tavrin::Audio {

void HeardPosition::publish(const PositionSnapshot& snapshot)
{
    std::uint64_t sequence = sequence_.load(std::memory_order_relaxed);
    sequence_.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    anchorFrame_.store(snapshot.anchorFrame, std::memory_order_relaxed);
    limitFrame_.store(snapshot.limitFrame, std::memory_order_relaxed);
    timeNs_.store(snapshot.timeNs, std::memory_order_relaxed);
    sequence_.store(sequence + 2, std::memory_order_release);
}

PositionSnapshot HeardPosition::snapshot() const
{
    for (;;) {
        std::uint64_t before = sequence_.load(std::memory_order_acquire);
        PositionSnapshot snapshot{anchorFrame_.load(std::memory_order_relaxed),
                                  limitFrame_.load(std::memory_order_relaxed), timeNs_.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if (before % 2 == 0 && sequence_.load(std::memory_order_relaxed) == before)
            return snapshot;
    }
}

std::int64_t HeardPosition::heardFrame(std::int64_t nowNs)
{
    PositionSnapshot s = snapshot();
    std::int64_t elapsedNs = std::max<std::int64_t>(0, nowNs - s.timeNs);
    std::int64_t elapsedFrames = elapsedNs * MusicSampleRate / 1'000'000'000;
    std::int64_t frame = std::min(s.limitFrame, s.anchorFrame + elapsedFrames);
    lastHeard_ = std::max(lastHeard_, frame);
    return lastHeard_;
}

std::int64_t steadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}
