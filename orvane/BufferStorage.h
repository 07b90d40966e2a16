#pragma once

#include <GL/gl.h>

#include <memory>

namespace Orvane {

// The storage that vertex and index buffers share: client memory or a GL buffer object on one
// target, with nested locking. Only the outermost unlock unmaps, and the access of the first lock
// holds for the nested ones. A lock that yields no pointer is not counted, and an unlock without
// a lock is ignored, so a failed lock can never leave a buffer mapped for good.
class BufferStorage {
public:
    // system_mem uses initialData in place (not owned) or allocates sizeInBytes zeroed bytes of
    // its own. Hardware modes upload initialData (or nothing) to a new buffer object.
    // Throws IllegalEnumException for an unknown mode, DeviceNotCapableException when buffer
    // objects are unavailable (no GL device yet).
    BufferStorage(GLenum target, int mode, int sizeInBytes, const void* initialData);
    ~BufferStorage();
    BufferStorage(const BufferStorage&) = delete;
    BufferStorage& operator=(const BufferStorage&) = delete;
    // Moving hands the buffer object or the owned memory over.
    BufferStorage(BufferStorage&& other) noexcept;
    BufferStorage& operator=(BufferStorage&& other) noexcept;

    // Null when there is nothing to return: system memory without data, or a buffer object that
    // could not be mapped (or neither read nor write was asked for).
    void* lock(bool read, bool write);
    void unlock();

    // Hardware: uploads sizeInBytes from data. System memory: uses data in place, not owned.
    // Throws Exception while the buffer is locked, since the old mapping would dangle.
    void setData(const void* data, int sizeInBytes);

    // Binds the buffer object (or 0 for system memory) to the target and returns the pointer GL
    // expects for byteOffset into the contents: the offset itself for a buffer object. Throws
    // Exception for system memory without data, which GL would read through a null pointer.
    const void* bindForPointer(int byteOffset) const;

    int mode() const { return mode_; }
    GLuint bufferObject() const { return bufferObject_; }
    int lockCount() const { return lockCount_; }
    int sizeInBytes() const { return sizeInBytes_; }

private:
    GLenum target_;
    int mode_;
    GLuint bufferObject_ = 0;
    int sizeInBytes_;
    void* data_ = nullptr;
    std::unique_ptr<unsigned char[]> owned_;
    int lockCount_ = 0;
};

// Count times elementSize as an int, or Exception "<owner>: ... too large" when it is negative or
// does not fit.
int checkedByteSize(long long count, long long elementSize, const char* owner);

}
