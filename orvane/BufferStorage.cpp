#include "orvane/BufferStorage.h"

#include "orvane/BufferModeEnum.h"
#include "orvane/Extensions.h"
#include "orvane/exceptions/Exception.h"

#include <climits>
#include <cstdint>
#include <string>
#include <utility>

namespace Orvane {

using Exceptions::Exception;

namespace {

GLenum mapAccess(bool read, bool write)
{
    if (read && write)
        return GL_READ_WRITE;
    return read ? GL_READ_ONLY : GL_WRITE_ONLY;
}

}

int checkedByteSize(long long count, long long elementSize, const char* owner)
{
    if (count < 0 || elementSize < 0 || (elementSize > 0 && count > INT_MAX / elementSize))
        throw Exception(std::string(owner) + ": " + std::to_string(count) + " elements of "
                        + std::to_string(elementSize) + " bytes are too large for a buffer");
    return int(count * elementSize);
}

BufferStorage::BufferStorage(GLenum target, int mode, int sizeInBytes, const void* initialData)
    : target_(target)
    , mode_(mode)
    , sizeInBytes_(sizeInBytes)
{
    if (mode == system_mem) {
        if (initialData != nullptr) {
            data_ = const_cast<void*>(initialData);
        } else {
            owned_.reset(new unsigned char[size_t(sizeInBytes)]());
            data_ = owned_.get();
        }
        return;
    }
    GLenum usage = bufferUsage(mode);
    if (Ext::glGenBuffers == nullptr)
        throw Exceptions::DeviceNotCapableException("GL buffer objects are unavailable: no GL device has been created");
    Ext::glGenBuffers(1, &bufferObject_);
    Ext::glBindBuffer(target_, bufferObject_);
    Ext::glBufferData(target_, sizeInBytes, initialData, usage);
}

BufferStorage::~BufferStorage()
{
    if (bufferObject_ != 0)
        Ext::glDeleteBuffers(1, &bufferObject_);
}

BufferStorage::BufferStorage(BufferStorage&& other) noexcept
    : target_(other.target_)
    , mode_(other.mode_)
    , bufferObject_(std::exchange(other.bufferObject_, 0))
    , sizeInBytes_(std::exchange(other.sizeInBytes_, 0))
    , data_(std::exchange(other.data_, nullptr))
    , owned_(std::move(other.owned_))
    , lockCount_(std::exchange(other.lockCount_, 0))
{}

BufferStorage& BufferStorage::operator=(BufferStorage&& other) noexcept
{
    if (this != &other) {
        if (bufferObject_ != 0)
            Ext::glDeleteBuffers(1, &bufferObject_);
        target_ = other.target_;
        mode_ = other.mode_;
        bufferObject_ = std::exchange(other.bufferObject_, 0);
        sizeInBytes_ = std::exchange(other.sizeInBytes_, 0);
        data_ = std::exchange(other.data_, nullptr);
        owned_ = std::move(other.owned_);
        lockCount_ = std::exchange(other.lockCount_, 0);
    }
    return *this;
}

void* BufferStorage::lock(bool read, bool write)
{
    if (data_ == nullptr && bufferObject_ != 0 && (read || write)) {
        Ext::glBindBuffer(target_, bufferObject_);
        data_ = Ext::glMapBuffer(target_, mapAccess(read, write));
    }
    if (data_ != nullptr)
        ++lockCount_;
    return data_;
}

void BufferStorage::unlock()
{
    if (lockCount_ == 0)
        return;
    --lockCount_;
    if (lockCount_ > 0 || bufferObject_ == 0)
        return;
    Ext::glBindBuffer(target_, bufferObject_);
    Ext::glUnmapBuffer(target_);
    data_ = nullptr;
}

void BufferStorage::setData(const void* data, int sizeInBytes)
{
    if (lockCount_ > 0)
        throw Exception("Cannot refill a locked buffer: unlock it first");
    sizeInBytes_ = sizeInBytes;
    if (bufferObject_ != 0) {
        Ext::glBindBuffer(target_, bufferObject_);
        Ext::glBufferData(target_, sizeInBytes, data, bufferUsage(mode_));
        return;
    }
    owned_.reset();
    data_ = const_cast<void*>(data);
}

const void* BufferStorage::bindForPointer(int byteOffset) const
{
    if (bufferObject_ == 0 && data_ == nullptr)
        throw Exception("Cannot draw from a system_mem buffer that holds no data");
    Ext::glBindBuffer(target_, bufferObject_);
    if (bufferObject_ != 0)
        return reinterpret_cast<const void*>(std::uintptr_t(byteOffset));
    return static_cast<const unsigned char*>(data_) + byteOffset;
}

}
