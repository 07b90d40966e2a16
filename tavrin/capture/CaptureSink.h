#pragma once

#include "tavrin/capture/CapturePlan.h"
#include "tavrin/capture/PngEncoderPool.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Tavrin::Capture {

// Where captured frames go. Pixels are RGB, bottom row first, as GL reads them back, one frame of
// the sink's size; they need to stay valid only during the call.
class CaptureSink {
public:
    virtual ~CaptureSink() = default;
    virtual void write(const CaptureFrame& frame, const unsigned char* rgb) = 0;
    virtual void finish() {}
};

// frame_NNNNNN.png files in a folder (made if missing), encoded on worker threads.
class PngFolderSink : public CaptureSink {
public:
    PngFolderSink(std::string folder, int width, int height);
    void write(const CaptureFrame& frame, const unsigned char* rgb) override;
    void finish() override;

private:
    std::string folder_;
    PngEncoderPool encoders_;
};

// One video file with the music, encoded by ffmpeg from raw frames on a pipe.
class VideoSink : public CaptureSink {
public:
    struct Settings {
        std::string path;
        int width, height, fps;
        std::string musicPath;  // empty: no audio stream
        float musicOffset;  // seconds into the music where the first frame sits
        bool lossless = false;  // FFV1 of exactly the pixels read back, without audio
    };

    explicit VideoSink(const Settings& settings);
    ~VideoSink() override;
    void write(const CaptureFrame& frame, const unsigned char* rgb) override;
    void finish() override;

    static bool ffmpegAvailable();
    static std::vector<std::string> ffmpegArguments(const Settings& settings);

private:
    Settings settings_;
    std::FILE* pipe_ = nullptr;
};

std::unique_ptr<CaptureSink> makeCaptureSink(const CaptureOptions& options, int width, int height,
                                             const std::string& musicPath);

}
