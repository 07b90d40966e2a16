#pragma once

#include <sndfile.h>

#include <cstddef>
#include <memory>
#include <string>

namespace Tavrin::Audio {

// One open libsndfile handle, with the read position it uses when it reads from memory.
class SoundHandle {
public:
    struct MemoryCursor {
        const unsigned char* data = nullptr;
        sf_count_t size = 0;
        sf_count_t position = 0;
    };

    SoundHandle() = default;
    SoundHandle(SNDFILE* file, std::unique_ptr<MemoryCursor> cursor);
    SoundHandle(SoundHandle&&) noexcept = default;
    // Closes the handle it held before the cursor that handle read through goes.
    SoundHandle& operator=(SoundHandle&& other) noexcept;
    ~SoundHandle();

    SNDFILE* get() const { return file_.get(); }
    explicit operator bool() const { return file_ != nullptr; }

private:
    struct Closer {
        void operator()(SNDFILE* file) const { sf_close(file); }
    };
    // Declared first, so it outlives the handle that reads through it.
    std::unique_ptr<MemoryCursor> cursor_;
    std::unique_ptr<SNDFILE, Closer> file_;
};

// Where a sound is decoded from: a file, or a whole file's bytes in memory, read through
// libsndfile's virtual I/O. Every open is independent, so parts can be decoded side by side.
class SoundSource {
public:
    static SoundSource file(std::string path);
    // The bytes must outlive the source and every handle it opens; name stands for them in messages.
    static SoundSource memory(const void* data, std::size_t size, std::string name);

    const std::string& name() const { return name_; }
    // Throws FileNotFoundException for a file source whose path is not a regular file.
    void checkExists() const;
    // An empty handle when libsndfile cannot open the sound; sf_strerror(nullptr) then says why.
    SoundHandle open(SF_INFO& info) const;

private:
    SoundSource(std::string name, bool inMemory, const void* data, std::size_t size);

    std::string name_;
    bool inMemory_ = false;
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
};

}
