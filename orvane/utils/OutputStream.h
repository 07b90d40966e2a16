#pragma once

namespace Orvane::Utils {

// A writable byte sink with fwrite-like semantics.
class OutputStream {
public:
    virtual ~OutputStream() = default;

    // Returns the number of whole elements written.
    virtual int write(const void* buffer, int elementSize, int count) = 0;
};

}
