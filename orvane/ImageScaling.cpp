#include "orvane/ImageScaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace Orvane {

namespace {

// One output sample's share of each input sample along one axis.
struct Tap {
    int first;
    std::vector<float> weights;
};

std::vector<Tap> tapsFor(int from, int to)
{
    std::vector<Tap> taps(static_cast<size_t>(to));
    double scale = double(from) / double(to);
    for (int i = 0; i < to; ++i) {
        double begin = i * scale, end = (i + 1) * scale;
        int first = int(std::floor(begin)), last = std::min(from - 1, int(std::ceil(end)) - 1);
        Tap& tap = taps[size_t(i)];
        tap.first = first;
        for (int s = first; s <= last; ++s) {
            double covered = std::min(end, double(s + 1)) - std::max(begin, double(s));
            tap.weights.push_back(float(covered / scale));
        }
    }
    return taps;
}

template <typename T>
T fromSum(float value)
{
    if constexpr (std::is_same_v<T, float>)
        return value;
    else
        return T(std::clamp(std::lround(value), 0L, 255L));
}

}

int nearestPowerOfTwo(int size)
{
    int power = 1;
    for (unsigned value = unsigned(std::max(size, 1));; value >>= 1, power *= 2) {
        if (value == 1)
            return power;
        if (value == 3)
            return power * 4;
    }
}

template <typename T>
std::vector<T> scaleByArea(const T* pixels, int width, int height, int channels, int newWidth, int newHeight)
{
    std::vector<Tap> across = tapsFor(width, newWidth), down = tapsFor(height, newHeight);
    std::vector<float> rows(size_t(newWidth) * size_t(height) * size_t(channels));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < newWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const Tap& tap = across[size_t(x)];
                float sum = 0;
                for (size_t k = 0; k < tap.weights.size(); ++k)
                    sum += tap.weights[k] * float(pixels[(size_t(y) * width + size_t(tap.first) + k) * channels + c]);
                rows[(size_t(y) * newWidth + x) * channels + c] = sum;
            }
    std::vector<T> scaled(size_t(newWidth) * size_t(newHeight) * size_t(channels));
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x)
            for (int c = 0; c < channels; ++c) {
                const Tap& tap = down[size_t(y)];
                float sum = 0;
                for (size_t k = 0; k < tap.weights.size(); ++k)
                    sum += tap.weights[k] * rows[((size_t(tap.first) + k) * newWidth + x) * channels + c];
                scaled[(size_t(y) * newWidth + x) * channels + c] = fromSum<T>(sum);
            }
    return scaled;
}

template std::vector<std::uint8_t> scaleByArea(const std::uint8_t*, int, int, int, int, int);
template std::vector<float> scaleByArea(const float*, int, int, int, int, int);

}
