#include "tavrin/capture/PngEncoderPool.h"

#include "orvane/PngWriter.h"

#include <algorithm>

namespace Tavrin::Capture {

namespace {

// zlib's fastest level: at the default level deflate took 70 to 110 ms of a 640x360 frame, more
// than llvmpipe spent drawing it; level 1 is 5 to 10 times faster for files about 15 % larger.
constexpr int FrameCompression = 1;

}

PngEncoderPool::PngEncoderPool(int width, int height, int workers)
    : width_(width)
    , height_(height)
    , queueLimit_(size_t(std::max(1, workers)) * 2)
{
    for (int i = 0; i < std::max(1, workers); ++i)
        workers_.emplace_back([this] { work(); });
}

PngEncoderPool::~PngEncoderPool()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

int PngEncoderPool::defaultWorkers()
{
    // One core stays with the renderer.
    return std::max(1, int(std::thread::hardware_concurrency()) - 1);
}

void PngEncoderPool::encode(const std::string& path, const unsigned char* rgb)
{
    Job job{path, std::vector<unsigned char>(rgb, rgb + size_t(width_) * height_ * 3)};
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return queue_.size() < queueLimit_ || error_; });
    rethrowError();
    queue_.push_back(std::move(job));
    changed_.notify_all();
}

void PngEncoderPool::finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return (queue_.empty() && busy_ == 0) || error_; });
    rethrowError();
}

void PngEncoderPool::rethrowError()
{
    if (error_)
        std::rethrow_exception(error_);
}

void PngEncoderPool::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        Job job = std::move(queue_.front());
        queue_.pop_front();
        ++busy_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            Orvane::writePng(job.path, width_, height_, 3, job.rgb.data(), FrameCompression);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        --busy_;
        if (failure && !error_)
            error_ = failure;
        changed_.notify_all();
    }
}

}
