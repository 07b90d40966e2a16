#include "orvane/BufferModeEnum.h"

#include "orvane/exceptions/Exception.h"

#include <GL/glext.h>

namespace Orvane {

bool isHardwareMode(int mode) { return mode >= hardware_mem_stream_draw && mode <= hardware_mem_static_copy; }

GLenum bufferUsage(int mode)
{
    switch (mode) {
    case hardware_mem_stream_draw: return GL_STREAM_DRAW;
    case hardware_mem_stream_read: return GL_STREAM_READ;
    case hardware_mem_stream_copy: return GL_STREAM_COPY;
    case hardware_mem_static_draw: return GL_STATIC_DRAW;
    case hardware_mem_static_read: return GL_STATIC_READ;
    case hardware_mem_static_copy: return GL_STATIC_COPY;
    default: break;
    }
    throw Exceptions::IllegalEnumException("Illegal BufferModeEnum");
}

}
