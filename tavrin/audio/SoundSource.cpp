#include "tavrin/audio/SoundSource.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace Tavrin::Audio {

namespace {

using Cursor = SoundHandle::MemoryCursor;

sf_count_t memoryLength(void* user) { return static_cast<Cursor*>(user)->size; }

sf_count_t memoryTell(void* user) { return static_cast<Cursor*>(user)->position; }

// As lseek: a position past the end is allowed (reads there find nothing), one before the start
// or out of range is refused.
sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    auto& cursor = *static_cast<Cursor*>(user);
    sf_count_t base = whence == SEEK_CUR ? cursor.position : whence == SEEK_END ? cursor.size : 0;
    sf_count_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0)
        return -1;
    cursor.position = target;
    return target;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* user)
{
    auto& cursor = *static_cast<Cursor*>(user);
    sf_count_t available = std::max<sf_count_t>(0, cursor.size - cursor.position);
    sf_count_t taken = std::clamp<sf_count_t>(count, 0, available);
    if (taken > 0)
        std::memcpy(destination, cursor.data + cursor.position, size_t(taken));
    cursor.position += taken;
    return taken;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }

SF_VIRTUAL_IO MemoryIo = {memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};

}

SoundHandle::SoundHandle(SNDFILE* file, std::unique_ptr<MemoryCursor> cursor)
    : cursor_(std::move(cursor))
    , file_(file)
{}

SoundHandle& SoundHandle::operator=(SoundHandle&& other) noexcept
{
    file_.reset();
    cursor_ = std::move(other.cursor_);
    file_ = std::move(other.file_);
    return *this;
}

SoundHandle::~SoundHandle() = default;

SoundSource::SoundSource(std::string name, bool inMemory, const void* data, std::size_t size)
    : name_(std::move(name))
    , inMemory_(inMemory)
    , data_(static_cast<const unsigned char*>(data))
    , size_(size)
{}

SoundSource SoundSource::file(std::string path) { return SoundSource(std::move(path), false, nullptr, 0); }

SoundSource SoundSource::memory(const void* data, std::size_t size, std::string name)
{
    return SoundSource(std::move(name), true, data, size);
}

void SoundSource::checkExists() const
{
    std::error_code error;
    if (!inMemory_ && !std::filesystem::is_regular_file(name_, error))
        throw Orvane::Exceptions::FileNotFoundException("File not found: " + name_);
}

SoundHandle SoundSource::open(SF_INFO& info) const
{
    if (!inMemory_)
        return SoundHandle(sf_open(name_.c_str(), SFM_READ, &info), nullptr);
    auto cursor = std::make_unique<SoundHandle::MemoryCursor>();
    cursor->data = data_;
    cursor->size = sf_count_t(size_);
    SNDFILE* file = sf_open_virtual(&MemoryIo, SFM_READ, &info, cursor.get());
    return SoundHandle(file, std::move(cursor));
}

}
