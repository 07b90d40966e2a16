#include "tavrin/DecodedAudio.h"

#include "orvane/exceptions/Exception.h"

#include <sndfile.h>
#include <soxr.h>

#include <cmath>
#include <filesystem>
#include <memory>

namespace Tavrin {

using Orvane::Exceptions::UnsupportedFormatException;

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

[[noreturn]] void fail(const std::string& path, const std::string& problem)
{
    throw UnsupportedFormatException("Unsupported format: " + path + ": " + problem);
}

SndfileHandle openSoundFile(const std::string& path, SF_INFO& info)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw Orvane::Exceptions::FileNotFoundException("File not found: " + path);
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        fail(path, sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        fail(path, "no channels or no sample rate");
    return file;
}

// Reads until the decoder stops rather than trusting the header's frame count, which for MP3 is
// only an estimate.
std::vector<float> readStereo(SNDFILE* file, const SF_INFO& info, const std::string& path)
{
    constexpr sf_count_t ChunkFrames = 4096;
    const size_t channels = size_t(info.channels);
    std::vector<float> chunk(size_t(ChunkFrames) * channels);
    std::vector<float> stereo;
    for (;;) {
        sf_count_t got = sf_readf_float(file, chunk.data(), ChunkFrames);
        if (got <= 0)
            break;
        for (size_t frame = 0; frame < size_t(got); ++frame) {
            const float* in = &chunk[frame * channels];
            stereo.push_back(in[0]);
            stereo.push_back(channels > 1 ? in[1] : in[0]);
        }
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        fail(path, std::string("decoding failed: ") + sf_strerror(file));
    if (stereo.empty())
        fail(path, "the file holds no audio");
    return stereo;
}

std::vector<float> resample(const std::vector<float>& stereo, int rate, const std::string& path)
{
    size_t inFrames = stereo.size() / MusicChannels;
    size_t outCapacity = size_t(std::ceil(double(inFrames) * MusicSampleRate / rate)) + 64;
    std::vector<float> out(outCapacity * MusicChannels);
    soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    size_t outFrames = 0;
    soxr_error_t error = soxr_oneshot(rate, MusicSampleRate, MusicChannels, stereo.data(), inFrames, nullptr,
                                      out.data(), outCapacity, &outFrames, &io, &quality, nullptr);
    if (error != nullptr)
        fail(path, std::string("resampling failed: ") + error);
    out.resize(outFrames * MusicChannels);
    return out;
}

}

DecodedAudio decodeAudioFile(const std::string& path)
{
    SF_INFO info{};
    SndfileHandle file = openSoundFile(path, info);
    DecodedAudio audio;
    audio.samples = readStereo(file.get(), info, path);
    if (info.samplerate != MusicSampleRate)
        audio.samples = resample(audio.samples, info.samplerate, path);
    return audio;
}

}
