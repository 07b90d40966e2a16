#include "tavrin/capture/CaptureSink.h"

#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

namespace Tavrin::Capture {

using Orvane::Exceptions::Exception;

namespace {

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}

PngFolderSink::PngFolderSink(std::string folder, int width, int height)
    : folder_(std::move(folder))
    , encoders_(width, height, PngEncoderPool::defaultWorkers())
{
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error)
        throw Exception("Cannot create the capture folder " + folder_ + ": " + error.message());
}

void PngFolderSink::write(const CaptureFrame& frame, const unsigned char* rgb)
{
    encoders_.encode(captureFrameFileName(folder_, frame.index), rgb);
}

void PngFolderSink::finish() { encoders_.finish(); }

bool VideoSink::ffmpegAvailable() { return std::system("ffmpeg -version >/dev/null 2>&1") == 0; }

std::vector<std::string> VideoSink::ffmpegArguments(const Settings& s)
{
    std::vector<std::string> args = {"ffmpeg",    "-y",
                                     "-loglevel", "error",
                                     "-f",        "rawvideo",
                                     "-pix_fmt",  "rgb24",
                                     "-s",        std::to_string(s.width) + "x" + std::to_string(s.height),
                                     "-r",        std::to_string(s.fps),
                                     "-i",        "-"};
    if (s.lossless) {
        // Planar RGB holds the read-back pixels exactly; only the rows are turned, not resampled.
        args.insert(args.end(), {"-vf", "vflip", "-c:v", "ffv1", "-level", "3", "-pix_fmt", "gbrp", "-slicecrc", "1",
                                 "-g", "1", s.path});
        return args;
    }
    if (!s.musicPath.empty())
        args.insert(args.end(), {"-ss", std::to_string(s.musicOffset), "-i", s.musicPath});
    // GL reads rows bottom first. The encoders' 4:2:0 output needs even sizes, and letterboxed
    // heights are often odd (555 at 800x600 and 16:10), so a black row or column is added then.
    args.insert(args.end(), {"-vf", "vflip,pad=ceil(iw/2)*2:ceil(ih/2)*2"});
    bool webm = endsWith(s.path, ".webm");
    if (webm)
        args.insert(args.end(), {"-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "30", "-pix_fmt", "yuv420p"});
    else
        // At the medium preset the encoder took 40 % of a capture's CPU on two cores; veryfast
        // keeps CRF 18's quality for a somewhat larger file. The release video is encoded once
        // more by scripts/render.sh anyway.
        args.insert(args.end(), {"-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt", "yuv420p"});
    if (!s.musicPath.empty())
        args.insert(args.end(), {"-c:a", webm ? "libopus" : "aac", "-b:a", "192k", "-shortest"});
    args.push_back(s.path);
    return args;
}

VideoSink::VideoSink(const Settings& settings)
    : settings_(settings)
{
    if (!ffmpegAvailable())
        throw Exception("Cannot capture to " + settings.path + ": ffmpeg is not installed");
    // A dead encoder must surface as an error from write, not kill the demo.
    std::signal(SIGPIPE, SIG_IGN);
    std::string command;
    for (const std::string& arg : ffmpegArguments(settings))
        command += shellQuote(arg) + " ";
    pipe_ = popen(command.c_str(), "w");
    if (pipe_ == nullptr)
        throw Exception("Cannot capture to " + settings.path + ": ffmpeg did not start");
}

VideoSink::~VideoSink()
{
    // Not finished: the capture failed or was stopped, and a cut video must not pass for one.
    if (pipe_ != nullptr) {
        pclose(pipe_);
        std::error_code ignored;
        std::filesystem::remove(settings_.path, ignored);
    }
}

void VideoSink::write(const CaptureFrame&, const unsigned char* rgb)
{
    size_t bytes = size_t(settings_.width) * settings_.height * 3;
    if (std::fwrite(rgb, 1, bytes, pipe_) != bytes)
        throw Exception("Cannot capture to " + settings_.path + ": ffmpeg stopped reading frames");
}

void VideoSink::finish()
{
    int status = pclose(pipe_);
    pipe_ = nullptr;
    if (status != 0)
        throw Exception("Cannot capture to " + settings_.path + ": ffmpeg failed (see its messages above)");
}

std::unique_ptr<CaptureSink> makeCaptureSink(const CaptureOptions& options, int width, int height,
                                             const std::string& musicPath)
{
    if (!options.isVideo())
        return std::make_unique<PngFolderSink>(options.path, width, height);
    float firstFrame = options.frames ? float(double(options.frames->first) / options.fps) : std::max(0.0f, options.from);
    return std::make_unique<VideoSink>(
        VideoSink::Settings{options.path, width, height, options.fps, musicPath, firstFrame, options.lossless});
}

}
