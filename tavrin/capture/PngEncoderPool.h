#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Tavrin::Capture {

// Encodes captured frames to PNG files on worker threads while the demo renders the next ones.
// At most two frames a worker wait in the queue, so memory stays bounded however fast the
// renderer is.
class PngEncoderPool {
public:
    PngEncoderPool(int width, int height, int workers);
    ~PngEncoderPool();
    PngEncoderPool(const PngEncoderPool&) = delete;
    PngEncoderPool& operator=(const PngEncoderPool&) = delete;

    // Queues a copy of rgb (rows bottom first) for path; rethrows the first error a worker met.
    void encode(const std::string& path, const unsigned char* rgb);
    // Waits until every queued frame is written; rethrows the first error a worker met.
    void finish();

    static int defaultWorkers();

private:
    struct Job {
        std::string path;
        std::vector<unsigned char> rgb;
    };

    void work();
    void rethrowError();

    int width_, height_;
    size_t queueLimit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queue_;
    int busy_ = 0;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::vector<std::thread> workers_;
};

}
