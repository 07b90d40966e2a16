#include "tavrin/audio/DecodedAudio.h"

#include "orvane/exceptions/Exception.h"
#include "tavrin/audio/SoundSource.h"

#include <sndfile.h>
#include <soxr.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

namespace Tavrin::Audio {

using Orvane::Exceptions::UnsupportedFormatException;

namespace {

constexpr sf_count_t ChunkFrames = 4096;
// The niceness of a decoding that runs beside the loading.
constexpr int BackgroundNice = 10;
// A header may claim anything; a longer file than this is still read, growing as it goes.
constexpr std::int64_t MostTrustedFrames = std::int64_t(MusicSampleRate) * 60 * 60;

struct SoxrDeleter {
    void operator()(soxr_t resampler) const { soxr_delete(resampler); }
};
using SoxrHandle = std::unique_ptr<std::remove_pointer_t<soxr_t>, SoxrDeleter>;

[[noreturn]] void fail(const std::string& path, const std::string& problem)
{
    throw UnsupportedFormatException("Unsupported format: " + path + ": " + problem);
}

SoundHandle openSound(const SoundSource& source, SF_INFO& info)
{
    source.checkExists();
    SoundHandle file = source.open(info);
    if (!file)
        fail(source.name(), sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        fail(source.name(), "no channels or no sample rate");
    return file;
}

// The decoded length at the music rate as the header tells it; 0 when it does not. For MP3 it is
// only an estimate, which is why reading goes on to the end of the file whatever it says.
std::int64_t expectedFrames(const SF_INFO& info)
{
    if (info.frames <= 0 || info.frames >= MostTrustedFrames * 8)
        return 0;
    if (info.samplerate == MusicSampleRate)
        return std::min<std::int64_t>(info.frames, MostTrustedFrames);
    // The resampler may give a frame or two more than the ratio says.
    double atMusicRate = std::ceil(double(info.frames) * MusicSampleRate / info.samplerate) + 64;
    return std::min<std::int64_t>(std::int64_t(atMusicRate), MostTrustedFrames);
}

// Turns the file's frames into stereo at the music rate, resampling on the way when needed.
class StereoSink {
public:
    StereoSink(DecodedAudio& audio, int fileRate, const std::string& path)
        : audio_(audio)
        , path_(path)
    {
        if (fileRate == MusicSampleRate)
            return;
        soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t error = nullptr;
        resampler_.reset(soxr_create(fileRate, MusicSampleRate, MusicChannels, &error, &io, &quality, nullptr));
        if (error != nullptr)
            fail(path_, std::string("resampling failed: ") + error);
        resampled_.resize(size_t(ChunkFrames) * MusicChannels);
    }

    void write(const float* stereo, size_t frames)
    {
        if (!resampler_) {
            audio_.appendStereo(stereo, std::int64_t(frames));
            return;
        }
        while (frames > 0) {
            size_t used = 0;
            size_t made = resample(stereo, frames, &used);
            stereo += used * MusicChannels;
            frames -= used;
            if (used == 0 && made == 0)
                break;
        }
    }

    // Drains what the resampler still holds.
    void finish()
    {
        if (resampler_)
            while (resample(nullptr, 0, nullptr) > 0) {
            }
    }

private:
    size_t resample(const float* stereo, size_t frames, size_t* used)
    {
        size_t made = 0;
        soxr_error_t error
            = soxr_process(resampler_.get(), stereo, frames, used, resampled_.data(), ChunkFrames, &made);
        if (error != nullptr)
            fail(path_, std::string("resampling failed: ") + error);
        audio_.appendStereo(resampled_.data(), std::int64_t(made));
        return made;
    }

    DecodedAudio& audio_;
    const std::string& path_;
    SoxrHandle resampler_;
    std::vector<float> resampled_;
};

// Keeps the first two channels of a chunk (duplicating mono) as interleaved stereo.
void toStereo(const std::vector<float>& chunk, size_t channels, size_t frames, float* stereo)
{
    for (size_t frame = 0; frame < frames; ++frame) {
        const float* in = &chunk[frame * channels];
        stereo[frame * 2] = in[0];
        stereo[frame * 2 + 1] = channels > 1 ? in[1] : in[0];
    }
}

// How a file that decoded without an error can still have been cut: fewer frames than its header
// promised, or an Ogg stream without the last page that gives its length (the library then reports
// the largest count). MP3 headers only estimate their length.
std::optional<std::string> cutShortProblem(const SF_INFO& info, sf_count_t decodedFrames)
{
    int container = info.format & SF_FORMAT_TYPEMASK;
    if (container == SF_FORMAT_OGG && info.frames == SF_COUNT_MAX)
        return "the stream has no last page: the file is truncated";
    bool exactLength = container != SF_FORMAT_MPEG && info.frames < SF_COUNT_MAX;
    if (exactLength && decodedFrames < info.frames)
        return "the file is shorter than its header says";
    return std::nullopt;
}

// What decoded of a damaged file still plays; the music just ends early.
void warnOfEarlyEnd(const std::string& path, const std::string& problem, sf_count_t decodedFrames, int rate)
{
    double seconds = double(decodedFrames) / double(rate);
    std::fprintf(stderr, "%s: %s; the music ends at %.2f seconds\n", path.c_str(), problem.c_str(), seconds);
}

// Reads until the decoder stops rather than trusting the header's frame count, which for MP3 is
// only an estimate. A file damaged part of the way plays what decoded before the damage.
void readStereo(SNDFILE* file, const SF_INFO& info, StereoSink& sink, const std::string& path)
{
    const size_t channels = size_t(info.channels);
    std::vector<float> chunk(size_t(ChunkFrames) * channels);
    std::vector<float> stereo(size_t(ChunkFrames) * MusicChannels);
    sf_count_t decoded = 0;
    for (;;) {
        sf_count_t got = sf_readf_float(file, chunk.data(), ChunkFrames);
        if (got <= 0)
            break;
        toStereo(chunk, channels, size_t(got), stereo.data());
        sink.write(stereo.data(), size_t(got));
        decoded += got;
    }
    bool damaged = sf_error(file) != SF_ERR_NO_ERROR;
    if (damaged && decoded == 0)
        fail(path, std::string("decoding failed: ") + sf_strerror(file));
    sink.finish();
    std::optional<std::string> cutShort = damaged ? sf_strerror(file) : cutShortProblem(info, decoded);
    if (cutShort && decoded > 0)
        warnOfEarlyEnd(path, *cutShort, decoded, info.samplerate);
}

// Up to count frames from where file stands, as 16-bit stereo into out; returns how many came.
sf_count_t readFramesInto(SNDFILE* file, size_t channels, sf_count_t count, std::int16_t* out)
{
    std::vector<float> chunk(size_t(ChunkFrames) * channels);
    std::vector<float> stereo(size_t(ChunkFrames) * MusicChannels);
    sf_count_t done = 0;
    while (done < count) {
        sf_count_t got = sf_readf_float(file, chunk.data(), std::min(ChunkFrames, count - done));
        if (got <= 0)
            break;
        toStereo(chunk, channels, size_t(got), stereo.data());
        std::transform(stereo.begin(), stereo.begin() + got * MusicChannels, out + done * MusicChannels, toPcm16);
        done += got;
    }
    return done;
}

// Formats whose header count is exact and whose seeks land on the very sample a straight read
// gives (not MP3, whose count is an estimate, nor Opus, which converges only after a seek), at
// the music rate, so that parts of the file can be decoded side by side into their places.
bool decodesInParts(const SF_INFO& info)
{
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
        return info.seekable && info.samplerate == MusicSampleRate && info.frames > 0
            && info.frames <= MostTrustedFrames;
    default: return false;
    }
}

int partCount(const SF_INFO& info)
{
    constexpr sf_count_t MinPartFrames = MusicSampleRate;
    constexpr int MostParts = 4;
    if (!decodesInParts(info))
        return 1;
    int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    return int(std::clamp<sf_count_t>(info.frames / MinPartFrames, 1, std::min(cores, MostParts)));
}

// Frames first .. first + count on a handle of its own; -1 when the file cannot be opened or
// sought there again (the caller then reads it straight through).
sf_count_t readPart(const SoundSource& source, sf_count_t first, sf_count_t count, std::int16_t* out)
{
    SF_INFO info{};
    SoundHandle file = source.open(info);
    if (!file || sf_seek(file.get(), first, SEEK_SET) != first)
        return -1;
    return readFramesInto(file.get(), size_t(info.channels), count, out);
}

// The parts after the first go to threads of their own. A part that comes back short ends the
// audio there, as a straight read would have; what follows it is dropped.
std::optional<DecodedAudio> decodeInParts(SNDFILE* file, const SF_INFO& info, int parts, const SoundSource& source)
{
    const std::string& path = source.name();
    DecodedAudio audio;
    audio.samples.resize(size_t(info.frames) * MusicChannels);
    std::vector<sf_count_t> firsts, counts;
    for (int part = 0; part < parts; ++part) {
        firsts.push_back(info.frames * part / parts);
        counts.push_back(info.frames * (part + 1) / parts - firsts.back());
    }
    std::vector<std::future<sf_count_t>> others;
    for (size_t part = 1; part < firsts.size(); ++part)
        others.push_back(std::async(std::launch::async, readPart, source, firsts[part], counts[part],
                                    audio.samples.data() + firsts[part] * MusicChannels));
    sf_count_t total = readFramesInto(file, size_t(info.channels), counts[0], audio.samples.data());
    bool whole = total == counts[0];
    for (size_t part = 1; part < firsts.size(); ++part) {
        if (!whole) {
            others[part - 1].wait();
            continue;
        }
        sf_count_t got = others[part - 1].get();
        if (got < 0)
            return std::nullopt;
        total += got;
        whole = got == counts[part];
    }
    audio.samples.resize(size_t(total) * MusicChannels);
    if (total == 0 && sf_error(file) != SF_ERR_NO_ERROR)
        fail(path, std::string("decoding failed: ") + sf_strerror(file));
    if (total > 0 && total < info.frames)
        warnOfEarlyEnd(
            path, sf_error(file) != SF_ERR_NO_ERROR ? sf_strerror(file) : "the file is shorter than its header says",
            total, info.samplerate);
    return audio;
}

}

std::int16_t toPcm16(float sample)
{
    // A damaged float file may hold NaN, which has no 16-bit value: silence is the safe reading.
    if (std::isnan(sample))
        return 0;
    float scaled = std::nearbyint(sample * Pcm16FullScale);
    return std::int16_t(std::clamp(scaled, -Pcm16FullScale, Pcm16FullScale - 1.0f));
}

void DecodedAudio::appendStereo(const float* interleaved, std::int64_t frames)
{
    size_t first = samples.size();
    size_t needed = first + size_t(frames) * MusicChannels;
    if (needed > samples.capacity())
        samples.reserve(std::max(needed, samples.capacity() + samples.capacity() / 2));
    samples.resize(needed);
    std::transform(interleaved, interleaved + (needed - first), samples.begin() + std::ptrdiff_t(first), toPcm16);
}

namespace {

DecodedAudio decodeSound(const SoundSource& source)
{
    const std::string& name = source.name();
    SF_INFO info{};
    SoundHandle file = openSound(source, info);
    if (int parts = partCount(info); parts > 1) {
        if (std::optional<DecodedAudio> audio = decodeInParts(file.get(), info, parts, source)) {
            if (audio->samples.empty())
                fail(name, "the file holds no audio");
            return std::move(*audio);
        }
        file = openSound(source, info);
    }
    DecodedAudio audio;
    // Reserved, not filled: pages a short estimate never reaches are never touched.
    audio.samples.reserve(size_t(expectedFrames(info)) * MusicChannels);
    StereoSink sink(audio, info.samplerate, name);
    readStereo(file.get(), info, sink, name);
    if (audio.samples.empty())
        fail(name, "the file holds no audio");
    return audio;
}

}

DecodedAudio decodeAudioFile(const std::string& path) { return decodeSound(SoundSource::file(path)); }

DecodedAudio decodeAudioMemory(const void* data, std::size_t size, const std::string& name)
{
    return decodeSound(SoundSource::memory(data, size, name));
}

std::future<DecodedAudio> decodeAudioFileAsync(const std::string& path)
{
    return std::async(std::launch::async, [path] {
        // Start-up waits for whichever ends last, the loading or the decoding. The loading is one
        // thread, the decoding as many as there are cores: on few cores the loading comes first,
        // and the decoding (its parts' threads inherit this) takes the time the loading leaves.
        setpriority(PRIO_PROCESS, 0, BackgroundNice);
        return decodeAudioFile(path);
    });
}

}
