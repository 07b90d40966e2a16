#include "tavrin/DecodedAudio.h"

#include "orvane/exceptions/Exception.h"

#include <sndfile.h>
#include <soxr.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

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

// How a file that decoded without an error can still have been cut: fewer frames than its header
// promised, or an Ogg stream without the last page that gives its length (the library then reports
// the largest count). MP3 headers only estimate their length.
std::optional<std::string> cutShortProblem(const SF_INFO& info, const std::vector<float>& stereo)
{
    int container = info.format & SF_FORMAT_TYPEMASK;
    if (container == SF_FORMAT_OGG && info.frames == SF_COUNT_MAX)
        return "the stream has no last page: the file is truncated";
    bool exactLength = container != SF_FORMAT_MPEG && info.frames < SF_COUNT_MAX;
    if (exactLength && sf_count_t(stereo.size() / MusicChannels) < info.frames)
        return "the file is shorter than its header says";
    return std::nullopt;
}

// What decoded of a damaged file still plays; the music just ends early.
void warnOfEarlyEnd(const std::string& path, const std::string& problem, const std::vector<float>& stereo,
                    const SF_INFO& info)
{
    double seconds = double(stereo.size() / MusicChannels) / double(info.samplerate);
    std::fprintf(stderr, "%s: %s; the music ends at %.2f seconds\n", path.c_str(), problem.c_str(), seconds);
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
    bool damaged = sf_error(file) != SF_ERR_NO_ERROR;
    if (damaged && stereo.empty())
        fail(path, std::string("decoding failed: ") + sf_strerror(file));
    if (stereo.empty())
        fail(path, "the file holds no audio");
    std::optional<std::string> cutShort = damaged ? sf_strerror(file) : cutShortProblem(info, stereo);
    if (cutShort)
        warnOfEarlyEnd(path, *cutShort, stereo, info);
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
