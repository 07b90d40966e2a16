#pragma once

#include <GL/gl.h>

#include <vector>

namespace Tavrin::Capture {

// Reads rendered frames back through a ring of pixel buffer objects. A submitted frame is copied
// on the GPU's side of the command stream, and only the oldest copy is mapped once the ring is
// full, so the renderer draws the next frames while earlier ones travel back.
class FrameReadback {
public:
    // The RGB rectangle of the back buffer to read, and how many frames may be in flight.
    FrameReadback(int x, int y, int width, int height, int depth = 3);
    ~FrameReadback();
    FrameReadback(const FrameReadback&) = delete;
    FrameReadback& operator=(const FrameReadback&) = delete;

    // Starts the copy of the current back buffer. Throws Exception when the ring is full.
    void submit();
    bool full() const { return pending_ == int(buffers_.size()); }
    bool empty() const { return pending_ == 0; }

    // Maps the oldest submitted frame and hands its rows (bottom first, tightly packed) to use,
    // then releases it. Throws Exception when nothing is pending or the copy cannot be mapped.
    template <typename Use>
    void collect(Use&& use)
    {
        use(static_cast<const unsigned char*>(mapOldest()));
        unmapOldest();
    }

    int frameBytes() const { return width_ * height_ * 3; }

private:
    const void* mapOldest();
    void unmapOldest();

    int x_, y_, width_, height_;
    std::vector<GLuint> buffers_;
    int next_ = 0;
    int pending_ = 0;
};

}
