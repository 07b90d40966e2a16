#pragma once

namespace Orvane::Utils {

enum SeekOrigin : int { SeekStart = 0, SeekCurrent = 1, SeekEnd = 2 };

// A readable byte source with fread-like semantics.
class InputStream {
public:
    virtual ~InputStream() = default;

    // Returns the number of whole elements read; fewer than count at the end of the stream.
    virtual int read(void* buffer, int elementSize, int count) = 0;
    // Any origin other than SeekStart, SeekCurrent or SeekEnd does nothing.
    virtual void seek(int offset, int origin) = 0;
    // The length in bytes; leaves the position at the start of the stream.
    virtual int size() = 0;
};

}
