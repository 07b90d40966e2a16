#include "tavrin/capture/FrameReadback.h"

#include "orvane/Extensions.h"
#include "orvane/exceptions/Exception.h"

#include <GL/glext.h>

namespace Tavrin::Capture {

namespace Ext = Orvane::Ext;
using Orvane::Exceptions::Exception;

FrameReadback::FrameReadback(int x, int y, int width, int height, int depth)
    : x_(x)
    , y_(y)
    , width_(width)
    , height_(height)
    , buffers_(size_t(depth))
{
    Ext::glGenBuffers(depth, buffers_.data());
    for (GLuint buffer : buffers_) {
        Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
        Ext::glBufferData(GL_PIXEL_PACK_BUFFER, frameBytes(), nullptr, GL_STREAM_READ);
    }
    Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
}

FrameReadback::~FrameReadback() { Ext::glDeleteBuffers(GLsizei(buffers_.size()), buffers_.data()); }

void FrameReadback::submit()
{
    if (full())
        throw Exception("FrameReadback::submit(): every buffer holds a frame not yet collected");
    int slot = (next_ + pending_) % int(buffers_.size());
    Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[size_t(slot)]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x_, y_, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    ++pending_;
}

const void* FrameReadback::mapOldest()
{
    if (empty())
        throw Exception("FrameReadback::collect(): no frame was submitted");
    Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, buffers_[size_t(next_)]);
    const void* pixels = Ext::glMapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY);
    if (pixels == nullptr) {
        Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        throw Exception("FrameReadback::collect(): the driver could not map the frame's copy");
    }
    return pixels;
}

void FrameReadback::unmapOldest()
{
    Ext::glUnmapBuffer(GL_PIXEL_PACK_BUFFER);
    Ext::glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    next_ = (next_ + 1) % int(buffers_.size());
    --pending_;
}

}
