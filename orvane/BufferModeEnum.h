#pragma once

#include <GL/gl.h>

namespace Orvane {

// Where a vertex or index buffer keeps its contents: client memory, or a GL buffer object created
// with the usage hint of the mode. Plain ints travel through the buffer interfaces, so this stays
// an unscoped enumeration.
enum BufferModeEnum : int {
    system_mem = 0,
    hardware_mem_stream_draw = 1,
    hardware_mem_stream_read = 2,
    hardware_mem_stream_copy = 3,
    hardware_mem_static_draw = 4,
    hardware_mem_static_read = 5,
    hardware_mem_static_copy = 6,
};

bool isHardwareMode(int mode);

// The GL usage hint of a hardware mode; IllegalEnumException "Illegal BufferModeEnum" for
// system_mem or a value outside the table.
GLenum bufferUsage(int mode);

}
