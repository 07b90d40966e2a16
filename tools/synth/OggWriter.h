#pragma once

#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace Nightglass::Synth {

// Writes interleaved stereo float samples as Ogg Vorbis through libsndfile. Errors throw
// std::runtime_error naming the file.
class OggWriter {
public:
    OggWriter(const std::string& path, int sampleRate, double quality);
    ~OggWriter();
    OggWriter(const OggWriter&) = delete;
    OggWriter& operator=(const OggWriter&) = delete;

    void write(const float* interleaved, int64_t frames);
    // Finishes the stream and gives it a fixed serial number, so equal input gives equal bytes.
    void close();

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
};

// libsndfile picks a random Ogg stream serial number; this rewrites every page with `serial`
// and recomputes the page checksums.
void setOggSerial(const std::string& path, uint32_t serial);

}
